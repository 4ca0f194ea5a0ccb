// The order in which the component counter decides a component's groups.
//
// A heuristic, and harmless to exactness: every order enumerates the same layouts, so the
// order changes only how many states the counter holds at once (its time and memory), never
// a count. Candidates are sweeps across the field along either axis (on a grid of numbers
// the open equations then form one short column or row) and greedy walks that prefer groups
// closing many equations; the one with the smallest estimated table sizes wins.
#pragma once

#include <cstdint>
#include <vector>

#include "guards.h"
#include "prepare.h"

namespace gravlin::engine {

// codes: the cell code of every unknown, to place the groups on the field. The heuristic's
// own work is spent from the budget (TooLarge when it runs out).
std::vector<uint32_t> eliminationOrder(const Component& component, const std::vector<int32_t>& codes,
                                       Budget& budget);

}  // namespace gravlin::engine
