#pragma once
// An independent determination of a position by enumeration, to hold the engine's answer
// against where automatic play stops.

#include <cstdint>
#include <string>
#include <vector>

#include "gravlin/game/board_state.h"

namespace gravlin::bench {

// What the player sees, read from the board: open numbers, marks and the mine total.
struct Determination {
    enum class Status { Decided, TooLarge, Inconsistent };
    Status status = Status::Decided;
    // Cell codes 100 * x + y of covered cells, ascending.
    std::vector<std::int32_t> free;
    std::vector<std::int32_t> mines;
    int covered = 0;
    int frontier = 0;      // covered cells next to an open number
    int largestGroup = 0;  // unknowns of the largest group of linked equations
    long long leaves = 0;  // consistent assignments enumerated
    std::string problem;   // for Inconsistent: what did not add up
};

struct DeterminationLimits {
    int maxGroup = 64;                 // unknowns of one group of linked equations
    long long maxNodes = 200'000'000;  // search steps over the whole position
};

// Every covered cell that is a mine (or free) in every placement of the remaining mines
// consistent with the open numbers and the mine total. Marks count as known mines; a mark on
// a cell without a mine makes the position Inconsistent.
Determination determine(const BoardState& f, const DeterminationLimits& limits = {});

}  // namespace gravlin::bench
