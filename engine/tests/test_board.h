// A board of hidden mines with some safe cells open, and its equations as the game writes
// them: one per open cell with covered neighbours, the cell at column x, row y named 100 x + y,
// then the total sum over the covered cells.
#pragma once

#include <vector>

#include "equation.h"

namespace gravlin::engine {

struct Board {
    int width = 0, height = 0;
    std::vector<char> mine, open;

    bool inside(int x, int y) const { return x >= 1 && y >= 1 && x <= width && y <= height; }
    size_t at(int x, int y) const { return static_cast<size_t>((y - 1) * width + (x - 1)); }
    size_t at(int32_t code) const { return at(code / 100, code % 100); }
    int shows(int x, int y, const std::vector<char>& mines) const {
        int n = 0;
        for (int i = x - 1; i <= x + 1; ++i)
            for (int j = y - 1; j <= y + 1; ++j) n += (i != x || j != y) && inside(i, j) && mines[at(i, j)];
        return n;
    }
    std::vector<Equation> equations(bool withTotal) const {
        std::vector<Equation> eqs;
        Equation total{{}, 0, false};
        for (int x = 1; x <= width; ++x)
            for (int y = 1; y <= height; ++y) {
                Equation e{{}, shows(x, y, mine), true};
                for (int i = x - 1; i <= x + 1; ++i)
                    for (int j = y - 1; j <= y + 1; ++j)
                        if (inside(i, j) && !open[at(i, j)]) e.codes.push_back(100 * i + j);
                if (!open[at(x, y)]) {
                    total.codes.push_back(100 * x + y);
                    total.rhs += mine[at(x, y)];
                } else if (!e.codes.empty()) {
                    eqs.push_back(e);
                }
            }
        if (withTotal && !total.codes.empty()) eqs.push_back(total);
        return eqs;
    }
};

}  // namespace gravlin::engine
