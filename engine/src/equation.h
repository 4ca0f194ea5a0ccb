// Equations over 0/1 unknowns and the two text notations they arrive in.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace gravlin::engine {

// Sum of the unknowns (cell codes 100 * x + y, distinct, ascending) equals rhs.
struct Equation {
    std::vector<int32_t> codes;
    int64_t rhs = 0;
    // False for the total-sum equation, which only counts mines and locates no cell.
    bool cellEquation = true;
};

enum class ParseResult { Empty, Ok, Rejected };

// Compact notation: "0406+0408+0607=1". Whitespace between tokens is tolerated.
ParseResult parseCompact(std::string_view text, Equation& out);

// Display notation as built for the probability computation: equations such as
// "a[ 04,06 ] + a[ 04,08 ] = 1" separated by ",", the total sum marked "/*g*/".
// Empty items are skipped; any malformed item rejects the whole text.
ParseResult parseDisplaySystem(std::string_view text, std::vector<Equation>& out);

}  // namespace gravlin::engine
