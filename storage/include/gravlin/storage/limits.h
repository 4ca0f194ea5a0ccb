#pragma once
#include <cstddef>

namespace gravlin::storage {

// The board limits of the custom field dialog; 30 x 24 is the pool of 720 cell buttons.
inline constexpr int kMinSide = 3;
inline constexpr int kMaxWidth = 30;
inline constexpr int kMaxHeight = 24;
// A mine layout may hold no more mines than the custom field dialog allows.
inline constexpr int kMaxLayoutMines = 99;
// A saved game of the largest board is about 30 KiB and a layout under 1 KiB; anything far
// larger is not one of ours and is refused before it can cost memory or time.
inline constexpr std::size_t kMaxFileBytes = std::size_t{4} << 20;

}  // namespace gravlin::storage
