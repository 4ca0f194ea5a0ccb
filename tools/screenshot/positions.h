#pragma once
// Positions on a real board, shared by the view tests and the screenshot scenes.
#include "gravlin/board/form1.h"

namespace gravlin::testing {

// Index of the first covered cell without (or with) a mine, -1 if none.
inline int findCell(const Form1& f, bool mine) {
    for (int L = 0; L < f.x_game * f.y_game; ++L) {
        const int x = L % f.x_game + 1;
        const int y = L / f.x_game + 1;
        if (!f.visible(x, y) && f.is_mine(x, y) == mine) return L;
    }
    return -1;
}

// Lays ten mines on the new 9 x 9 game in play, as a loaded layout would, in the top and
// bottom rows, every other column: the first press in the middle opens most of the board,
// and single numbers cannot decide the rest.
inline void layStripes(Form1& f) {
    for (int x : {1, 3, 5, 7, 9}) f.is_mine(x, 1) = f.is_mine(x, 9) = true;
    f.countMinesOfEveryCell();
    f.save_mine.enabled = true;
    f.save.enabled = true;
}

}  // namespace gravlin::testing
