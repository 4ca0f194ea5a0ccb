// Neighbour counts and the marking of covered neighbours.
#include "gravlin/board/form1.h"
#include "gravlin/board/int16.h"

namespace gravlin {

std::int16_t Form1::CountMinesAround(std::int16_t n, std::int16_t m) const {
    std::int16_t count = 0;
    forEachNeighbour(n, m, [&](int i, int j) { count += is_mine(i, j) ? 1 : 0; });
    return count;
}

std::int16_t Form1::CountMinesVAround(std::int16_t n, std::int16_t m) const {
    std::int16_t count = 0;
    forEachNeighbour(n, m, [&](int i, int j) { count += marked(i, j) ? 1 : 0; });
    return count;
}

std::int16_t Form1::CountUnvisibleAround(std::int16_t n, std::int16_t m) const {
    std::int16_t count = 0;
    forEachNeighbour(n, m, [&](int i, int j) { count += visible(i, j) ? 0 : 1; });
    return count;
}

bool Form1::AroundAreUnvisibles(std::int16_t n, std::int16_t m) const {
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
        const std::int16_t L = GetLinear(static_cast<std::int16_t>(i), static_cast<std::int16_t>(j));
        marked(i, j) = true;
        visible(i, j) = true;
        add16(covered_left, -1);
        RefreshCoveredTooltip();
        Command1.at(static_cast<std::size_t>(L)).caption = "M";
        markedOne = true;
    });
    return markedOne;
}

std::int16_t Form1::CountMinesV() const {
    std::int16_t count = 0;
    for (int x = 1; x <= x_game; ++x) {
        for (int y = 1; y <= y_game; ++y) {
            if (marked(x, y)) add16(count, 1);
        }
    }
    return count;
}

bool Form1::BtnIsMine(std::int16_t p) const {
    std::int16_t x = 0;
    std::int16_t y = 0;
    GetMatx(p, x, y);
    return x != 0 && is_mine(x, y);
}

}  // namespace gravlin
