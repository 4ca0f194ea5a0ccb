// Opening a covered cell, and with it every neighbour that no unmarked mine borders.
#include <string>

#include "gravlin/board/form1.h"
#include "gravlin/board/int16.h"

namespace gravlin {

// Depth first: each neighbour's call opens its whole region before the walk moves on. The
// depth is at most the number of cells (720), which the default stack takes easily.
bool Form1::UncoverCell(std::int16_t L) {
    countUp(cnt_uncover);
    const auto [x, y] = cellAt(L);
    if (x == 0) return false;  // not a cell of this board
    if (marked(x, y) || visible(x, y)) return false;
    visible(x, y) = true;
    add16(covered_left, -1);
    RefreshCoveredTooltip();
    add16(uncovered_count, 1);

    CommandButton& b = Command1.at(cellIndex(x, y));
    b.raised = false;
    b.backColor = kWhite;
    const std::int16_t count = mines_around(x, y);
    b.caption = count < 1 ? std::string() : std::to_string(count);
    b.tag = "0";

    if (rest_around(x, y) != 0) return true;
    forEachNeighbour(x, y, [&](int i, int j) {
        UncoverCell(GetLinear(static_cast<std::int16_t>(i), static_cast<std::int16_t>(j)));
    });
    return true;
}

}  // namespace gravlin
