#include "prepare.h"

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace gravlin::engine {
namespace {

constexpr int32_t kCodeLimit = 10000;
constexpr size_t kCodeWords = (kCodeLimit + 63) / 64;

// Lists of indices per owner in one flat array: owner o has items[start[o], start[o + 1]).
struct FlatLists {
    std::vector<uint32_t> start;
    std::vector<uint32_t> items;
    const uint32_t* begin(size_t o) const { return items.data() + start[o]; }
    const uint32_t* end(size_t o) const { return items.data() + start[o + 1]; }
    bool empty(size_t o) const { return start[o] == start[o + 1]; }
};

// For each unknown the equations that name it, in equation order.
FlatLists equationsOf(const std::vector<IndexedEquation>& eqs, size_t unknowns) {
    FlatLists f;
    f.start.assign(unknowns + 1, 0);
    for (const auto& e : eqs)
        for (uint32_t v : e.vars) ++f.start[v + 1];
    std::partial_sum(f.start.begin(), f.start.end(), f.start.begin());
    f.items.resize(f.start.back());
    std::vector<uint32_t> fill(f.start.begin(), f.start.end() - 1);
    for (size_t i = 0; i < eqs.size(); ++i)
        for (uint32_t v : eqs[i].vars) f.items[fill[v]++] = static_cast<uint32_t>(i);
    return f;
}

// The equations in one order whatever order they came in (by their unknowns, then their
// sums), each set of unknowns once: the same unknowns with two different sums have no
// solution. Everything after depends only on this list, so the order in which equations
// arrive changes neither an answer nor whether a guard trips.
std::vector<IndexedEquation> canonical(std::vector<IndexedEquation> eqs, bool& solvable) {
    std::sort(eqs.begin(), eqs.end(), [](const IndexedEquation& a, const IndexedEquation& b) {
        return a.vars != b.vars ? a.vars < b.vars : a.rhs < b.rhs;
    });
    size_t kept = 0;
    for (size_t i = 0; i < eqs.size(); ++i) {
        if (kept > 0 && eqs[i].vars == eqs[kept - 1].vars) {
            if (eqs[i].rhs != eqs[kept - 1].rhs) solvable = false;
            continue;
        }
        if (kept != i) eqs[kept] = std::move(eqs[i]);
        ++kept;
    }
    eqs.resize(kept);
    return eqs;
}

// Sums of 0 and full sums, until nothing changes; a fixed unknown puts its equations back
// on the work list. Returns false when an equation cannot be met.
bool propagate(const std::vector<IndexedEquation>& eqs, std::vector<int8_t>& fixed, uint64_t& steps) {
    const FlatLists uses = equationsOf(eqs, fixed.size());
    std::vector<uint32_t> work(eqs.size());
    std::iota(work.begin(), work.end(), 0u);
    std::vector<char> queued(eqs.size(), 1);
    while (!work.empty()) {
        const IndexedEquation& e = eqs[work.back()];
        queued[work.back()] = 0;
        work.pop_back();
        steps += 1 + e.vars.size();
        int64_t open = 0;
        int64_t rest = e.rhs;
        for (uint32_t v : e.vars) {
            if (fixed[v] < 0)
                ++open;
            else
                rest -= fixed[v];
        }
        if (rest < 0 || rest > open) return false;
        if (open == 0 || (rest != 0 && rest != open)) continue;
        for (uint32_t v : e.vars) {
            if (fixed[v] >= 0) continue;
            fixed[v] = rest == 0 ? 0 : 1;
            steps += static_cast<uint64_t>(uses.end(v) - uses.begin(v));
            for (const uint32_t* o = uses.begin(v); o != uses.end(v); ++o)
                if (!queued[*o]) {
                    queued[*o] = 1;
                    work.push_back(*o);
                }
        }
    }
    return true;
}

// The equations over the unknowns not fixed; equations left without unknowns go.
void reduce(std::vector<IndexedEquation>& eqs, const std::vector<int8_t>& fixed) {
    for (auto& e : eqs) {
        size_t kept = 0;
        for (uint32_t v : e.vars) {
            if (fixed[v] < 0)
                e.vars[kept++] = v;
            else
                e.rhs -= fixed[v];
        }
        e.vars.resize(kept);
    }
    std::erase_if(eqs, [](const IndexedEquation& e) { return e.vars.empty(); });
}

// Unknowns joined by equations, each list ascending; unknowns in no equation go to loose.
std::vector<std::vector<uint32_t>> connected(const std::vector<IndexedEquation>& eqs, const FlatLists& eqsOf,
                                             const std::vector<int8_t>& fixed, std::vector<uint32_t>& loose) {
    std::vector<uint32_t> parent(fixed.size());
    std::iota(parent.begin(), parent.end(), 0u);
    auto find = [&](uint32_t v) {
        while (parent[v] != v) v = parent[v] = parent[parent[v]];
        return v;
    };
    for (const auto& e : eqs)
        for (size_t i = 1; i < e.vars.size(); ++i) parent[find(e.vars[i])] = find(e.vars[0]);
    std::vector<int64_t> componentOf(fixed.size(), -1);
    std::vector<std::vector<uint32_t>> members;
    for (uint32_t v = 0; v < fixed.size(); ++v) {
        if (fixed[v] >= 0) continue;
        if (eqsOf.empty(v)) {
            loose.push_back(v);
            continue;
        }
        const uint32_t root = find(v);
        if (componentOf[root] < 0) {
            componentOf[root] = static_cast<int64_t>(members.size());
            members.emplace_back();
        }
        members[static_cast<size_t>(componentOf[root])].push_back(v);
    }
    return members;
}

// One component: its unknowns grouped by the equations they are in.
Component makeComponent(std::vector<uint32_t> vars, const std::vector<IndexedEquation>& eqs,
                        const FlatLists& eqsOf, std::vector<int64_t>& localEq) {
    Component c;
    c.unknowns = vars.size();
    auto sameEqs = [&](uint32_t a, uint32_t b) {
        return std::equal(eqsOf.begin(a), eqsOf.end(a), eqsOf.begin(b), eqsOf.end(b));
    };
    std::stable_sort(vars.begin(), vars.end(), [&](uint32_t a, uint32_t b) {
        return std::lexicographical_compare(eqsOf.begin(a), eqsOf.end(a), eqsOf.begin(b), eqsOf.end(b));
    });
    for (size_t i = 0; i < vars.size(); ++i) {
        if (i == 0 || !sameEqs(vars[i], vars[i - 1])) {
            Group g;
            for (const uint32_t* e = eqsOf.begin(vars[i]); e != eqsOf.end(vars[i]); ++e) {
                if (localEq[*e] < 0) {
                    localEq[*e] = static_cast<int64_t>(c.eqs.size());
                    c.eqs.push_back({eqs[*e].rhs, {}});
                }
                g.eqs.push_back(static_cast<uint32_t>(localEq[*e]));
            }
            c.groups.push_back(std::move(g));
        }
        c.groups.back().members.push_back(vars[i]);
        ++c.groups.back().size;
    }
    for (size_t g = 0; g < c.groups.size(); ++g)
        for (uint32_t e : c.groups[g].eqs) c.eqs[e].groups.push_back(static_cast<uint32_t>(g));
    return c;
}

}  // namespace

IndexedSystem::IndexedSystem(const std::vector<Equation>& equations) {
    // Cell codes stay below 10000: a bitmap gives them in order, and the index of a code is
    // the number of codes below it.
    std::array<uint64_t, kCodeWords> bits{};
    for (const auto& eq : equations)
        for (int32_t c : eq.codes) {
            if (c < 0 || c >= kCodeLimit) throw std::out_of_range("unknown code outside 0..9999");
            bits[static_cast<size_t>(c) / 64] |= uint64_t{1} << (c % 64);
        }
    std::array<uint32_t, kCodeWords> below{};
    for (size_t w = 0; w < kCodeWords; ++w) {
        below[w] = static_cast<uint32_t>(codes_.size());
        for (uint64_t b = bits[w]; b != 0; b &= b - 1)
            codes_.push_back(static_cast<int32_t>(w * 64 + static_cast<size_t>(std::countr_zero(b))));
    }
    auto rank = [&](int32_t c) {
        const auto u = static_cast<size_t>(c);
        return below[u / 64] +
               static_cast<uint32_t>(std::popcount(bits[u / 64] & ((uint64_t{1} << (u % 64)) - 1)));
    };
    constrained_.assign(codes_.size(), 0);
    equations_.reserve(equations.size());
    for (const auto& eq : equations) {
        IndexedEquation e;
        e.rhs = eq.rhs;
        e.vars.reserve(eq.codes.size());
        for (int32_t c : eq.codes) e.vars.push_back(rank(c));
        if (!std::is_sorted(e.vars.begin(), e.vars.end())) std::sort(e.vars.begin(), e.vars.end());
        if (std::adjacent_find(e.vars.begin(), e.vars.end()) != e.vars.end())
            throw std::invalid_argument("equation names an unknown twice");
        if (eq.cellEquation)
            for (uint32_t v : e.vars) constrained_[v] = 1;
        if (e.vars.empty()) {
            if (e.rhs != 0) contradiction_ = true;
            continue;
        }
        equations_.push_back(std::move(e));
    }
}

std::optional<uint32_t> IndexedSystem::indexOf(int32_t code) const {
    const auto it = std::lower_bound(codes_.begin(), codes_.end(), code);
    if (it == codes_.end() || *it != code) return std::nullopt;
    return static_cast<uint32_t>(it - codes_.begin());
}

Prepared prepare(const IndexedSystem& system, std::span<const IndexedEquation> extra) {
    const size_t n = system.unknowns();
    Prepared p;
    p.solvable = !system.contradiction();
    p.fixed.assign(n, -1);
    std::vector<IndexedEquation> eqs = system.equations();
    for (const auto& e : extra)
        if (!e.vars.empty() || e.rhs != 0) eqs.push_back(e);
    eqs = canonical(std::move(eqs), p.solvable);

    // An equation over every unknown is the total sum. It would join everything into one
    // component, so it is kept apart and applied when the components are combined.
    for (size_t i = 0; i < eqs.size(); ++i)
        if (eqs[i].vars.size() == n) {
            p.hasTotal = true;
            p.total = eqs[i].rhs;
            eqs.erase(eqs.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    // The passes over all equations and unknowns: copying (an allocation per equation),
    // sorting (a comparison mostly decided by the first few unknowns), the lists by
    // unknown, reducing, grouping.
    uint64_t terms = 0;
    for (const auto& e : eqs) terms += e.vars.size();
    p.steps = 8 * terms + (256 + 4 * static_cast<uint64_t>(std::bit_width(eqs.size()))) * eqs.size() + 64 * n;
    if (!p.solvable || !propagate(eqs, p.fixed, p.steps)) {
        p.solvable = false;
        return p;
    }
    for (int8_t f : p.fixed) {
        if (f > 0) --p.total;
        if (f < 0) ++p.open;
    }
    if (p.hasTotal && (p.total < 0 || p.total > static_cast<int64_t>(p.open))) {
        p.solvable = false;
        return p;
    }
    reduce(eqs, p.fixed);
    const FlatLists eqsOf = equationsOf(eqs, n);
    std::vector<int64_t> localEq(eqs.size(), -1);
    for (auto& vars : connected(eqs, eqsOf, p.fixed, p.free))
        p.components.push_back(makeComponent(std::move(vars), eqs, eqsOf, localEq));
    // Grouping sorts the unknowns by their lists of equations.
    p.steps += eqsOf.items.size() * static_cast<uint64_t>(std::bit_width(n) + 1);
    return p;
}

}  // namespace gravlin::engine
