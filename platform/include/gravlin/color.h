#pragma once
// Colours as the program names them: 0x00BBGGRR, and 0x800000nn for a system colour, which
// the Qt layer maps to the palette.

#include <cstdint>

namespace gravlin {

using Color = std::uint32_t;
inline constexpr Color kSystemButtonFace = 0x8000000F;
inline constexpr Color kSystemWindowBackground = 0x80000005;
inline constexpr Color kWhite = 0x00FFFFFF;
inline constexpr Color kRed = 0x000000FF;

inline constexpr bool isSystemColor(Color c) {
    return (c & 0xFF000000u) == 0x80000000u;
}

}  // namespace gravlin
