#pragma once
// The suggestion rule before the two-step rule, for comparison on the same layouts.

#include <cstddef>
#include <optional>

#include "analysis.h"
#include "prepare.h"

namespace gravlin::bench {

// The unknown that rule names: a certainly free one first; nothing without a solution or
// for a partial analysis.
std::optional<size_t> previousSuggestion(const engine::IndexedSystem& system, const engine::Analysis& an);

}  // namespace gravlin::bench
