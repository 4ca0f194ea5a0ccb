// The board behind the unknowns: an unknown's code 100 * x + y names a cell, and the cells
// around it are those whose x and y differ by at most one. What a cell shows when it is
// opened is the number of mines among them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "prepare.h"

namespace gravlin::engine {

// The unknowns on the cells around unknown i, ascending.
std::vector<uint32_t> neighbourUnknowns(const IndexedSystem& system, size_t i);

}  // namespace gravlin::engine
