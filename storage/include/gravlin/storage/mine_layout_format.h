#pragma once
// The mine layout (.txt): one line per row, one character per column, "m" for a mine and
// "-" for a free cell, every line ended by CR LF. Read back, every non-empty line is a row,
// the longest row gives the width, "M" and "m" are mines and every other character is free.

#include <string>
#include <string_view>
#include <vector>

namespace gravlin::storage {

struct LayoutCell {
    int x = 0;
    int y = 0;
    bool operator==(const LayoutCell&) const = default;
};

struct MineLayoutScan {
    // Measures of the whole text, however large; characters are bytes (8-bit text).
    long long width = 0;
    long long rows = 0;
    long long mines = 0;
    // The mines that lie within the largest board (30 x 24), in file order; all of them
    // when the measures are within the limits.
    std::vector<LayoutCell> mineCells;
};

// Any text is a layout. Lines end in CR LF, lone CR or lone LF; a UTF-8 BOM is dropped and
// does not count toward the width. Lines of length 0 are skipped; a line of blanks is a row.
MineLayoutScan scanMineLayout(std::string_view text);

// The file text of a board `width` x `height`; isMine holds the cells in linear index order.
std::string formatMineLayout(int width, int height, const std::vector<bool>& isMine);

}  // namespace gravlin::storage
