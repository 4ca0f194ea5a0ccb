// The probability text shown to the player.
#pragma once

#include <string>
#include <string_view>

#include "guards.h"

namespace gravlin::engine {

// Parses a system in display notation and lays out every unknown's mine probability on
// the field's grid, with a suggestion of the safest cell. Lines end in CR LF. When a guard
// trips, the cells whose probability could not be computed show "?" and a line says so.
std::string probabilityReport(std::string_view system, const Limits& limits = {});

}  // namespace gravlin::engine
