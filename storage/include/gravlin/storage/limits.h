#pragma once

namespace gravlin::storage {

// The board limits of the custom field dialog; 30 x 24 is the pool of 720 cell buttons.
inline constexpr int kMinSide = 3;
inline constexpr int kMaxWidth = 30;
inline constexpr int kMaxHeight = 24;
// A mine layout may hold no more mines than the custom field dialog allows.
inline constexpr int kMaxLayoutMines = 99;

}  // namespace gravlin::storage
