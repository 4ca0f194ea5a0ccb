// Best play near the end of a game, searched exactly.
//
// When few layouts of the undecided unknowns remain, every one of them is listed and the
// cell whose opening wins the most of them under best further play is found: the number an
// opened cell shows splits the layouts, a cell proven free whose number still tells
// something is opened first (at no risk), one layout left is a won game. Positions reached
// along different orders of play are the same set of layouts, so each set is searched once.
// Counts, not fractions: the comparison is exact, and ties go to the cell earlier in the
// order of preference. The work is bounded: past the limits there is no answer, never a
// guessed one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis.h"
#include "prepare.h"

namespace gravlin::engine {

struct EndgameLimits {
    size_t layouts = 1000;  // list and search up to this many layouts (at most 65,536)
    size_t unknowns = 64;   // ... over at most this many undecided unknowns (at most 64)
    // Layouts visited while listing (one more for each 16 equations the cell decided is
    // in) and searching (each part of a split, each count of mines per cell) and sets of
    // layouts remembered (8 each): about 30 ns a unit, and the memory kept stays below 10
    // bytes a unit.
    uint64_t work = 3'000'000;
};

struct EndgameResult {
    std::optional<size_t> cell;  // the unknown to open; nothing past the limits
    uint64_t work = 0;           // what the attempt took, in the units of EndgameLimits::work
};

// order: the undecided unknowns by preference among equals (the rest of the system's
// unknowns may be listed too, they are passed over).
EndgameResult bestEndgameCell(const IndexedSystem& system, const Analysis& an,
                              const std::vector<size_t>& order, const EndgameLimits& limits);

}  // namespace gravlin::engine
