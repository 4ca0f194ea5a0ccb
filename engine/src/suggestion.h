// Which covered cell to open when the position proves none free.
//
// A heuristic on top of the exact analysis: it chooses the cell the report names and never
// changes a probability or a listing. Deterministic: the same system names the same cell,
// whatever order its equations came in (ties go to the safer cell, then to one a cell
// equation names, then to the lower code). In this order:
// - A certainly free cell, when there is one.
// - A pair holding one mine that no number but their own can ever tell apart (named by the
//   same equations, and every other cell that could still be opened sees both or neither):
//   it has to be guessed sooner or later, at even odds whenever, and guessed first the
//   number of the safe one may tell something about the rest.
// - Near the end, when the remaining layouts are few, the exact search of best play
//   (endgame.h).
// - Otherwise a look-ahead (look_ahead.h): up to some thousands of layouts the cell with the
//   best chance to survive it and the guess after it; beyond, where most of the game is
//   still covered, safety weighed by the chance that the cell's number proves a further
//   cell free. (Measured on whole games and against best play where it can be searched:
//   the chance of two steps chooses better in the smaller positions, and no better than
//   the chance of progress in the larger ones, while it takes more guesses.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "analysis.h"
#include "endgame.h"
#include "guards.h"
#include "prepare.h"

namespace gravlin::engine {

struct SuggestionLimits {
    EndgameLimits endgame{1000, 64, 3'000'000};
    size_t twoStepLayouts = 20'000;  // weigh two steps up to this many layouts
    // Work of the look-ahead's analyses (census effort and the set-up each repeats, about
    // 10 ns a unit); before a candidate would pass it, the remaining ones are not weighed and
    // the best so far stands. Keeps every system within a person's patience.
    uint64_t lookAheadWork = 20'000'000;
    // The bound behind that estimate: steps (Limits::work) that the analysis of the position
    // and the look-ahead's analyses may take together, each of them stopped by a guard at what
    // is left, and the set-up each repeats. A candidate whose weighing it cuts short is not
    // taken.
    uint64_t steps = 400'000'000;
};

enum class SuggestionRule {
    BestChance,  // as above
    Safest,      // the lowest probability, among equals a cell some cell equation names
};

// The unknown to open: a certainly free one when there is one, else by the rule. Nothing
// when the analysis has no solution or, being partial, knows no free cell.
std::optional<size_t> suggestCell(const IndexedSystem& system, const Analysis& probabilities,
                                  SuggestionRule rule = SuggestionRule::BestChance,
                                  const SuggestionLimits& limits = {}, const Limits& analysisLimits = {});

}  // namespace gravlin::engine
