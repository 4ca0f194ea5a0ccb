// The suggestion rule the engine shipped before the two-step rule, kept verbatim as the
// benchmark's reference: the win-rate benchmark plays it beside the engine's rule on the
// same layouts. Not product code; it changes only if the engine's interfaces do.
#include "previous_suggestion.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <unordered_map>
#include <vector>

#include "bignum.h"

namespace gravlin::bench {
namespace {

using namespace gravlin::engine;

struct SuggestionLimits {
    size_t endgameLayouts = 1000;
    size_t endgameUnknowns = 64;
    uint64_t endgameSteps = 100'000;
    uint64_t lookAheadEffort = 20'000'000;
    double riskFactor = 1.5;
    double riskSlack = 0.02;
};

using Fraction = Analysis::Fraction;

long double toReal(const bignum::Number& n) {
    long double r = 0;
    for (size_t i = n.size(); i-- > 0;) r = r * 18446744073709551616.0L + static_cast<long double>(n[i]);
    return r;
}

// a < b for positive denominators; with the total sum they are mostly equal.
bool less(const Fraction& a, const Fraction& b) {
    if (bignum::compare(a.den, b.den) == 0) return bignum::compare(a.num, b.num) < 0;
    return bignum::compare(bignum::multiply(a.num, b.den), bignum::multiply(b.num, a.den)) < 0;
}

// Per unknown: the rank of its probability among the distinct values (equal values share
// one), or SIZE_MAX where the analysis has none.
std::vector<size_t> probabilityRanks(const Analysis& an) {
    const auto& fractions = an.probabilities;
    std::vector<size_t> byValue(fractions.size());
    for (size_t c = 0; c < byValue.size(); ++c) byValue[c] = c;
    std::sort(byValue.begin(), byValue.end(),
              [&](size_t x, size_t y) { return less(fractions[x], fractions[y]); });
    std::vector<size_t> classRank(fractions.size(), 0);
    for (size_t i = 1; i < byValue.size(); ++i)
        classRank[byValue[i]] =
            classRank[byValue[i - 1]] + (less(fractions[byValue[i - 1]], fractions[byValue[i]]));
    std::vector<size_t> rank(an.codes.size(), SIZE_MAX);
    for (size_t i = 0; i < rank.size(); ++i)
        if (an.classOf[i] >= 0) rank[i] = classRank[static_cast<size_t>(an.classOf[i])];
    return rank;
}

// Unknowns that may still be opened, safest first; among equals those a cell equation
// names, then by code.
std::vector<size_t> byRisk(const Analysis& an, const std::vector<size_t>& rank) {
    std::vector<size_t> order;
    for (size_t i = 0; i < an.codes.size(); ++i)
        if (an.value[i] < 0 && rank[i] != SIZE_MAX) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (rank[a] != rank[b]) return rank[a] < rank[b];
        return an.constrained[a] > an.constrained[b];
    });
    return order;
}

// The unknowns on the cells around unknown i, ascending.
std::vector<uint32_t> neighbours(const IndexedSystem& system, size_t i) {
    const int32_t code = system.codes()[i];
    const int32_t x = code / 100;
    const int32_t y = code % 100;
    std::vector<uint32_t> out;
    for (int32_t nx = x - 1; nx <= x + 1; ++nx)
        for (int32_t ny = y - 1; ny <= y + 1; ++ny) {
            if ((nx == x && ny == y) || nx < 0 || ny < 0 || ny > 99) continue;
            if (const auto k = system.indexOf(100 * nx + ny)) out.push_back(*k);
        }
    return out;
}

// ---------------------------------------------------------------------------------------
// Near the end: every layout listed, best play searched exactly.

class Endgame {
  public:
    Endgame(const SuggestionLimits& limits) : limits_(limits) {}

    // Lists the layouts of the undecided unknowns; false when there are too many of them or
    // of the layouts, or the steps ran out. order: the unknowns by preference among equals.
    bool list(const IndexedSystem& system, const Analysis& an, const std::vector<size_t>& order);

    // The unknown whose opening wins the most layouts; nothing when the steps ran out.
    std::optional<size_t> best();

  private:
    using Subset = std::vector<uint16_t>;

    bool step() { return ++steps_ <= limits_.endgameSteps; }
    void listFrom(size_t v);
    uint32_t won(const Subset& layouts);
    uint32_t wonAfterOpening(size_t cell, const Subset& layouts);
    std::vector<uint32_t> minesPerCell(const Subset& layouts) const;
    // The cells that may be guessed, fewest mines first, then by preference.
    std::vector<size_t> guesses(const Subset& layouts, const std::vector<uint32_t>& mines) const;

    const SuggestionLimits& limits_;
    uint64_t steps_ = 0;
    bool aborted_ = false;
    std::vector<size_t> living_;    // local cell -> unknown
    std::vector<uint64_t> around_;  // local cell -> its living neighbours
    std::vector<size_t> rank_;      // local cell -> place in the order of preference
    struct LocalEquation {
        std::vector<uint32_t> vars;
        int64_t rest = 0;
        int64_t left = 0;
    };
    std::vector<LocalEquation> equations_;
    std::vector<std::vector<uint32_t>> equationsOf_;
    uint64_t current_ = 0;
    std::vector<uint64_t> layouts_;  // mines of each layout, one bit per local cell
    std::unordered_map<std::string, uint32_t> memo_;
};

bool Endgame::list(const IndexedSystem& system, const Analysis& an, const std::vector<size_t>& order) {
    std::vector<int32_t> local(an.codes.size(), -1);
    for (size_t i = 0; i < an.codes.size(); ++i)
        if (an.value[i] < 0) {
            local[i] = static_cast<int32_t>(living_.size());
            living_.push_back(i);
        }
    if (living_.empty() || living_.size() > std::min<size_t>(limits_.endgameUnknowns, 64)) return false;
    rank_.assign(living_.size(), order.size());
    for (size_t r = 0; r < order.size(); ++r)
        if (local[order[r]] >= 0) rank_[static_cast<size_t>(local[order[r]])] = r;
    for (size_t i : living_) {
        uint64_t mask = 0;
        for (uint32_t n : neighbours(system, i))
            if (local[n] >= 0) mask |= uint64_t{1} << local[n];
        around_.push_back(mask);
    }
    equationsOf_.resize(living_.size());
    for (const IndexedEquation& e : system.equations()) {
        LocalEquation le;
        le.rest = e.rhs;
        for (uint32_t v : e.vars) {
            if (local[v] >= 0)
                le.vars.push_back(static_cast<uint32_t>(local[v]));
            else
                le.rest -= an.value[v];
        }
        if (le.vars.empty()) continue;
        le.left = static_cast<int64_t>(le.vars.size());
        for (uint32_t v : le.vars) equationsOf_[v].push_back(static_cast<uint32_t>(equations_.size()));
        equations_.push_back(std::move(le));
    }
    listFrom(0);
    return !aborted_ && !layouts_.empty();
}

void Endgame::listFrom(size_t v) {
    if (aborted_) return;
    if (!step() || layouts_.size() > limits_.endgameLayouts) {
        aborted_ = true;
        return;
    }
    if (v == living_.size()) {
        layouts_.push_back(current_);
        return;
    }
    for (int64_t mine = 0; mine <= 1; ++mine) {
        bool fits = true;
        for (uint32_t e : equationsOf_[v]) {
            LocalEquation& le = equations_[e];
            le.rest -= mine;
            --le.left;
            fits = fits && le.rest >= 0 && le.rest <= le.left;
        }
        if (fits) {
            if (mine) current_ |= uint64_t{1} << v;
            listFrom(v + 1);
            current_ &= ~(uint64_t{1} << v);
        }
        for (uint32_t e : equationsOf_[v]) {
            equations_[e].rest += mine;
            ++equations_[e].left;
        }
    }
}

std::vector<uint32_t> Endgame::minesPerCell(const Subset& layouts) const {
    std::vector<uint32_t> mines(living_.size(), 0);
    for (uint16_t s : layouts)
        for (uint64_t bits = layouts_[s]; bits != 0; bits &= bits - 1) ++mines[std::countr_zero(bits)];
    return mines;
}

// The layouts where the cell is safe, split by the number it shows; each part is then
// played on.
uint32_t Endgame::wonAfterOpening(size_t cell, const Subset& layouts) {
    std::array<Subset, 9> shows;
    for (uint16_t s : layouts)
        if (!(layouts_[s] >> cell & 1))
            shows[static_cast<size_t>(std::popcount(layouts_[s] & around_[cell]))].push_back(s);
    uint32_t sum = 0;
    for (const Subset& part : shows)
        if (!part.empty()) sum += won(part);
    return sum;
}

// How many of the layouts best play wins: one layout left is a won game; a safe cell whose
// number still differs between layouts is opened first, at no risk; otherwise the best
// guess. Counts, not fractions, so the comparison is exact.
uint32_t Endgame::won(const Subset& layouts) {
    if (layouts.size() == 1) return 1;
    if (aborted_ || !step()) {
        aborted_ = true;
        return 0;
    }
    std::string key(reinterpret_cast<const char*>(layouts.data()), layouts.size() * sizeof(uint16_t));
    if (const auto it = memo_.find(key); it != memo_.end()) return it->second;
    const std::vector<uint32_t> mines = minesPerCell(layouts);
    uint32_t result = 0;
    bool opened = false;
    for (size_t c = 0; c < living_.size() && !opened; ++c) {
        if (mines[c] != 0) continue;
        const uint64_t first = std::popcount(layouts_[layouts[0]] & around_[c]);
        for (uint16_t s : layouts)
            if (static_cast<uint64_t>(std::popcount(layouts_[s] & around_[c])) != first) {
                opened = true;
                break;
            }
        if (opened) result = wonAfterOpening(c, layouts);
    }
    if (!opened) {
        for (size_t c : guesses(layouts, mines)) {
            if (layouts.size() - mines[c] <= result) break;  // cannot beat the best so far
            result = std::max(result, wonAfterOpening(c, layouts));
            if (aborted_) return 0;
        }
    }
    memo_.emplace(std::move(key), result);
    return result;
}

std::vector<size_t> Endgame::guesses(const Subset& layouts, const std::vector<uint32_t>& mines) const {
    std::vector<size_t> cells;
    for (size_t c = 0; c < living_.size(); ++c)
        if (mines[c] > 0 && mines[c] < layouts.size()) cells.push_back(c);
    std::sort(cells.begin(), cells.end(), [&](size_t a, size_t b) {
        return mines[a] != mines[b] ? mines[a] < mines[b] : rank_[a] < rank_[b];
    });
    return cells;
}

std::optional<size_t> Endgame::best() {
    Subset all(layouts_.size());
    for (size_t s = 0; s < all.size(); ++s) all[s] = static_cast<uint16_t>(s);
    const std::vector<uint32_t> mines = minesPerCell(all);
    std::optional<size_t> best;
    uint32_t bestWon = 0;
    for (size_t c : guesses(all, mines)) {
        if (best && all.size() - mines[c] <= bestWon) break;
        const uint32_t w = wonAfterOpening(c, all);
        if (aborted_) return std::nullopt;
        if (!best || w > bestWon) {
            best = living_[c];
            bestWon = w;
        }
    }
    return best;
}

// ---------------------------------------------------------------------------------------
// Look-ahead: safety weighed by the chance to prove a further cell free.

// The candidates: every cell some cell equation names not much riskier than the safest, and
// of the cells only the total sum names, the first of each number of covered neighbours.
std::vector<size_t> candidates(const IndexedSystem& system, const Analysis& an,
                               const std::vector<size_t>& order, const std::vector<long double>& p,
                               const SuggestionLimits& limits) {
    std::vector<size_t> out;
    std::array<bool, 9> kindTaken{};
    const long double limit = p[order.front()] * limits.riskFactor + limits.riskSlack;
    for (size_t i : order) {
        if (p[i] > limit) break;
        if (an.constrained[i]) {
            out.push_back(i);
            continue;
        }
        const size_t kind = neighbours(system, i).size();
        if (!kindTaken[kind]) {
            kindTaken[kind] = true;
            out.push_back(i);
        }
    }
    return out;
}

// P(safe and some further cell then proven free), over the numbers the cell may show.
struct Outlook {
    long double progress = 0;
    uint64_t effort = 0;
};

Outlook outlook(const IndexedSystem& system, const Analysis& an, size_t cell, long double layouts,
                const Limits& analysisLimits) {
    Outlook out;
    const std::vector<uint32_t> around = neighbours(system, cell);
    int64_t lo = 0;
    int64_t hi = static_cast<int64_t>(around.size());
    for (uint32_t n : around) {
        if (an.value[n] == 1) ++lo;
        if (an.value[n] == 0) --hi;
    }
    std::vector<IndexedEquation> extra{{{static_cast<uint32_t>(cell)}, 0}, {around, 0}};
    if (around.empty()) extra.pop_back();
    for (int64_t shows = lo; shows <= hi; ++shows) {
        if (!around.empty()) extra[1].rhs = shows;
        const Census c = census(system, extra, analysisLimits);
        out.effort += c.effort;
        if (c.analysis.status != Analysis::Status::Solvable) continue;
        bool further = false;
        for (size_t i = 0; i < an.value.size() && !further; ++i)
            further = i != cell && c.analysis.value[i] == 0 && an.value[i] != 0;
        if (further) out.progress += toReal(c.layouts) / layouts;
    }
    return out;
}

std::optional<size_t> bestChance(const IndexedSystem& system, const Analysis& an,
                                 const std::vector<size_t>& order, const SuggestionLimits& limits,
                                 const Limits& analysisLimits) {
    const Census base = census(system, {}, analysisLimits);
    if (base.analysis.status != Analysis::Status::Solvable || base.layouts.empty()) return order.front();
    const long double layouts = toReal(base.layouts);
    if (layouts <= static_cast<long double>(limits.endgameLayouts)) {
        Endgame endgame(limits);
        if (endgame.list(system, an, order))
            if (const auto cell = endgame.best()) return cell;
    }
    std::vector<long double> p(an.codes.size(), 1);
    for (size_t i : order) {
        const Fraction* f = an.probability(i);
        p[i] = toReal(f->num) / toReal(f->den);
    }
    std::optional<size_t> best;
    long double bestScore = 0;
    uint64_t effort = 0;
    for (size_t cell : candidates(system, an, order, p, limits)) {
        // Each number the cell may show costs about one analysis of the whole system.
        const uint64_t estimate = (neighbours(system, cell).size() + 1) * std::max<uint64_t>(base.effort, 1);
        if (effort + estimate > limits.lookAheadEffort) break;
        const Outlook o = outlook(system, an, cell, layouts, analysisLimits);
        effort += o.effort;
        const long double score = (1 - p[cell]) * (1 + o.progress);
        if (!best || score > bestScore) {
            best = cell;
            bestScore = score;
        }
    }
    return best ? best : order.front();
}

}  // namespace

std::optional<size_t> previousSuggestion(const IndexedSystem& system, const Analysis& an) {
    if (an.status == Analysis::Status::NoSolution) return std::nullopt;
    for (size_t i = 0; i < an.value.size(); ++i)
        if (an.value[i] == 0) return i;
    if (an.status == Analysis::Status::Partial) return std::nullopt;
    const std::vector<size_t> order = byRisk(an, probabilityRanks(an));
    if (order.empty()) return std::nullopt;
    return bestChance(system, an, order, SuggestionLimits{}, Limits{});
}

}  // namespace gravlin::bench
