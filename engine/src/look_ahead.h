// The look-ahead of the suggestion where the layouts are too many to search exactly: each
// candidate cell weighed by what the numbers it may show lead to.
//
// For a cell and each number it may show, the layouts where it is safe and shows that
// number are counted exactly (a census with the two equations added), and in that position
// either some further cell is proven free or not. Two weighings of the same counts:
// - Two steps: the chance to survive the cell and the guess after it: where no further
//   cell is proven free, the safest cell of that position is the next guess, its chance
//   taken from the exact probabilities there. A candidate is weighed as long as it could
//   still beat the best (two steps are never safer than the first).
// - Progress: the chance to be safe, times one plus the chance to be safe and prove a
//   further cell free; the candidates are the cells at most 1.5 times as risky as the
//   safest, plus 0.02.
// Either way, of the cells only the total sum names, the first of each number of covered
// neighbours stands for the others, and a cell whose number is the same in every layout
// where it is safe ("dead": opening it tells nothing) is taken only when no informative
// candidate was weighed: it has to be opened sooner or later, and later it may have turned
// out to be a mine. Deterministic: the candidates are weighed in the order given and only a
// strictly better one replaces the best so far.
//
// The work is estimated in units of census effort (about 10 ns each) plus the set-up every
// analysis repeats; before a candidate would pass that budget the weighing stops and the
// best so far stands. The estimate can be far off (a census that a guard stops or that finds
// no solution reports no effort, and an added equation can make a census much dearer than
// the position's own), so a second budget bounds what the analyses really take, in steps of
// Limits::work: each analysis may take only the steps left, and a candidate that an analysis
// cut short leaves the weighing with the best so far.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis.h"
#include "guards.h"
#include "prepare.h"

namespace gravlin::engine {

enum class Weighing { TwoSteps, Progress };

struct LookAheadInput {
    const IndexedSystem& system;
    const Analysis& analysis;           // with probabilities, no cell certainly free
    const std::vector<size_t>& order;   // the undecided unknowns, safest first
    const std::vector<long double>& p;  // per unknown its mine probability (for those in order)
    long double layouts;                // the system's layouts, at least one
    uint64_t baseEffort;                // census effort of the system alone
};

struct LookAheadBudget {
    uint64_t effort;  // estimated, in units of census effort
    uint64_t steps;   // taken, in steps of Limits::work
};

struct LookAheadResult {
    std::optional<size_t> cell;  // nothing when the budget allowed no candidate
    uint64_t work = 0;
};

LookAheadResult lookAhead(const LookAheadInput& in, Weighing weighing, LookAheadBudget budget,
                          const Limits& analysisLimits);

}  // namespace gravlin::engine
