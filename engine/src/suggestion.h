// Which covered cell to open when the position proves none free.
//
// A heuristic on top of the exact analysis: it chooses the cell the report names and never
// changes a probability or a listing. Two ways of looking ahead, both exact in what they
// compute and deterministic (ties go to the safer cell, then to one a cell equation names,
// then to the lower code):
// - Near the end, when the remaining layouts are few, every layout is listed and the cell
//   that wins the most of them under best further play is taken: the number each opened cell
//   would show splits the layouts, and a cell proven free is opened without risk.
// - Otherwise the safest cells (and one cell of each kind that no equation names: by its
//   number of covered neighbours, corner-, edge- and inside-like) are weighed by how likely
//   they are to be safe and to show a number that proves at least one more cell free, which
//   is decided exactly on the system extended by that number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "analysis.h"
#include "guards.h"
#include "prepare.h"

namespace gravlin::engine {

struct SuggestionLimits {
    size_t endgameLayouts = 1000;     // list the layouts and search exactly up to this many
    size_t endgameUnknowns = 64;      // ... over at most this many undecided unknowns
    uint64_t endgameSteps = 100'000;  // steps of listing and searching before giving up
    // Summed effort of the look-ahead analyses (census.effort and the set-up each repeats,
    // about 10 ns a unit); before a candidate would pass it, the remaining ones are not
    // weighed and the best so far stands. Keeps every system within a person's patience.
    uint64_t lookAheadEffort = 20'000'000;
    // Candidates: a mine probability up to this factor of the safest's, plus the slack. Measured
    // on 40,000 expert games against a fixed margin of 0.1: 0.2 points more games won.
    double riskFactor = 1.5;
    double riskSlack = 0.02;
};

enum class SuggestionRule {
    BestChance,  // the look-ahead above
    Safest,      // the lowest probability, among equals a cell some cell equation names
};

// The unknown to open: a certainly free one when there is one, else by the rule. Nothing
// when the analysis has no solution or, being partial, knows no free cell.
std::optional<size_t> suggestCell(const IndexedSystem& system, const Analysis& probabilities,
                                  SuggestionRule rule = SuggestionRule::BestChance,
                                  const SuggestionLimits& limits = {}, const Limits& analysisLimits = {});

}  // namespace gravlin::engine
