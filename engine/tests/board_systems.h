// Equation systems of whole boards for the engine tests: mines at random, some cells open
// showing their true number, no cascade of zeros.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "equation.h"

namespace gravlin::engine::testing {

struct Board {
    int width = 0;
    int height = 0;
    std::vector<char> mine, open;
    int mineCount = 0;
    bool isMine(int32_t code) const { return mine[index(code / 100, code % 100)] != 0; }
    size_t index(int x, int y) const { return static_cast<size_t>((y - 1) * width + (x - 1)); }
};

// Open cells: at every step-th column and row when step > 1, else each safe cell with
// probability `density`.
inline Board makeBoard(int width, int height, int mines, int step, double density, uint64_t seed) {
    std::mt19937_64 rng(seed);
    Board b;
    b.width = width;
    b.height = height;
    b.mine.assign(static_cast<size_t>(width * height), 0);
    b.open.assign(b.mine.size(), 0);
    std::vector<size_t> candidates;
    for (int y = 1; y <= height; ++y)
        for (int x = 1; x <= width; ++x)
            if (step <= 1 || x % step != 0 || y % step != 0) candidates.push_back(b.index(x, y));
    std::shuffle(candidates.begin(), candidates.end(), rng);
    for (int i = 0; i < mines; ++i) b.mine[candidates[static_cast<size_t>(i)]] = 1;
    b.mineCount = mines;
    std::bernoulli_distribution opened(density);
    for (int y = 1; y <= height; ++y)
        for (int x = 1; x <= width; ++x) {
            const size_t at = b.index(x, y);
            b.open[at] = !b.mine[at] && (step > 1 ? x % step == 0 && y % step == 0 : opened(rng));
        }
    return b;
}

// One equation per open cell with covered neighbours, then the total sum if asked for.
inline std::vector<Equation> boardEquations(const Board& b, bool withTotal) {
    std::vector<Equation> eqs;
    Equation total;
    total.cellEquation = false;
    total.rhs = b.mineCount;
    for (int x = 1; x <= b.width; ++x)
        for (int y = 1; y <= b.height; ++y) {
            if (!b.open[b.index(x, y)]) {
                total.codes.push_back(x * 100 + y);
                continue;
            }
            Equation e;
            for (int i = x - 1; i <= x + 1; ++i)
                for (int j = y - 1; j <= y + 1; ++j) {
                    if ((i == x && j == y) || i < 1 || i > b.width || j < 1 || j > b.height) continue;
                    e.rhs += b.mine[b.index(i, j)];
                    if (!b.open[b.index(i, j)]) e.codes.push_back(i * 100 + j);
                }
            if (!e.codes.empty()) eqs.push_back(e);
        }
    if (withTotal) eqs.push_back(total);
    return eqs;
}

}  // namespace gravlin::engine::testing
