#pragma once

namespace gravlin {

// The board limits. The largest board is the pool of cell buttons the main window owns;
// the custom field dialog, saved games and mine layouts keep every board within them.
inline constexpr int kMinSide = 3;
inline constexpr int kMaxWidth = 30;
inline constexpr int kMaxHeight = 24;
inline constexpr int kMinMines = 1;
inline constexpr int kMaxMines = 99;
inline constexpr int kCellButtons = kMaxWidth * kMaxHeight;

}  // namespace gravlin
