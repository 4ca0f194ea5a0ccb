// Equations over 0/1 unknowns and the two text notations they arrive in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace gravlin::engine {

// What the game's largest board (30 x 24 cells) can produce, with room to spare for the
// texts; engine.h states them. Anything beyond them is unreadable.
constexpr size_t kMaxUnknowns = 720;            // distinct unknowns of a system: covered cells
constexpr size_t kMaxEquations = 721;           // one per open cell, and the total sum
constexpr size_t kMaxEquationText = 64 * 1024;  // one equation in compact notation: about 3.6 KB
constexpr size_t kMaxSystemText = 1024 * 1024;  // a system in display notation: about 90 KB

// Sum of the unknowns (cell codes 100 * x + y, distinct, ascending) equals rhs.
struct Equation {
    std::vector<int32_t> codes;
    int64_t rhs = 0;
    // False for the total-sum equation, which only counts mines and locates no cell.
    bool cellEquation = true;
};

enum class ParseResult { Empty, Ok, Rejected };

// Compact notation: "0406+0408+0607=1". Whitespace between tokens is tolerated. A text
// longer than kMaxEquationText or naming more than kMaxUnknowns unknowns is rejected.
ParseResult parseCompact(std::string_view text, Equation& out);

// Display notation as built for the probability computation: equations such as
// "a[ 04,06 ] + a[ 04,08 ] = 1" separated by ",", the total sum marked "/*g*/".
// Empty items are skipped; any malformed item rejects the whole text, and so does a text
// beyond the bounds above, as soon as it passes one.
ParseResult parseDisplaySystem(std::string_view text, std::vector<Equation>& out);

}  // namespace gravlin::engine
