// Board state, coordinates and the small set-up procedures.
#include "gravlin/board/form1.h"
#include "gravlin/board/int16.h"

namespace gravlin {

void Form1::InitStat() {
    cnt_uncover = 0;
    cnt_phase1 = 0;
    cnt_prephase1 = 0;
}

void Form1::SetToDefault() {
    x_actual = 16;
    y_actual = 16;
    no_mines_actual = 40;
    Auto_solve.checked = false;
    spickmodus.checked = false;
}

void Form1::InitParms() {
    x_game = x_actual;
    y_game = y_actual;
    no_mines_game = no_mines_actual;
    is_mine.reset(x_game, y_game);
    mines_around.reset(x_game, y_game);
    rest_around.reset(x_game, y_game);
    marked.reset(x_game, y_game);
    visible.reset(x_game, y_game);
    done.reset(x_game, y_game);
    busy = false;
    uncovered_count = 0;
    green_found = 0;
    covered_left = to16(static_cast<long long>(x_game) * y_game);
    RefreshCoveredTooltip();
}

void Form1::RefreshCoveredTooltip() {
    MinesLabel.toolTip = "Noch verdeckt: " + std::to_string(covered_left);
}

std::int16_t Form1::GetLinear(std::int16_t xin, std::int16_t yin) const {
    return to16((static_cast<long long>(yin) - 1) * x_game + (xin - 1));
}

void Form1::GetMatx(std::int16_t linval, std::int16_t& xerg, std::int16_t& yerg) const {
    xerg = 0;
    yerg = 0;
    if (x_game <= 0) return;
    const long long cells = static_cast<long long>(x_game) * y_game;
    if (linval >= 0 && linval <= cells - 1) {
        yerg = static_cast<std::int16_t>(linval / x_game + 1);
        xerg = static_cast<std::int16_t>(linval % x_game + 1);
    }
}

}  // namespace gravlin
