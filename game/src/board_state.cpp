// Coordinates, the statistics reset and the neighbour counts of the board.
#include "gravlin/game/board_state.h"

#include <stdexcept>

#include "gravlin/game/int16.h"

namespace gravlin {

void BoardState::InitStat() {
    cnt_uncover = 0;
    cnt_phase1 = 0;
    cnt_prephase1 = 0;
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

std::int16_t BoardState::CountMinesAround(std::int16_t n, std::int16_t m) const {
    std::int16_t count = 0;
    forEachNeighbour(n, m, [&](int i, int j) { count += is_mine(i, j) ? 1 : 0; });
    return count;
}

std::int16_t BoardState::CountMinesVAround(std::int16_t n, std::int16_t m) const {
    std::int16_t count = 0;
    forEachNeighbour(n, m, [&](int i, int j) { count += marked(i, j) ? 1 : 0; });
    return count;
}

std::int16_t BoardState::CountUnvisibleAround(std::int16_t n, std::int16_t m) const {
    std::int16_t count = 0;
    forEachNeighbour(n, m, [&](int i, int j) { count += visible(i, j) ? 0 : 1; });
    return count;
}

bool BoardState::AroundAreUnvisibles(std::int16_t n, std::int16_t m) const {
    bool found = false;
    forEachNeighbour(n, m, [&](int i, int j) {
        if (!visible(i, j)) found = true;
    });
    return found;
}

std::int16_t BoardState::CountMinesV() const {
    std::int16_t count = 0;
    forEachCell([&](int x, int y) {
        if (marked(x, y)) add16(count, 1);
    });
    return count;
}

bool BoardState::BtnIsMine(std::int16_t p) const {
    const Cell c = cellAt(p);
    return c.x != 0 && is_mine(c.x, c.y);
}

void BoardState::countMinesOfEveryCell() {
    forEachCell([this](int x, int y) {
        mines_around(x, y) = is_mine(x, y) ? 0 : CountMinesAround(x, y);
        rest_around(x, y) = mines_around(x, y);
    });
}

}  // namespace gravlin
