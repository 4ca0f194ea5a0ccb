// The probability text shown to the player.
#pragma once

#include <string>
#include <string_view>

#include "guards.h"
#include "suggestion.h"

namespace gravlin::engine {

// Parses a system in display notation and lays out every unknown's mine probability on
// the field's grid, after the suggestion of the cell to open (suggestion.h). Lines end in
// CR LF; the text is UTF-8. When a guard trips, the cells whose probability could not be
// computed show "?" and a line says so.
std::string probabilityReport(std::string_view system, SuggestionRule rule = SuggestionRule::BestChance,
                              const Limits& limits = {});

}  // namespace gravlin::engine
