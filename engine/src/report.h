// The probability text shown to the player.
#pragma once

#include <string>
#include <string_view>

namespace gravlin::engine {

// Parses a system in display notation and lays out every unknown's mine probability on
// the field's grid, with a suggestion of the safest cell. Lines end in CR LF.
std::string probabilityReport(std::string_view system);

}  // namespace gravlin::engine
