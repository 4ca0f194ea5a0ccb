#include "analysis.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <utility>

namespace gravlin::engine {
namespace {

struct TooComplex {};
struct NoSolution {};

// ---------------------------------------------------------------------------------------
// Preparation: unknown indices, duplicate equations, the total sum, forced values,
// components and groups of interchangeable unknowns.

struct Group {
    int size = 0;
    std::vector<int> eqs;      // component-local equation ids
    std::vector<int> members;  // unknown indices
};

struct ComponentEq {
    int rhs = 0;
    std::vector<int> groups;
};

struct Component {
    std::vector<Group> groups;
    std::vector<ComponentEq> eqs;
};

struct Prepared {
    int unknowns = 0;
    std::vector<int8_t> fixed;  // -1 or the forced value
    bool hasTotal = false;
    int64_t total = 0;      // mines left for the unfixed unknowns of the total sum
    std::vector<int> free;  // unfixed unknowns that only the total sum touches
    std::vector<Component> components;
};

struct IndexedEq {
    std::vector<int> vars;
    int64_t rhs = 0;
};

// Lists of ints per owner in one flat array (owner o: items[start[o] .. start[o + 1])).
struct FlatLists {
    std::vector<int> start;
    std::vector<int> items;
    const int* begin(int o) const { return items.data() + start[static_cast<size_t>(o)]; }
    const int* end(int o) const { return items.data() + start[static_cast<size_t>(o) + 1]; }
    bool empty(int o) const { return begin(o) == end(o); }
};

// For each unknown the equations that contain it, in equation order.
FlatLists usesOf(const std::vector<IndexedEq>& eqs, int unknowns) {
    FlatLists f;
    f.start.assign(static_cast<size_t>(unknowns) + 1, 0);
    for (const auto& e : eqs)
        for (int v : e.vars) ++f.start[static_cast<size_t>(v) + 1];
    for (size_t i = 1; i < f.start.size(); ++i) f.start[i] += f.start[i - 1];
    f.items.resize(static_cast<size_t>(f.start.back()));
    std::vector<int> fill(f.start.begin(), f.start.end() - 1);
    for (size_t i = 0; i < eqs.size(); ++i)
        for (int v : eqs[i].vars)
            f.items[static_cast<size_t>(fill[static_cast<size_t>(v)]++)] = static_cast<int>(i);
    return f;
}

// Ascending distinct codes and the index of a code among them. Cell codes stay below
// 10000, so a bitmap gives the order without sorting and a per-thread table the index
// (only entries of present codes are read, so it is never cleared); other codes fall
// back to sorting.
class CodeIndex {
  public:
    explicit CodeIndex(const std::vector<Equation>& input) {
        for (const auto& eq : input)
            for (int32_t c : eq.codes)
                if (c < 0 || c >= kLimit) small_ = false;
        if (small_) {
            table_ = tableStore_;
            uint64_t bits[kWords] = {};
            for (const auto& eq : input)
                for (int32_t c : eq.codes) bits[c >> 6] |= uint64_t{1} << (c & 63);
            for (size_t w = 0; w < kWords; ++w)
                for (uint64_t b = bits[w]; b != 0; b &= b - 1) {
                    const auto code = static_cast<int32_t>(w * 64 + static_cast<size_t>(__builtin_ctzll(b)));
                    table_[code] = static_cast<uint16_t>(codes_.size());
                    codes_.push_back(code);
                }
        } else {
            for (const auto& eq : input) codes_.insert(codes_.end(), eq.codes.begin(), eq.codes.end());
            std::sort(codes_.begin(), codes_.end());
            codes_.erase(std::unique(codes_.begin(), codes_.end()), codes_.end());
        }
    }
    const std::vector<int32_t>& codes() const { return codes_; }
    int indexOf(int32_t code) const {
        if (small_) return table_[code];
        return static_cast<int>(std::lower_bound(codes_.begin(), codes_.end(), code) - codes_.begin());
    }

  private:
    static constexpr int32_t kLimit = 10000;
    static constexpr size_t kWords = (kLimit + 63) / 64;
    static thread_local uint16_t tableStore_[kLimit];
    uint16_t* table_ = nullptr;
    bool small_ = true;
    std::vector<int32_t> codes_;
};

thread_local uint16_t CodeIndex::tableStore_[CodeIndex::kLimit];

uint64_t hashVars(const std::vector<int>& vars) {
    uint64_t h = 0x9e3779b97f4a7c15ULL ^ vars.size();
    for (int v : vars) h = (h ^ static_cast<uint32_t>(v)) * 0xff51afd7ed558ccdULL;
    return h ^ (h >> 31);
}

Prepared prepare(const std::vector<Equation>& input, Analysis& out) {
    const CodeIndex index(input);
    out.codes = index.codes();
    const int n = static_cast<int>(out.codes.size());
    out.value.assign(static_cast<size_t>(n), -1);
    out.constrained.assign(static_cast<size_t>(n), false);

    std::vector<IndexedEq> eqs;
    eqs.reserve(input.size());
    for (const auto& eq : input) {
        IndexedEq e;
        e.rhs = eq.rhs;
        e.vars.resize(eq.codes.size());
        for (size_t i = 0; i < eq.codes.size(); ++i) e.vars[i] = index.indexOf(eq.codes[i]);
        if (eq.cellEquation)
            for (int v : e.vars) out.constrained[static_cast<size_t>(v)] = true;
        if (e.vars.empty()) {
            if (e.rhs != 0) throw NoSolution{};
            continue;
        }
        // Codes arrive ascending from the parser; equations built elsewhere may not.
        if (!std::is_sorted(e.vars.begin(), e.vars.end())) std::sort(e.vars.begin(), e.vars.end());
        eqs.push_back(std::move(e));
    }

    // The same equation given twice (neighbouring cells often see the same unknowns) is
    // kept once, at its first place; the same unknowns with two different sums have no
    // solution.
    std::vector<std::pair<uint64_t, size_t>> byHash(eqs.size());
    for (size_t i = 0; i < eqs.size(); ++i) byHash[i] = {hashVars(eqs[i].vars), i};
    std::sort(byHash.begin(), byHash.end());
    std::vector<char> dropped(eqs.size(), 0);
    for (size_t r = 0; r < byHash.size();) {
        size_t end = r + 1;
        while (end < byHash.size() && byHash[end].first == byHash[r].first) ++end;
        for (size_t i = r; i < end; ++i) {
            const size_t a = byHash[i].second;
            if (dropped[a]) continue;
            for (size_t j = i + 1; j < end; ++j) {
                const size_t b = byHash[j].second;
                if (dropped[b] || eqs[a].vars != eqs[b].vars) continue;
                if (eqs[a].rhs != eqs[b].rhs) throw NoSolution{};
                dropped[b] = 1;
            }
        }
        r = end;
    }
    std::vector<IndexedEq> unique;
    unique.reserve(eqs.size());
    for (size_t i = 0; i < eqs.size(); ++i)
        if (!dropped[i]) unique.push_back(std::move(eqs[i]));

    Prepared p;
    p.unknowns = n;
    p.fixed.assign(static_cast<size_t>(n), -1);

    // An equation over every unknown is the total sum. It joins everything into one
    // component, so it is kept apart and applied when the components are combined.
    size_t totalAt = unique.size();
    for (size_t i = 0; i < unique.size(); ++i)
        if (static_cast<int>(unique[i].vars.size()) == n) totalAt = i;
    if (totalAt < unique.size()) {
        p.hasTotal = true;
        p.total = unique[totalAt].rhs;
        unique.erase(unique.begin() + static_cast<std::ptrdiff_t>(totalAt));
    }

    // Forced values: a sum of 0 makes all its unknowns free, a full sum all mines. A fixed
    // unknown puts its equations back on the work list.
    const FlatLists uses = usesOf(unique, n);
    std::vector<int> work(unique.size());
    std::iota(work.begin(), work.end(), 0);
    std::vector<char> queued(unique.size(), 1);
    while (!work.empty()) {
        const auto& e = unique[static_cast<size_t>(work.back())];
        queued[static_cast<size_t>(work.back())] = 0;
        work.pop_back();
        int64_t open = 0;
        int64_t rest = e.rhs;
        for (int v : e.vars) {
            const int8_t f = p.fixed[static_cast<size_t>(v)];
            if (f < 0)
                ++open;
            else
                rest -= f;
        }
        if (rest < 0 || rest > open) throw NoSolution{};
        if (open == 0 || (rest != 0 && rest != open)) continue;
        for (int v : e.vars) {
            if (p.fixed[static_cast<size_t>(v)] >= 0) continue;
            p.fixed[static_cast<size_t>(v)] = rest == 0 ? 0 : 1;
            for (const int* o = uses.begin(v); o != uses.end(v); ++o)
                if (!queued[static_cast<size_t>(*o)]) {
                    queued[static_cast<size_t>(*o)] = 1;
                    work.push_back(*o);
                }
        }
    }

    if (p.hasTotal)
        for (int8_t f : p.fixed)
            if (f > 0) --p.total;

    // Reduced equations over the unfixed unknowns, then components by union-find.
    std::vector<IndexedEq>& reduced = unique;
    for (auto& e : reduced) {
        size_t kept = 0;
        for (int v : e.vars) {
            const int8_t f = p.fixed[static_cast<size_t>(v)];
            if (f < 0)
                e.vars[kept++] = v;
            else
                e.rhs -= f;
        }
        e.vars.resize(kept);
    }
    reduced.erase(
        std::remove_if(reduced.begin(), reduced.end(), [](const IndexedEq& e) { return e.vars.empty(); }),
        reduced.end());

    std::vector<int> parent(static_cast<size_t>(n));
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&](int v) {
        while (parent[static_cast<size_t>(v)] != v) {
            parent[static_cast<size_t>(v)] = parent[static_cast<size_t>(parent[static_cast<size_t>(v)])];
            v = parent[static_cast<size_t>(v)];
        }
        return v;
    };
    for (const auto& e : reduced)
        for (size_t i = 1; i < e.vars.size(); ++i)
            parent[static_cast<size_t>(find(e.vars[i]))] = find(e.vars[0]);

    const FlatLists eqsOf = usesOf(reduced, n);
    auto sameEqs = [&](int a, int b) {
        return std::equal(eqsOf.begin(a), eqsOf.end(a), eqsOf.begin(b), eqsOf.end(b));
    };

    std::vector<int> componentOf(static_cast<size_t>(n), -1);
    std::vector<std::vector<int>> members;
    for (int v = 0; v < n; ++v) {
        if (p.fixed[static_cast<size_t>(v)] >= 0) continue;
        if (eqsOf.empty(v)) {
            p.free.push_back(v);
            continue;
        }
        const int root = find(v);
        if (componentOf[static_cast<size_t>(root)] < 0) {
            componentOf[static_cast<size_t>(root)] = static_cast<int>(members.size());
            members.emplace_back();
        }
        members[static_cast<size_t>(componentOf[static_cast<size_t>(root)])].push_back(v);
    }

    std::vector<int> localEq(reduced.size(), -1);
    for (auto& vars : members) {
        Component c;
        // Unknowns in exactly the same equations are interchangeable: one group each.
        std::stable_sort(vars.begin(), vars.end(), [&](int a, int b) {
            return std::lexicographical_compare(eqsOf.begin(a), eqsOf.end(a), eqsOf.begin(b), eqsOf.end(b));
        });
        for (size_t i = 0; i < vars.size(); ++i) {
            if (i == 0 || !sameEqs(vars[i], vars[i - 1])) {
                Group g;
                for (const int* e = eqsOf.begin(vars[i]); e != eqsOf.end(vars[i]); ++e) {
                    if (localEq[static_cast<size_t>(*e)] < 0) {
                        localEq[static_cast<size_t>(*e)] = static_cast<int>(c.eqs.size());
                        ComponentEq ce;
                        ce.rhs = static_cast<int>(reduced[static_cast<size_t>(*e)].rhs);
                        c.eqs.push_back(ce);
                    }
                    g.eqs.push_back(localEq[static_cast<size_t>(*e)]);
                }
                c.groups.push_back(std::move(g));
            }
            c.groups.back().members.push_back(vars[i]);
            ++c.groups.back().size;
        }
        for (size_t gi = 0; gi < c.groups.size(); ++gi)
            for (int e : c.groups[gi].eqs)
                c.eqs[static_cast<size_t>(e)].groups.push_back(static_cast<int>(gi));
        p.components.push_back(std::move(c));
    }
    return p;
}

// ---------------------------------------------------------------------------------------
// Counting rows: entry k is a count of layouts with k mines, for k in [lo, lo + len).

struct Row {
    int lo = 0;
    int len = 0;
    std::vector<Limb> v;
    int hi() const { return lo + len - 1; }
};

template <class A>
Row makeRow(const A& a, int lo, int len) {
    Row r;
    r.lo = lo;
    r.len = std::max(len, 0);
    r.v.assign(static_cast<size_t>(r.len) * static_cast<size_t>(a.limbs), 0);
    return r;
}

template <class A>
Limb* at(const A& a, Row& r, int k) {
    return &r.v[static_cast<size_t>(k - r.lo) * static_cast<size_t>(a.limbs)];
}
template <class A>
const Limb* at(const A& a, const Row& r, int k) {
    return &r.v[static_cast<size_t>(k - r.lo) * static_cast<size_t>(a.limbs)];
}

// Convolution of two rows, keeping indices up to maxIndex.
template <class A>
Row convolve(const A& a, const Row& x, const Row& y, int maxIndex) {
    const int lo = x.lo + y.lo;
    const int hi = std::min(x.hi() + y.hi(), maxIndex);
    Row r = makeRow(a, lo, hi - lo + 1);
    if (x.len == 0 || y.len == 0) r = makeRow(a, 0, 0);
    for (int i = 0; i < x.len; ++i) {
        const Limb* xi = at(a, x, x.lo + i);
        if (a.isZero(xi)) continue;
        for (int j = 0; j < y.len && x.lo + i + y.lo + j <= hi; ++j)
            a.addMul(at(a, r, x.lo + i + y.lo + j), xi, at(a, y, y.lo + j));
    }
    return r;
}

// ---------------------------------------------------------------------------------------
// Counting within one component: dynamic programming over the groups in an order that
// keeps few equations open at a time. A state holds, per open equation, how many mines
// it still needs; its row counts the ways to reach it by number of mines placed so far.
// Collapsed, a state keeps one entry for all its mine counts (and still the exact least
// and most mines that reach it): enough when the number of mines does not matter.

// Per group g of a component and value j = 0..size: one number, all in one array.
struct RawCounts {
    std::vector<Limb> v;
    std::vector<size_t> start;  // per group: index of its j = 0 entry
    size_t limbs = 1;
    Limb* at(size_t g, size_t j) { return v.data() + (start[g] + j) * limbs; }
    const Limb* at(size_t g, size_t j) const { return v.data() + (start[g] + j) * limbs; }
};

template <class A>
class ComponentCounter {
  public:
    ComponentCounter(const A& arith, const Component& comp, size_t& budget, bool collapse = false)
        : a_(arith), c_(comp), budget_(budget), collapse_(collapse) {}

    // Least and most mines of the component's layouts; only after forward() found some.
    int minMines() const { return layers_.back().lo[0]; }
    int maxMines() const { return layers_.back().hi[0]; }

    // Counts the component's layouts by number of mines.
    Row forward() {
        chooseOrder();
        const size_t L = static_cast<size_t>(a_.limbs);
        layers_.clear();
        layers_.reserve(order_.size() + 1);
        Layer first;
        first.lo.push_back(0);
        first.hi.push_back(0);
        first.off.push_back(0);
        first.vals.assign(L, 0);
        first.vals[0] = 1;
        layers_.push_back(std::move(first));

        remaining_.assign(c_.eqs.size(), 0);
        capacity_.assign(c_.eqs.size(), 0);
        for (size_t e = 0; e < c_.eqs.size(); ++e) {
            remaining_[e] = static_cast<int>(c_.eqs[e].groups.size());
            for (int g : c_.eqs[e].groups) capacity_[e] += c_.groups[static_cast<size_t>(g)].size;
        }
        slotOf_.assign(c_.eqs.size(), -1);
        for (int g : order_) step(g);

        const Layer& last = layers_.back();
        Row r;
        if (last.count() == 0) return makeRow(a_, 0, 0);
        r = makeRow(a_, last.lo[0], rowLength(last, 0));
        std::copy(last.vals.begin(), last.vals.begin() + static_cast<std::ptrdiff_t>(r.v.size()),
                  r.v.begin());
        return r;
    }

    // For every group g and value j, raw[g][j] = sum over the component's layouts with j
    // mines in g (counting each choice of members once) of weight(mines of the layout).
    void backward(const Row& weight, RawCounts& raw) {
        const size_t L = static_cast<size_t>(a_.limbs);
        raw.limbs = L;
        raw.start.resize(c_.groups.size() + 1);
        raw.start[0] = 0;
        for (size_t g = 0; g < c_.groups.size(); ++g)
            raw.start[g + 1] = raw.start[g] + static_cast<size_t>(c_.groups[g].size) + 1;
        raw.v.assign(raw.start.back() * L, 0);
        if (layers_.back().count() == 0) return;

        const Layer& last = layers_.back();
        std::vector<Limb> after(last.vals.size(), 0);
        for (int k = last.lo[0]; k <= lastMines(last, 0); ++k)
            if (k >= weight.lo && k <= weight.hi())
                std::copy_n(at(a_, weight, k), L, &after[entry(last, 0, k)]);

        std::vector<Limb> before;
        std::vector<Limb> sum(L);
        for (size_t t = order_.size(); t-- > 0;) {
            const Layer& prev = layers_[t];
            const Layer& next = layers_[t + 1];
            const Group& group = c_.groups[static_cast<size_t>(order_[t])];
            const size_t choices = static_cast<size_t>(group.size) + 1;
            before.assign(prev.vals.size(), 0);
            for (size_t s = 0; s < prev.count(); ++s) {
                for (size_t j = 0; j < choices; ++j) {
                    const int32_t target = prev.next[s * choices + j];
                    if (target < 0) continue;
                    const auto ts = static_cast<size_t>(target);
                    const Limb* c = a_.binomial(group.size, static_cast<int64_t>(j));
                    const bool unit = a_.isOne(c);
                    std::fill(sum.begin(), sum.end(), 0);
                    for (int k = prev.lo[s]; k <= lastMines(prev, s); ++k) {
                        const Limb* b = &after[entry(next, ts, k + static_cast<int>(j))];
                        if (a_.isZero(b)) continue;
                        const size_t here = entry(prev, s, k);
                        if (unit)
                            a_.add(&before[here], b);
                        else
                            a_.addMul(&before[here], c, b);
                        a_.addMul(sum.data(), &prev.vals[here], b);
                    }
                    a_.add(raw.at(static_cast<size_t>(order_[t]), j), sum.data());
                }
            }
            after.swap(before);
        }
    }

  private:
    struct Layer {
        std::vector<int> eqs;        // the open equation of each slot
        std::vector<uint16_t> keys;  // per state: mines each open equation still needs
        std::vector<int> lo, hi;     // per state: range of mines placed so far
        std::vector<size_t> off;     // per state: start of its row in vals
        std::vector<Limb> vals;
        std::vector<int32_t> next;  // per state and value of the next group: target state
        size_t count() const { return lo.size(); }
    };

    // Entries of a state's row, the last mine count with an entry of its own, and where
    // the entry for k mines starts in vals.
    int rowLength(const Layer& l, size_t s) const { return collapse_ ? 1 : l.hi[s] - l.lo[s] + 1; }
    int lastMines(const Layer& l, size_t s) const { return collapse_ ? l.lo[s] : l.hi[s]; }
    size_t entry(const Layer& l, size_t s, int k) const {
        return l.off[s] + (collapse_ ? 0 : static_cast<size_t>(k - l.lo[s])) * static_cast<size_t>(a_.limbs);
    }

    void spend(size_t words) {
        if (words > budget_) throw TooComplex{};
        budget_ -= words;
    }

    // Last group reached by a breadth-first walk from `from`: a far end of the component.
    int farthest(int from) const {
        std::vector<char> seenG(c_.groups.size(), 0), seenE(c_.eqs.size(), 0);
        std::vector<int> queue{from};
        seenG[static_cast<size_t>(from)] = 1;
        for (size_t qi = 0; qi < queue.size(); ++qi)
            for (int e : c_.groups[static_cast<size_t>(queue[qi])].eqs) {
                if (seenE[static_cast<size_t>(e)]) continue;
                seenE[static_cast<size_t>(e)] = 1;
                for (int h : c_.eqs[static_cast<size_t>(e)].groups)
                    if (!seenG[static_cast<size_t>(h)]) {
                        seenG[static_cast<size_t>(h)] = 1;
                        queue.push_back(h);
                    }
            }
        return queue.back();
    }

    // Greedy path-like order: each next group closes as many equations and opens as few
    // as possible. Returns the order and its cost: the largest and the summed logarithm
    // of the number of states the open equations allow.
    std::pair<double, double> greedyOrder(int start, std::vector<int>& order) const {
        const size_t G = c_.groups.size();
        const size_t E = c_.eqs.size();
        order.clear();
        std::vector<int> left(E);
        for (size_t e = 0; e < E; ++e) left[e] = static_cast<int>(c_.eqs[e].groups.size());
        std::vector<char> open(E, 0), done(G, 0), candidate(G, 0);
        std::vector<int> candidates{start};
        candidate[static_cast<size_t>(start)] = 1;
        double width = 0, worst = 0, sum = 0;
        while (order.size() < G) {
            int best = -1;
            size_t bestAt = 0;
            int bestScore = 0, bestOpens = 0;
            for (size_t i = 0; i < candidates.size(); ++i) {
                const int g = candidates[i];
                int opens = 0, closes = 0;
                for (int e : c_.groups[static_cast<size_t>(g)].eqs) {
                    if (left[static_cast<size_t>(e)] == 1)
                        ++closes;
                    else if (!open[static_cast<size_t>(e)])
                        ++opens;
                }
                const int score = opens - closes;
                if (best < 0 || score < bestScore || (score == bestScore && opens < bestOpens)) {
                    best = g;
                    bestAt = i;
                    bestScore = score;
                    bestOpens = opens;
                }
            }
            candidates[bestAt] = candidates.back();
            candidates.pop_back();
            done[static_cast<size_t>(best)] = 1;
            order.push_back(best);
            for (int e : c_.groups[static_cast<size_t>(best)].eqs) {
                const double states = std::log2(c_.eqs[static_cast<size_t>(e)].rhs + 1.0);
                if (open[static_cast<size_t>(e)]) width -= states;
                --left[static_cast<size_t>(e)];
                open[static_cast<size_t>(e)] = left[static_cast<size_t>(e)] > 0;
                if (open[static_cast<size_t>(e)]) width += states;
                for (int h : c_.eqs[static_cast<size_t>(e)].groups)
                    if (!done[static_cast<size_t>(h)] && !candidate[static_cast<size_t>(h)]) {
                        candidate[static_cast<size_t>(h)] = 1;
                        candidates.push_back(h);
                    }
            }
            worst = std::max(worst, width);
            sum += std::exp2(std::min(width, 60.0));
        }
        return {worst, sum};
    }

    // The cheapest of a few greedy orders started at far ends and at a group of few
    // equations: a poor start can cost orders of magnitude on grid-like components.
    void chooseOrder() {
        const int a = farthest(0);
        const int b = farthest(a);
        int fewest = 0;
        for (size_t g = 0; g < c_.groups.size(); ++g)
            if (c_.groups[g].eqs.size() < c_.groups[static_cast<size_t>(fewest)].eqs.size())
                fewest = static_cast<int>(g);
        std::pair<double, double> bestCost{0, 0};
        std::vector<int> order;
        bool first = true;
        for (int start : {a, b, fewest}) {
            const auto cost = greedyOrder(start, order);
            if (first || cost.second < bestCost.second) {
                bestCost = cost;
                order_ = order;
                first = false;
            }
            if (c_.groups.size() < 8) break;  // small components: any order will do
        }
    }

    // Open-addressing index of the states of the layer being built.
    class StateIndex {
      public:
        void reset(size_t width) {
            width_ = width;
            table_.assign(64, -1);
            used_ = 0;
        }
        // Index of the key in keys (appending it when new), and whether it was new.
        std::pair<int32_t, bool> insert(std::vector<uint16_t>& keys, const uint16_t* key) {
            if ((used_ + 1) * 2 > table_.size()) grow(keys);
            const size_t mask = table_.size() - 1;
            for (size_t h = hash(key) & mask;; h = (h + 1) & mask) {
                const int32_t s = table_[h];
                if (s < 0) {
                    const auto id = static_cast<int32_t>(used_++);
                    const size_t at = keys.size();
                    keys.resize(at + width_);
                    if (width_ != 0) std::memcpy(&keys[at], key, width_ * sizeof(uint16_t));
                    table_[h] = id;
                    return {id, true};
                }
                if (width_ == 0 ||
                    std::memcmp(&keys[static_cast<size_t>(s) * width_], key, width_ * sizeof(uint16_t)) == 0)
                    return {s, false};
            }
        }

      private:
        size_t hash(const uint16_t* key) const {
            // Four entries per round.
            uint64_t h = 0x9e3779b97f4a7c15ULL;
            size_t i = 0;
            for (; i + 4 <= width_; i += 4) {
                uint64_t word = 0;
                std::memcpy(&word, key + i, sizeof word);
                h = (h ^ word) * 0xff51afd7ed558ccdULL;
                h ^= h >> 32;
            }
            for (; i < width_; ++i) h = (h ^ key[i]) * 0xff51afd7ed558ccdULL;
            return static_cast<size_t>(h ^ (h >> 29));
        }
        void grow(const std::vector<uint16_t>& keys) {
            table_.assign(table_.size() * 2, -1);
            const size_t mask = table_.size() - 1;
            for (size_t s = 0; s < used_; ++s) {
                size_t h = hash(&keys[s * width_]) & mask;
                while (table_[h] >= 0) h = (h + 1) & mask;
                table_[h] = static_cast<int32_t>(s);
            }
        }
        size_t width_ = 0;
        size_t used_ = 0;
        std::vector<int32_t> table_;
    };

    void step(int g) {
        const Group& group = c_.groups[static_cast<size_t>(g)];
        Layer& prev = layers_.back();
        const size_t pw = prev.eqs.size();
        for (size_t i = 0; i < pw; ++i) slotOf_[static_cast<size_t>(prev.eqs[i])] = static_cast<int>(i);

        // Recipe for each slot of the next layer: where its value comes from.
        struct Slot {
            int from;      // slot in prev, or -1 when the equation opens now
            int base;      // its right-hand side when it opens now
            bool touched;  // the group is in the equation: subtract the group's mines
            int cap;       // mines the equation's later groups can still take
        };
        struct Check {
            int from;  // slot in prev, or -1
            int base;
        };
        std::vector<char> inGroup(c_.eqs.size(), 0);
        for (int e : group.eqs) {
            inGroup[static_cast<size_t>(e)] = 1;
            --remaining_[static_cast<size_t>(e)];
            capacity_[static_cast<size_t>(e)] -= group.size;
        }
        Layer next;
        std::vector<Slot> slots;
        std::vector<Check> closing;  // equations completed by this group: must reach 0
        for (size_t i = 0; i < pw; ++i) {
            const int e = prev.eqs[i];
            if (inGroup[static_cast<size_t>(e)] && remaining_[static_cast<size_t>(e)] == 0) {
                closing.push_back({static_cast<int>(i), 0});
                continue;
            }
            next.eqs.push_back(e);
            slots.push_back({static_cast<int>(i), 0, inGroup[static_cast<size_t>(e)] != 0,
                             capacity_[static_cast<size_t>(e)]});
        }
        for (int e : group.eqs) {
            if (slotOf_[static_cast<size_t>(e)] >= 0) continue;
            const int rhs = c_.eqs[static_cast<size_t>(e)].rhs;
            if (remaining_[static_cast<size_t>(e)] == 0) {
                closing.push_back({-1, rhs});
                continue;
            }
            next.eqs.push_back(e);
            slots.push_back({-1, rhs, true, capacity_[static_cast<size_t>(e)]});
        }
        for (size_t i = 0; i < pw; ++i) slotOf_[static_cast<size_t>(prev.eqs[i])] = -1;

        const size_t nw = slots.size();
        const size_t choices = static_cast<size_t>(group.size) + 1;
        spend(prev.count() * choices);
        prev.next.assign(prev.count() * choices, -1);
        StateIndex index;
        index.reset(nw);
        std::vector<uint16_t> key(nw);
        for (size_t s = 0; s < prev.count(); ++s) {
            const uint16_t* pk = prev.keys.data() + s * pw;
            for (int j = 0; j <= group.size; ++j) {
                bool ok = true;
                for (const auto& c : closing)
                    if ((c.from >= 0 ? pk[c.from] : c.base) != j) ok = false;
                for (size_t i = 0; ok && i < nw; ++i) {
                    const Slot& sl = slots[i];
                    int v = sl.from >= 0 ? pk[sl.from] : sl.base;
                    if (sl.touched) v -= j;
                    if (v < 0 || v > sl.cap) ok = false;
                    key[i] = static_cast<uint16_t>(v < 0 ? 0 : v);
                }
                if (!ok) continue;
                const auto [id, fresh] = index.insert(next.keys, key.data());
                prev.next[s * choices + static_cast<size_t>(j)] = id;
                const int lo = prev.lo[s] + j;
                const int hi = prev.hi[s] + j;
                if (fresh) {
                    next.lo.push_back(lo);
                    next.hi.push_back(hi);
                } else {
                    next.lo[static_cast<size_t>(id)] = std::min(next.lo[static_cast<size_t>(id)], lo);
                    next.hi[static_cast<size_t>(id)] = std::max(next.hi[static_cast<size_t>(id)], hi);
                }
            }
        }

        const size_t L = static_cast<size_t>(a_.limbs);
        next.off.resize(next.count());
        size_t total = 0;
        for (size_t s = 0; s < next.count(); ++s) {
            next.off[s] = total;
            total += static_cast<size_t>(rowLength(next, s)) * L;
        }
        spend(total * 2 + next.keys.size() / 4);
        next.vals.assign(total, 0);
        for (size_t s = 0; s < prev.count(); ++s) {
            for (size_t j = 0; j < choices; ++j) {
                const int32_t target = prev.next[s * choices + j];
                if (target < 0) continue;
                const auto ts = static_cast<size_t>(target);
                const Limb* c = a_.binomial(group.size, static_cast<int64_t>(j));
                const bool unit = a_.isOne(c);
                for (int k = prev.lo[s]; k <= lastMines(prev, s); ++k) {
                    const Limb* src = &prev.vals[entry(prev, s, k)];
                    Limb* dst = &next.vals[entry(next, ts, k + static_cast<int>(j))];
                    if (unit)
                        a_.add(dst, src);
                    else
                        a_.addMul(dst, c, src);
                }
            }
        }
        layers_.push_back(std::move(next));
    }

    const A& a_;
    const Component& c_;
    size_t& budget_;
    const bool collapse_;
    std::vector<int> order_;
    std::vector<Layer> layers_;
    std::vector<int> remaining_;
    std::vector<int> capacity_;
    std::vector<int> slotOf_;
};

// ---------------------------------------------------------------------------------------
// Combining the components with the total sum.

// Runs the counting with arithmetic A; calls onGroup(group, raw, denominator) for each
// group, raw pointing at its numbers for j = 0..size as ComponentCounter::backward made them;
// onFree(numerator of "mine", numerator of "free", denominator) for the unknowns only the total sum touches.
// Returns false when no layout fits.
template <class A, class OnGroup, class OnFree>
bool count(const A& a, const Prepared& p, size_t budget, OnGroup onGroup, OnFree onFree) {
    const size_t L = static_cast<size_t>(a.limbs);
    const size_t C = p.components.size();
    std::vector<ComponentCounter<A>> counters;
    counters.reserve(C);
    std::vector<Row> rows;
    for (const auto& comp : p.components) {
        counters.emplace_back(a, comp, budget);
        rows.push_back(counters.back().forward());
        if (rows.back().len == 0) return false;
    }

    std::vector<Row> weights(C);
    std::vector<std::vector<Limb>> denominators(C);
    if (!p.hasTotal) {
        for (size_t c = 0; c < C; ++c) {
            weights[c] = makeRow(a, rows[c].lo, rows[c].len);
            denominators[c].assign(L, 0);
            for (int k = rows[c].lo; k <= rows[c].hi(); ++k) {
                at(a, weights[c], k)[0] = 1;
                a.add(denominators[c].data(), at(a, rows[c], k));
            }
            if (a.isZero(denominators[c].data())) return false;
        }
    } else {
        if (p.total < 0 || p.total > p.unknowns) return false;
        const int T = static_cast<int>(p.total);
        const int U = static_cast<int>(p.free.size());
        // before[c]: components before c; after[c]: components from c on, with the
        // unknowns only the total sum touches; all cut at T mines.
        std::vector<Row> before(C + 1), after(C + 1);
        before[0] = makeRow(a, 0, 1);
        at(a, before[0], 0)[0] = 1;
        for (size_t c = 0; c < C; ++c) before[c + 1] = convolve(a, before[c], rows[c], T);
        // C(U, u) for the u that some mix of the components leaves to the unknowns only
        // the total sum touches: from T minus the most mines the components can hold.
        const int firstFree = std::max(0, T - before[C].hi());
        const int lastFree = std::min(U, T);
        after[C] = makeRow(a, firstFree, lastFree - firstFree + 1);
        if (after[C].len > 0) a.binomials(U, firstFree, lastFree, after[C].v.data());
        for (size_t c = C; c-- > 0;) after[c] = convolve(a, rows[c], after[c + 1], T);

        std::vector<Limb> total(L, 0);
        if (after[0].len > 0 && T >= after[0].lo && T <= after[0].hi())
            std::copy_n(at(a, after[0], T), L, total.data());
        if (a.isZero(total.data())) return false;

        for (size_t c = 0; c < C; ++c) {
            const Row& r = rows[c];
            weights[c] = makeRow(a, r.lo, r.len);
            for (int k = r.lo; k <= r.hi(); ++k) {
                Limb* w = at(a, weights[c], k);
                for (int m = before[c].lo; m <= before[c].hi(); ++m) {
                    const int rest = T - k - m;
                    if (rest < after[c + 1].lo) break;
                    if (rest > after[c + 1].hi()) continue;
                    a.addMul(w, at(a, before[c], m), at(a, after[c + 1], rest));
                }
            }
            denominators[c] = total;
        }
        if (U > 0) {
            // One of the U unknowns is a mine in C(U - 1, u - 1) = C(U, u) * u / U of the
            // C(U, u) ways to place u mines on them, free in C(U, u) * (U - u) / U: the
            // numerators over U times the total.
            std::vector<Limb> mine(L, 0), free(L, 0), ways(L), factor(L, 0), den(L, 0);
            const Row& all = before[C];
            const Row& binomials = after[C];
            for (int m = all.lo; m <= all.hi(); ++m) {
                const int u = T - m;
                if (u < binomials.lo || u > binomials.hi()) continue;
                std::fill(ways.begin(), ways.end(), 0);
                a.addMul(ways.data(), at(a, all, m), at(a, binomials, u));
                factor[0] = static_cast<Limb>(u);
                a.addMul(mine.data(), ways.data(), factor.data());
                factor[0] = static_cast<Limb>(U - u);
                a.addMul(free.data(), ways.data(), factor.data());
            }
            factor[0] = static_cast<Limb>(U);
            a.addMul(den.data(), total.data(), factor.data());
            onFree(mine, free, den);
        }
    }

    RawCounts raw;
    for (size_t c = 0; c < C; ++c) {
        counters[c].backward(weights[c], raw);
        const auto& groups = p.components[c].groups;
        for (size_t g = 0; g < groups.size(); ++g) onGroup(groups[g], raw.at(g, 0), denominators[c]);
    }
    return true;
}

void markFixed(const Prepared& p, Analysis& out) {
    for (size_t v = 0; v < p.fixed.size(); ++v)
        if (p.fixed[v] >= 0) out.value[v] = p.fixed[v];
}

// Limbs that hold every count of the system with room for the scaling done when printing
// and for the intermediate products of the binomial rows.
int limbsFor(int unknowns) {
    return (unknowns + 64) / 64 + 1;
}

// 0 or 1 when every layout counted in raw puts that many mines on each member, else -1.
// raw holds one saturated count per j (one word each).
int8_t groupVerdict(const Group& g, const Limb* raw) {
    const bool someZero = raw[0] != 0;
    const bool someFull = raw[g.size] != 0;
    bool between = false;
    for (int j = 1; j < g.size; ++j) between = between || raw[j] != 0;
    return between || (someZero && someFull) ? -1 : someZero ? 0 : 1;
}

// Determination without counting by number of mines. That is exact without the total
// sum, and with it when every mix of the components' least and most mines leaves the
// unknowns only the total sum touches a number of mines they can hold: then every layout
// of every component extends to a whole solution. Returns false when the total binds.
bool determineIgnoringMineCounts(const Prepared& p, size_t budget, Analysis& out) {
    SatArith a;
    const size_t C = p.components.size();
    std::vector<ComponentCounter<SatArith>> counters;
    counters.reserve(C);
    std::vector<Row> rows;
    int64_t least = 0;
    int64_t most = 0;
    for (const auto& comp : p.components) {
        counters.emplace_back(a, comp, budget, true);
        rows.push_back(counters.back().forward());
        if (rows.back().len == 0) throw NoSolution{};
        least += counters.back().minMines();
        most += counters.back().maxMines();
    }
    const auto U = static_cast<int64_t>(p.free.size());
    if (p.hasTotal && (p.total - most < 0 || p.total - least > U)) return false;

    RawCounts raw;
    for (size_t c = 0; c < C; ++c) {
        Row weight = makeRow(a, rows[c].lo, 1);
        at(a, weight, rows[c].lo)[0] = 1;
        counters[c].backward(weight, raw);
        for (const auto& g : p.components[c].groups) {
            const int8_t v =
                groupVerdict(g, raw.at(static_cast<size_t>(&g - p.components[c].groups.data()), 0));
            for (int m : g.members) out.value[static_cast<size_t>(m)] = v;
        }
    }
    if (p.hasTotal && U > 0) {
        const bool mineSomewhere = p.total - least >= 1;
        const bool freeSomewhere = p.total - most <= U - 1;
        const int8_t v = !mineSomewhere ? 0 : !freeSomewhere ? 1 : -1;
        for (int m : p.free) out.value[static_cast<size_t>(m)] = v;
    }
    return true;
}

}  // namespace

Analysis analyseDetermination(const std::vector<Equation>& equations, size_t workLimit) {
    Analysis out;
    try {
        const Prepared p = prepare(equations, out);
        if (!determineIgnoringMineCounts(p, workLimit, out)) {
            SatArith a;
            const bool solvable = count(
                a, p, workLimit,
                [&](const Group& g, const Limb* raw, const std::vector<Limb>&) {
                    const int8_t v = groupVerdict(g, raw);
                    for (int m : g.members) out.value[static_cast<size_t>(m)] = v;
                },
                [&](const std::vector<Limb>& mine, const std::vector<Limb>& free, const std::vector<Limb>&) {
                    const int8_t v = a.isZero(mine.data()) ? 0 : a.isZero(free.data()) ? 1 : -1;
                    for (int m : p.free) out.value[static_cast<size_t>(m)] = v;
                });
            if (!solvable) throw NoSolution{};
        }
        markFixed(p, out);
    } catch (const NoSolution&) {
        out.status = Analysis::Status::NoSolution;
        out.value.assign(out.codes.size(), -1);
    } catch (const TooComplex&) {
        out.status = Analysis::Status::TooComplex;
        out.value.assign(out.codes.size(), -1);
    }
    return out;
}

Analysis analyseProbabilities(const std::vector<Equation>& equations, size_t workLimit) {
    Analysis out;
    try {
        const Prepared p = prepare(equations, out);
        const BigArith a(limbsFor(p.unknowns));
        const size_t n = out.codes.size();
        auto trimmed = [](const Limb* v, size_t limbs) {
            while (limbs > 0 && v[limbs - 1] == 0) --limbs;
            return std::vector<Limb>(v, v + limbs);
        };
        // Classes 0 and 1: the unknowns fixed free and fixed as mines.
        out.probabilities.push_back({{}, {1}});
        out.probabilities.push_back({{1}, {1}});
        out.classOf.assign(n, -1);
        const size_t L = static_cast<size_t>(a.limbs);
        const bool solvable = count(
            a, p, workLimit,
            [&](const Group& g, const Limb* raw, const std::vector<Limb>& den) {
                // Each member is a mine in C(size - 1, j - 1) of the C(size, j) ways to
                // place j mines in the group.
                std::vector<Limb> num(L, 0);
                for (int j = 1; j <= g.size; ++j)
                    a.addMul(num.data(), a.binomial(g.size - 1, j - 1), raw + static_cast<size_t>(j) * L);
                const auto id = static_cast<int32_t>(out.probabilities.size());
                out.probabilities.push_back({trimmed(num.data(), L), trimmed(den.data(), L)});
                for (int m : g.members) out.classOf[static_cast<size_t>(m)] = id;
            },
            [&](const std::vector<Limb>& mine, const std::vector<Limb>&, const std::vector<Limb>& den) {
                const auto id = static_cast<int32_t>(out.probabilities.size());
                out.probabilities.push_back({trimmed(mine.data(), L), trimmed(den.data(), L)});
                for (int m : p.free) out.classOf[static_cast<size_t>(m)] = id;
            });
        if (!solvable) throw NoSolution{};
        std::vector<int8_t> classValue(out.probabilities.size());
        for (size_t c = 0; c < out.probabilities.size(); ++c) {
            const auto& f = out.probabilities[c];
            classValue[c] = f.num.empty() ? 0 : bignum::compare(f.num, f.den) == 0 ? 1 : -1;
        }
        for (size_t v = 0; v < n; ++v) {
            if (p.fixed[v] >= 0) out.classOf[v] = p.fixed[v];
            out.value[v] = classValue[static_cast<size_t>(out.classOf[v])];
        }
    } catch (const NoSolution&) {
        out.status = Analysis::Status::NoSolution;
        out.value.assign(out.codes.size(), -1);
        out.probabilities.clear();
        out.classOf.clear();
    } catch (const TooComplex&) {
        out.status = Analysis::Status::TooComplex;
        out.value.assign(out.codes.size(), -1);
        out.probabilities.clear();
        out.classOf.clear();
    }
    return out;
}

}  // namespace gravlin::engine
