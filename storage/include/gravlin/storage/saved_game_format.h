#pragma once
// The saved game (.qzd): three header lines (width, height, mines) and one line per cell in
// row order with six fields: is_mine, mines_around, rest_around, marked, visible, done.
// Written with CR LF, booleans as #TRUE# / #FALSE#.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gravlin/storage/byte_source.h"

namespace gravlin::storage {

struct SavedCell {
    bool is_mine = false;
    std::int16_t mines_around = 0;
    std::int16_t rest_around = 0;
    bool marked = false;
    bool visible = false;
    bool done = false;
    bool operator==(const SavedCell&) const = default;
};

struct SavedGame {
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t mines = 0;
    std::vector<SavedCell> cells;  // linear index order: (y - 1) * width + (x - 1)
    bool operator==(const SavedGame&) const = default;
};

// The file text, byte for byte. Writes what it is given; cells beyond width * height are
// not written.
std::string formatSavedGame(const SavedGame& game);

// What reading accepts (anything else is refused, and the caller takes its read-failure
// path):
// - the values are list items separated by commas and line breaks (CR LF, lone CR or lone
//   LF; the last needs no line end), read in the order written: blank lines are passed
//   over, however many, a UTF-8 BOM is skipped, and whatever follows the last cell is not
//   read;
// - integers: optional sign and decimal digits, blanks or tabs around them allowed;
// - booleans: #TRUE# or #FALSE#, letters in any case;
// - width 3..30 and height 3..24 (the board limits; they keep the board within the 720
//   cell buttons), mines 0..width * height (a later new game places as many as fit);
// - mines_around 0..8 (a cell has at most eight neighbours), rest_around -8..8 (the solver
//   recounts it as mines_around minus marked neighbours), so no later count can overflow.
// The cells need not agree with each other or with the header: the game takes such a
// board as it stands. `why` receives a short reason when the text is refused.
// A source that fails before the last cell is refused like damaged text.
std::optional<SavedGame> readSavedGame(ByteSource& source, std::string* why = nullptr);
std::optional<SavedGame> parseSavedGame(std::string_view text, std::string* why = nullptr);

}  // namespace gravlin::storage
