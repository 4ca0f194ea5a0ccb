// Marking the covered neighbours of a cell, and opening a covered cell with every neighbour
// that no unmarked mine borders.
#include "gravlin/game/game.h"
#include "gravlin/game/int16.h"

namespace gravlin {

bool Game::SetUnvisibleAround(std::int16_t n, std::int16_t m) {
    bool markedOne = false;
    forEachNeighbour(n, m, [&](int i, int j) {
        if (visible(i, j)) return;
        marked(i, j) = true;
        visible(i, j) = true;
        add16(covered_left, -1);
        look(i, j).caption = CellLook::Caption::Mark;
        markedOne = true;
    });
    return markedOne;
}

// Depth first: each neighbour's call opens its whole region before the walk moves on. The
// depth is at most the number of cells (720), which the default stack takes easily.
bool Game::UncoverCell(std::int16_t L) {
    countUp(cnt_uncover);
    const auto [x, y] = cellAt(L);
    if (x == 0) return false;  // not a cell of this board
    if (marked(x, y) || visible(x, y)) return false;
    visible(x, y) = true;
    add16(covered_left, -1);
    add16(uncovered_count, 1);

    CellLook& shown = look(x, y);
    shown.raised = false;
    shown.color = kWhite;
    shown.caption = CellLook::Caption::Count;
    provenFree(x, y) = false;

    if (rest_around(x, y) != 0) return true;
    forEachNeighbour(x, y, [&](int i, int j) {
        UncoverCell(GetLinear(static_cast<std::int16_t>(i), static_cast<std::int16_t>(j)));
    });
    return true;
}

}  // namespace gravlin
