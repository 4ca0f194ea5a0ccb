// Board state, coordinates and the small set-up procedures.
#include <stdexcept>

#include "gravlin/board/form1.h"
#include "gravlin/board/int16.h"

namespace gravlin {

void BoardState::InitStat() {
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
    covered_left = to16(cellCount());
    RefreshCoveredTooltip();
}

void Form1::RefreshCoveredTooltip() {
    MinesLabel.toolTip = "Noch verdeckt: " + std::to_string(covered_left);
}

std::size_t BoardState::cellIndex(int x, int y) const {
    if (x < 1 || x > x_game || y < 1 || y > y_game) throw std::out_of_range("cell outside the board");
    return static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(x_game) +
           static_cast<std::size_t>(x - 1);
}

Cell BoardState::cellAt(long long index) const {
    if (x_game <= 0 || index < 0 || index >= cellCount()) return {};
    return {static_cast<int>(index % x_game + 1), static_cast<int>(index / x_game + 1)};
}

std::int16_t BoardState::GetLinear(std::int16_t xin, std::int16_t yin) const {
    return to16((static_cast<long long>(yin) - 1) * x_game + (xin - 1));
}

void BoardState::GetMatx(std::int16_t linval, std::int16_t& xerg, std::int16_t& yerg) const {
    const Cell c = cellAt(linval);
    xerg = static_cast<std::int16_t>(c.x);
    yerg = static_cast<std::int16_t>(c.y);
}

}  // namespace gravlin
