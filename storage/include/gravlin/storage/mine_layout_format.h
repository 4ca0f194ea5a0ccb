#pragma once
// The mine layout (.txt): one line per row, one character per column, "m" for a mine and
// "-" for a free cell, every line ended by CR LF. Read back, every non-empty line is a row,
// the longest row gives the width, "M" and "m" are mines and every other character is free.

#include <string>
#include <string_view>
#include <vector>

#include "gravlin/game/limits.h"
#include "gravlin/storage/byte_source.h"

namespace gravlin::storage {

struct LayoutCell {
    int x = 0;
    int y = 0;
    bool operator==(const LayoutCell&) const = default;
};

struct MineLayoutScan {
    // Measures of the text; characters are bytes (8-bit text). Reading stops as soon as one
    // of them is beyond the largest board, so a layout that is too large is told at once
    // however long the file, and its measures are then those read so far.
    long long width = 0;
    long long rows = 0;
    long long mines = 0;
    // Every mine, in file order, when the layout is not too large.
    std::vector<LayoutCell> mineCells;

    bool tooLarge() const { return width > kMaxWidth || rows > kMaxHeight || mines > kMaxMines; }
    bool tooSmall() const { return width < kMinSide || rows < kMinSide; }
};

// Any text is a layout. Lines end in CR LF, lone CR or lone LF; a UTF-8 BOM is dropped and
// does not count toward the width. Lines of length 0 are skipped, however many; a line of
// blanks is a row.
MineLayoutScan readMineLayout(ByteSource& source);
MineLayoutScan scanMineLayout(std::string_view text);

// The file text of a board `width` x `height`; isMine holds the cells in linear index order.
std::string formatMineLayout(int width, int height, const std::vector<bool>& isMine);

}  // namespace gravlin::storage
