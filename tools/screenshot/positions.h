#pragma once
// Positions on a real board, shared by the view tests and the screenshot scenes.
#include "gravlin/game/game.h"

namespace gravlin::testing {

// Index of the first covered cell without (or with) a mine, -1 if none.
inline int findCell(const BoardState& b, bool mine) {
    for (int L = 0; L < b.x_game * b.y_game; ++L) {
        const int x = L % b.x_game + 1;
        const int y = L / b.x_game + 1;
        if (!b.visible(x, y) && b.is_mine(x, y) == mine) return L;
    }
    return -1;
}

// Lays ten mines on the new 9 x 9 game in play, as a loaded layout would, in the top and
// bottom rows, every other column: the first press in the middle opens most of the board,
// and single numbers cannot decide the rest.
inline void layStripes(Game& g) {
    for (int x : {1, 3, 5, 7, 9}) g.is_mine(x, 1) = g.is_mine(x, 9) = true;
    g.countMinesOfEveryCell();
    g.minesPlaced = true;
}

}  // namespace gravlin::testing
