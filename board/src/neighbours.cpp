// Neighbour counts and the marking of covered neighbours.
#include "gravlin/board/form1.h"
#include "gravlin/board/int16.h"

namespace gravlin {

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

bool Form1::SetUnvisibleAround(std::int16_t n, std::int16_t m) {
    bool markedOne = false;
    forEachNeighbour(n, m, [&](int i, int j) {
        if (visible(i, j)) return;
        marked(i, j) = true;
        visible(i, j) = true;
        add16(covered_left, -1);
        RefreshCoveredTooltip();
        Command1.at(cellIndex(i, j)).caption = "M";
        markedOne = true;
    });
    return markedOne;
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

}  // namespace gravlin
