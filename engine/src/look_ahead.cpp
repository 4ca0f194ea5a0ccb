#include "look_ahead.h"

#include <algorithm>
#include <array>
#include <optional>

#include "bignum.h"
#include "neighbours.h"

namespace gravlin::engine {
namespace {

long double toReal(const bignum::Number& n) {
    long double r = 0;
    for (size_t i = n.size(); i-- > 0;) r = r * 18446744073709551616.0L + static_cast<long double>(n[i]);
    return r;
}

// What an analysis costs beyond the states and limb operations its census counts: setting
// up the components again, per unknown a cell equation names, in about the same units.
// Decisive where many small components cost little to count (long chains of pairs).
uint64_t setUpEffort(const IndexedSystem& system) {
    constexpr uint64_t kPerUnknown = 64;
    const auto& named = system.constrained();
    return kPerUnknown * static_cast<uint64_t>(std::count(named.begin(), named.end(), 1) + 1);
}

// The same in steps of Limits::work (about a nanosecond each).
constexpr uint64_t kStepsPerEffort = 10;

// The equations over codes again, for an analysis of the system with more of them.
std::vector<Equation> asEquations(const IndexedSystem& system) {
    std::vector<Equation> out;
    for (const IndexedEquation& e : system.equations()) {
        Equation q{{}, e.rhs, true};
        for (uint32_t v : e.vars) q.codes.push_back(system.codes()[v]);
        // Only the total sum names every unknown (of a system with more than one).
        q.cellEquation = q.codes.size() != system.unknowns() || system.unknowns() == 1;
        out.push_back(std::move(q));
    }
    return out;
}

class LookAhead {
  public:
    LookAhead(const LookAheadInput& in, Weighing weighing, LookAheadBudget budget, const Limits& limits)
        : in_(in),
          weighing_(weighing),
          budget_(budget.effort),
          steps_(budget.steps),
          limits_(limits),
          setUp_(setUpEffort(in.system)),
          equations_(weighing == Weighing::TwoSteps ? asEquations(in.system) : std::vector<Equation>{}) {}

    LookAheadResult choose();

  private:
    struct Weighed {
        long double score = 0;     // by the weighing
        long double progress = 0;  // the chance to be safe and prove a further cell free
        int numbers = 0;           // the numbers the cell can show when safe
        bool complete = true;      // false: a bound cut it short, or made it pointless
    };
    Weighed weigh(size_t cell, long double toBeat);
    bool provesMore(size_t cell, const Census& c) const;
    // The chance to survive the safest cell of the position where the cell is safe and
    // shows `shows`; nothing when a guard stopped the analysis.
    std::optional<long double> nextSafety(size_t cell, const std::vector<uint32_t>& around, int64_t shows,
                                          const Census& c);
    bool worthWeighing(size_t cell, long double toBeat);
    // The limits of the next analysis: no more work than the steps left.
    Limits nextLimits() const;
    // Counts an analysis's steps and its set-ups (census: one); false when a guard stopped
    // it. Once no steps are left, no further candidate is weighed.
    bool took(const Analysis& an, uint64_t setUps);

    const LookAheadInput& in_;
    const Weighing weighing_;
    const uint64_t budget_;
    uint64_t steps_;  // left
    const Limits& limits_;
    const uint64_t setUp_;
    const std::vector<Equation> equations_;
    uint64_t work_ = 0;
    bool spent_ = false;
    std::array<bool, 9> kindTaken_{};
};

LookAhead::Weighed LookAhead::weigh(size_t cell, long double toBeat) {
    const Analysis& an = in_.analysis;
    Weighed w;
    const std::vector<uint32_t> around = neighbourUnknowns(in_.system, cell);
    int64_t lo = 0;
    int64_t hi = static_cast<int64_t>(around.size());
    for (uint32_t n : around) {
        if (an.value[n] == 1) ++lo;
        if (an.value[n] == 0) --hi;
    }
    std::vector<IndexedEquation> extra{{{static_cast<uint32_t>(cell)}, 0}, {around, 0}};
    if (around.empty()) extra.pop_back();
    const long double safe = 1 - in_.p[cell];
    long double left = safe;  // safe layouts not yet split by number
    for (int64_t shows = lo; shows <= hi; ++shows) {
        if (weighing_ == Weighing::TwoSteps && w.score + left <= toBeat) {
            w.complete = false;
            break;
        }
        if (!around.empty()) extra[1].rhs = shows;
        const Census c = census(in_.system, extra, nextLimits());
        work_ += c.effort + setUp_;
        if (!took(c.analysis, 1)) {
            w.complete = false;
            break;
        }
        if (c.analysis.status != Analysis::Status::Solvable) continue;
        const long double part = toReal(c.layouts) / in_.layouts;
        left -= part;
        ++w.numbers;
        const bool more = provesMore(cell, c);
        if (more) w.progress += part;
        if (weighing_ == Weighing::TwoSteps && !more) {
            const std::optional<long double> next = nextSafety(cell, around, shows, c);
            if (!next) {
                w.complete = false;
                break;
            }
            w.score += part * *next;
        } else if (weighing_ == Weighing::TwoSteps) {
            w.score += part;
        }
    }
    if (weighing_ == Weighing::Progress) w.score = safe * (1 + w.progress);
    return w;
}

Limits LookAhead::nextLimits() const {
    Limits limits = limits_;
    limits.work = std::min(limits.work, steps_);
    return limits;
}

bool LookAhead::took(const Analysis& an, uint64_t setUps) {
    steps_ -= std::min(steps_, an.work + setUps * kStepsPerEffort * setUp_);
    if (steps_ == 0) spent_ = true;
    return an.status != Analysis::Status::Partial;
}

// Some further cell proven free, or none left to open: the next step is safe.
bool LookAhead::provesMore(size_t cell, const Census& c) const {
    const Analysis& an = in_.analysis;
    bool undecided = false;
    for (size_t i = 0; i < an.value.size(); ++i) {
        if (i != cell && c.analysis.value[i] == 0 && an.value[i] != 0) return true;
        undecided = undecided || c.analysis.value[i] < 0;
    }
    return !undecided;
}

std::optional<long double> LookAhead::nextSafety(size_t cell, const std::vector<uint32_t>& around,
                                                 int64_t shows, const Census& c) {
    std::vector<Equation> more = equations_;
    more.push_back({{in_.system.codes()[cell]}, 0, true});
    if (!around.empty()) {
        Equation e{{}, shows, true};
        for (uint32_t v : around) e.codes.push_back(in_.system.codes()[v]);
        more.push_back(std::move(e));
    }
    const Analysis next = analyseProbabilities(more, nextLimits());
    work_ += 3 * c.effort + setUp_;
    // Reading the equations again costs about another set-up.
    if (!took(next, 2)) return std::nullopt;
    long double best = 0;
    for (size_t i = 0; i < next.value.size(); ++i) {
        const Analysis::Fraction* f = next.value[i] < 0 ? next.probability(i) : nullptr;
        if (f != nullptr) best = std::max(best, 1 - toReal(f->num) / toReal(f->den));
    }
    return best;
}

// Whether the cell is a candidate and the budget still allows weighing it.
bool LookAhead::worthWeighing(size_t cell, long double toBeat) {
    const std::vector<uint32_t> around = neighbourUnknowns(in_.system, cell);
    if (!in_.analysis.constrained[cell]) {
        if (kindTaken_[around.size()]) return false;
        kindTaken_[around.size()] = true;
    }
    // Each number the cell may show costs a census, and for two steps about an analysis.
    const uint64_t perNumber =
        weighing_ == Weighing::TwoSteps ? 4 * in_.baseEffort + 2 * setUp_ : in_.baseEffort + setUp_;
    if (work_ + (around.size() + 1) * perNumber > budget_ || steps_ == 0) spent_ = true;
    return !spent_ && 1 - in_.p[cell] > toBeat;
}

LookAheadResult LookAhead::choose() {
    std::optional<size_t> best, dead;
    long double bestScore = 0, deadScore = 0;
    const long double riskiest = in_.p[in_.order.front()] * 1.5L + 0.02L;
    for (size_t cell : in_.order) {
        if (weighing_ == Weighing::Progress && in_.p[cell] > riskiest) break;
        // Two steps are never safer than the first.
        if (weighing_ == Weighing::TwoSteps && best && 1 - in_.p[cell] <= bestScore) break;
        const long double toBeat = weighing_ == Weighing::TwoSteps && best ? bestScore : 0;
        if (!worthWeighing(cell, toBeat)) {
            if (spent_) break;
            continue;
        }
        const Weighed w = weigh(cell, toBeat);
        if (!w.complete) continue;
        if (w.numbers == 1) {
            if (!dead || w.score > deadScore) {
                dead = cell;
                deadScore = w.score;
            }
        } else if (!best || w.score > bestScore) {
            best = cell;
            bestScore = w.score;
        }
    }
    return {best ? best : dead, work_};
}

}  // namespace

LookAheadResult lookAhead(const LookAheadInput& in, Weighing weighing, LookAheadBudget budget,
                          const Limits& analysisLimits) {
    return LookAhead(in, weighing, budget, analysisLimits).choose();
}

}  // namespace gravlin::engine
