#include "positions.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "analysis.h"
#include "equation.h"

namespace gravlin::bench {
namespace {

class Field {
  public:
    Field(int w, int h) : w_(w), h_(h), mine_(cells()), open_(cells()), marked_(cells()) {}

    int cells() const { return w_ * h_; }
    int at(int x, int y) const { return (y - 1) * w_ + (x - 1); }
    bool inside(int x, int y) const { return x >= 1 && x <= w_ && y >= 1 && y <= h_; }

    void placeMines(int mines, int sparedX, int sparedY, std::mt19937_64& rng) {
        std::vector<int> free;
        for (int i = 0; i < cells(); ++i)
            if (i != at(sparedX, sparedY)) free.push_back(i);
        std::shuffle(free.begin(), free.end(), rng);
        for (int i = 0; i < mines && i < static_cast<int>(free.size()); ++i)
            mine_[static_cast<size_t>(free[i])] = 1;
    }
    void setMine(int x, int y, bool v) { mine_[static_cast<size_t>(at(x, y))] = v; }
    bool mine(int x, int y) const { return mine_[static_cast<size_t>(at(x, y))] != 0; }
    bool covered(int x, int y) const {
        return !open_[static_cast<size_t>(at(x, y))] && !marked_[static_cast<size_t>(at(x, y))];
    }
    void mark(int x, int y) { marked_[static_cast<size_t>(at(x, y))] = 1; }

    int around(int x, int y) const {
        int n = 0;
        for (int i = x - 1; i <= x + 1; ++i)
            for (int j = y - 1; j <= y + 1; ++j)
                if ((i != x || j != y) && inside(i, j) && mine(i, j)) ++n;
        return n;
    }

    // Opens the cell and, around a zero, its neighbours.
    void uncover(int x, int y) {
        std::vector<std::pair<int, int>> stack{{x, y}};
        while (!stack.empty()) {
            const auto [cx, cy] = stack.back();
            stack.pop_back();
            if (!inside(cx, cy) || !covered(cx, cy) || mine(cx, cy)) continue;
            open_[static_cast<size_t>(at(cx, cy))] = 1;
            if (around(cx, cy) != 0) continue;
            for (int i = cx - 1; i <= cx + 1; ++i)
                for (int j = cy - 1; j <= cy + 1; ++j) stack.emplace_back(i, j);
        }
    }
    void openOnly(int x, int y) { open_[static_cast<size_t>(at(x, y))] = 1; }

    Position snapshot(int totalMines) const {
        Position p;
        int markedCount = 0;
        for (int i = 0; i < cells(); ++i) markedCount += marked_[static_cast<size_t>(i)];
        char buf[32];
        std::string lastDisplay;
        for (int x = 1; x <= w_; ++x)
            for (int y = 1; y <= h_; ++y) {
                if (!open_[static_cast<size_t>(at(x, y))]) continue;
                std::string compact, display;
                int rest = around(x, y);
                for (int i = x - 1; i <= x + 1; ++i)
                    for (int j = y - 1; j <= y + 1; ++j) {
                        if ((i == x && j == y) || !inside(i, j)) continue;
                        if (marked_[static_cast<size_t>(at(i, j))]) --rest;
                        if (!covered(i, j)) continue;
                        std::snprintf(buf, sizeof buf, "%02d%02d", i, j);
                        compact += (compact.empty() ? "" : "+") + std::string(buf);
                        std::snprintf(buf, sizeof buf, "a[ %02d,%02d ]", i, j);
                        display += (display.empty() ? "" : " + ") + std::string(buf);
                    }
                if (compact.empty()) continue;
                p.cellEquations.push_back(compact + "=" + std::to_string(rest));
                display += " = " + std::to_string(rest);
                if (display != lastDisplay) {
                    p.display += (p.display.empty() ? "" : ",\r\n") + display;
                    lastDisplay = display;
                }
            }
        std::string total, totalDisplay;
        for (int x = 1; x <= w_; ++x)
            for (int y = 1; y <= h_; ++y) {
                if (!covered(x, y)) continue;
                std::snprintf(buf, sizeof buf, "%02d%02d", x, y);
                total += (total.empty() ? "" : "+") + std::string(buf);
                std::snprintf(buf, sizeof buf, "a[ %02d,%02d ]", x, y);
                totalDisplay += (totalDisplay.empty() ? "" : " + ") + std::string(buf);
            }
        const int left = totalMines - markedCount;
        if (!total.empty()) p.totalSum = total + "=" + std::to_string(left);
        if (!p.display.empty()) p.display += ",\r\n\r\n";
        p.display += "/*g*/";
        if (!totalDisplay.empty()) p.display += totalDisplay + " = " + std::to_string(left) + "\r\n";
        return p;
    }

    std::vector<engine::Equation> equations(const Position& p) const {
        std::vector<engine::Equation> eqs;
        for (const auto& text : p.cellEquations) {
            engine::Equation e;
            if (engine::parseCompact(text, e) == engine::ParseResult::Ok) eqs.push_back(e);
        }
        engine::Equation t;
        if (engine::parseCompact(p.totalSum, t) == engine::ParseResult::Ok) eqs.push_back(t);
        return eqs;
    }

    bool won() const {
        for (int i = 0; i < cells(); ++i)
            if (!mine_[static_cast<size_t>(i)] && !open_[static_cast<size_t>(i)]) return false;
        return true;
    }

  private:
    int w_, h_;
    std::vector<char> mine_, open_, marked_;
};

}  // namespace

std::vector<Position> randomGames(int width, int height, int mines, int games, uint64_t seed) {
    std::vector<Position> out;
    std::mt19937_64 rng(seed);
    for (int g = 0; g < games; ++g) {
        Field f(width, height);
        const int x0 = std::uniform_int_distribution<int>(1, width)(rng);
        const int y0 = std::uniform_int_distribution<int>(1, height)(rng);
        f.placeMines(mines, x0, y0, rng);
        f.uncover(x0, y0);
        while (!f.won()) {
            Position p = f.snapshot(mines);
            const auto an = engine::analyseDetermination(f.equations(p));
            bool anyFree = false;
            const bool markMines = std::bernoulli_distribution(0.5)(rng);
            for (size_t i = 0; i < an.codes.size(); ++i) {
                const int x = an.codes[i] / 100, y = an.codes[i] % 100;
                if (an.value[i] == 0) {
                    f.uncover(x, y);
                    anyFree = true;
                } else if (an.value[i] == 1 && markMines) {
                    f.mark(x, y);
                }
            }
            p.stuck = !anyFree;
            out.push_back(std::move(p));
            if (anyFree) continue;
            std::vector<std::pair<int, int>> safe;
            for (int x = 1; x <= width; ++x)
                for (int y = 1; y <= height; ++y)
                    if (f.covered(x, y) && !f.mine(x, y)) safe.emplace_back(x, y);
            if (safe.empty()) break;
            const auto [sx, sy] = safe[std::uniform_int_distribution<size_t>(0, safe.size() - 1)(rng)];
            f.uncover(sx, sy);
        }
    }
    return out;
}

std::vector<Position> longFrontiers(int count, uint64_t seed) {
    std::vector<Position> out;
    std::mt19937_64 rng(seed);
    const int w = 30, h = 24;
    for (int n = 0; n < count; ++n) {
        Field f(w, h);
        int mines = 0;
        std::bernoulli_distribution dense(0.2);
        auto onSnake = [&](int x, int y) {
            if (y % 4 == 2) return true;
            if (y < 3 || y > 21) return false;
            const int band = (y - 3) / 4;  // rows 4b+3..4b+5 join rows 4b+2 and 4b+6
            return (band % 2 == 0 && x == w) || (band % 2 == 1 && x == 1);
        };
        for (int x = 1; x <= w; ++x)
            for (int y = 1; y <= h; ++y)
                if (!onSnake(x, y) && dense(rng)) {
                    f.setMine(x, y, true);
                    ++mines;
                }
        for (int x = 1; x <= w; ++x)
            for (int y = 1; y <= h; ++y)
                if (onSnake(x, y)) f.openOnly(x, y);
        Position p = f.snapshot(mines);
        p.stuck = true;
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<Position> lattices(int patch, int count, uint64_t seed) {
    std::vector<Position> out;
    std::mt19937_64 rng(seed);
    const int w = 30, h = 24;
    for (int n = 0; n < count; ++n) {
        Field f(w, h);
        int mines = 0;
        std::bernoulli_distribution dense(0.2);
        auto numbered = [&](int x, int y) {
            return x % 2 == 0 && y % 2 == 0 && x <= 2 * patch && y <= 2 * patch;
        };
        for (int x = 1; x <= w; ++x)
            for (int y = 1; y <= h; ++y)
                if (!numbered(x, y) && dense(rng)) {
                    f.setMine(x, y, true);
                    ++mines;
                }
        for (int x = 1; x <= w; ++x)
            for (int y = 1; y <= h; ++y)
                if (numbered(x, y)) f.openOnly(x, y);
        Position p = f.snapshot(mines);
        p.stuck = true;
        out.push_back(std::move(p));
    }
    return out;
}

namespace {

// Mines anywhere but on the cells to be opened; then those cells are opened without the
// cascade of zeros, so each shows its true number and the covered rest stays one piece.
Position openedPattern(int width, int height, int mines, const std::vector<char>& open,
                       std::mt19937_64& rng) {
    Field f(width, height);
    std::vector<int> candidates;
    for (int i = 0; i < f.cells(); ++i)
        if (!open[static_cast<size_t>(i)]) candidates.push_back(i);
    std::shuffle(candidates.begin(), candidates.end(), rng);
    for (int i = 0; i < mines && i < static_cast<int>(candidates.size()); ++i) {
        const int c = candidates[static_cast<size_t>(i)];
        f.setMine(c % width + 1, c / width + 1, true);
    }
    for (int i = 0; i < f.cells(); ++i)
        if (open[static_cast<size_t>(i)]) f.openOnly(i % width + 1, i / width + 1);
    Position p = f.snapshot(mines);
    p.stuck = true;
    return p;
}

}  // namespace

std::vector<Position> everyNthCell(int width, int height, int mines, int step, int count, uint64_t seed) {
    std::vector<Position> out;
    std::mt19937_64 rng(seed);
    std::vector<char> open(static_cast<size_t>(width * height), 0);
    for (int x = step; x <= width; x += step)
        for (int y = step; y <= height; y += step) open[static_cast<size_t>((y - 1) * width + (x - 1))] = 1;
    for (int n = 0; n < count; ++n) out.push_back(openedPattern(width, height, mines, open, rng));
    return out;
}

std::vector<Position> latticeRegions(int width, int height, int mines, int regionWidth, int regionHeight,
                                     int count, uint64_t seed) {
    std::vector<Position> out;
    std::mt19937_64 rng(seed);
    for (int n = 0; n < count; ++n) {
        const int x0 = std::uniform_int_distribution<int>(0, width - regionWidth)(rng);
        const int y0 = std::uniform_int_distribution<int>(0, height - regionHeight)(rng);
        std::vector<char> open(static_cast<size_t>(width * height), 0);
        for (int x = 2; x <= regionWidth; x += 2)
            for (int y = 2; y <= regionHeight; y += 2)
                open[static_cast<size_t>((y0 + y - 1) * width + (x0 + x - 1))] = 1;
        out.push_back(openedPattern(width, height, mines, open, rng));
    }
    return out;
}

std::vector<Position> scatters(int width, int height, int count, uint64_t seed) {
    std::vector<Position> out;
    std::mt19937_64 rng(seed);
    for (int n = 0; n < count; ++n) {
        const int mines = std::uniform_int_distribution<int>(60, 99)(rng);
        const double share = std::uniform_real_distribution<double>(0.2, 0.5)(rng);
        // The share is of the safe cells: choose the mines first, then open among the rest.
        std::vector<int> cells(static_cast<size_t>(width * height));
        for (size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<int>(i);
        std::shuffle(cells.begin(), cells.end(), rng);
        const auto safe = cells.size() - static_cast<size_t>(mines);
        std::vector<char> open(cells.size(), 0);
        for (size_t i = 0; i < static_cast<size_t>(share * static_cast<double>(safe)); ++i)
            open[static_cast<size_t>(cells[static_cast<size_t>(mines) + i])] = 1;
        Field f(width, height);
        for (int i = 0; i < mines; ++i) {
            const int c = cells[static_cast<size_t>(i)];
            f.setMine(c % width + 1, c / width + 1, true);
        }
        for (size_t i = 0; i < open.size(); ++i)
            if (open[i]) f.openOnly(static_cast<int>(i) % width + 1, static_cast<int>(i) / width + 1);
        Position p = f.snapshot(mines);
        p.stuck = true;
        out.push_back(std::move(p));
    }
    return out;
}

Position diagonalPairs(int width, int height) {
    Position p;
    char buf[64];
    for (int x = 1; x < width; ++x)
        for (int y = 1; y < height; ++y) {
            std::snprintf(buf, sizeof buf, "%02d%02d+%02d%02d=1", x, y, x + 1, y + 1);
            p.cellEquations.push_back(buf);
            std::snprintf(buf, sizeof buf, "a[ %02d,%02d ] + a[ %02d,%02d ] = 1", x, y, x + 1, y + 1);
            p.display += (p.display.empty() ? "" : ",\r\n") + std::string(buf);
        }
    p.stuck = true;
    return p;
}

Position allButOne(int width, int height, uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<std::string> compact, display;
    std::vector<int> mine;
    char buf[32];
    for (int x = 1; x <= width; ++x)
        for (int y = 1; y <= height; ++y) {
            std::snprintf(buf, sizeof buf, "%02d%02d", x, y);
            compact.emplace_back(buf);
            std::snprintf(buf, sizeof buf, "a[ %02d,%02d ]", x, y);
            display.emplace_back(buf);
            mine.push_back(std::bernoulli_distribution(0.2)(rng) ? 1 : 0);
        }
    const int mines = static_cast<int>(std::count(mine.begin(), mine.end(), 1));
    Position p;
    auto sum = [&](size_t skip, const std::vector<std::string>& names, const char* plus) {
        std::string text;
        for (size_t i = 0; i < names.size(); ++i)
            if (i != skip) text += (text.empty() ? "" : plus) + names[i];
        return text;
    };
    for (size_t k = 0; k < compact.size(); ++k) {
        const std::string rhs = std::to_string(mines - mine[k]);
        p.cellEquations.push_back(sum(k, compact, "+") + "=" + rhs);
        p.display += sum(k, display, " + ") + " = " + rhs + ",\r\n";
    }
    p.totalSum = sum(compact.size(), compact, "+") + "=" + std::to_string(mines);
    p.display += "/*g*/" + sum(compact.size(), display, " + ") + " = " + std::to_string(mines);
    p.stuck = true;
    return p;
}

namespace {

using Sum = std::pair<std::vector<std::string>, int>;  // cells as "xxyy", and their mines

std::string fourDigits(int x, int y) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%02d", x, y);
    return buf;
}

// The equations in both notations, and with totalMines >= 0 the total sum over every cell
// they name.
Position fromSums(const std::vector<Sum>& sums, int totalMines) {
    Position p;
    auto write = [](const std::vector<std::string>& cells, int rhs, std::string& compact,
                    std::string& display) {
        for (const std::string& c : cells) {
            compact += (compact.empty() ? "" : "+") + c;
            display +=
                std::string(display.empty() ? "" : " + ") + "a[ " + c.substr(0, 2) + "," + c.substr(2) + " ]";
        }
        compact += "=" + std::to_string(rhs);
        display += " = " + std::to_string(rhs);
    };
    std::vector<std::string> all;
    for (const auto& [cells, rhs] : sums) {
        std::string compact, display;
        write(cells, rhs, compact, display);
        p.cellEquations.push_back(compact);
        p.display += (p.display.empty() ? "" : ",\r\n") + display;
        all.insert(all.end(), cells.begin(), cells.end());
    }
    if (totalMines >= 0) {
        std::sort(all.begin(), all.end());
        all.erase(std::unique(all.begin(), all.end()), all.end());
        std::string display;
        write(all, totalMines, p.totalSum, display);
        p.display += ",\r\n\r\n/*g*/" + display + "\r\n";
    }
    p.stuck = true;
    return p;
}

}  // namespace

Position interleavedWindows(int window, int mines, bool withTotal, uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<std::vector<std::string>> classes(9);
    for (int x = 1; x <= 30; ++x)
        for (int y = 1; y <= 24; ++y)
            classes[static_cast<size_t>(x % 3 * 3 + y % 3)].push_back(fourDigits(x, y));
    std::vector<Sum> sums;
    int all = 0;
    const auto w = static_cast<size_t>(window);
    for (size_t k = 0; k < classes.size(); ++k) {
        auto& cells = classes[k];
        std::shuffle(cells.begin(), cells.end(), rng);
        const int rhs = k == 0 ? mines - 1 : mines;
        // Mines at the same places of every run: every equation holds.
        for (size_t i = 0; i < cells.size(); ++i) all += static_cast<int>(i % w) < rhs;
        for (size_t i = 0; i + w <= cells.size(); ++i)
            sums.emplace_back(std::vector<std::string>(cells.begin() + static_cast<ptrdiff_t>(i),
                                                       cells.begin() + static_cast<ptrdiff_t>(i + w)),
                              rhs);
    }
    return fromSums(sums, withTotal ? all : -1);
}

Position prefixSums(bool withTotal) {
    std::vector<Sum> sums;
    std::vector<std::string> prefix;
    for (int k = 0; k < 200; ++k) {
        for (int i = 3 * k; i < 3 * k + 3; ++i) prefix.push_back(fourDigits(i / 20 + 1, i % 20 + 1));
        sums.emplace_back(prefix, k + 1);
    }
    for (int y = 22; y < 32; ++y)
        for (int x0 : {1, 6}) {
            std::vector<std::string> row;
            for (int x = x0; x < x0 + 5; ++x) row.push_back(fourDigits(x, y));
            sums.emplace_back(row, 1);
        }
    return fromSums(sums, withTotal ? 220 : -1);
}

namespace {

// The 720 cells of a 30 x 24 field in random order, cut into groups of `size`, with a mine
// on each cell with probability 0.3.
struct Groups {
    std::vector<std::vector<std::string>> cells;
    std::vector<std::vector<char>> mine;
};

Groups shuffledGroups(int size, std::mt19937_64& rng) {
    std::vector<std::string> all;
    for (int x = 1; x <= 30; ++x)
        for (int y = 1; y <= 24; ++y) all.push_back(fourDigits(x, y));
    std::shuffle(all.begin(), all.end(), rng);
    Groups g;
    for (size_t at = 0; at + static_cast<size_t>(size) <= all.size(); at += static_cast<size_t>(size)) {
        g.cells.emplace_back(all.begin() + static_cast<ptrdiff_t>(at),
                             all.begin() + static_cast<ptrdiff_t>(at) + size);
        g.mine.emplace_back();
        for (int i = 0; i < size; ++i) g.mine.back().push_back(rng() % 10 < 3);
    }
    return g;
}

// The sum over the groups named, unless it is 0 or full (a certain answer).
void addSum(const Groups& g, const std::vector<size_t>& named, std::vector<Sum>& sums) {
    std::vector<std::string> cells;
    int mines = 0;
    for (size_t k : named) {
        cells.insert(cells.end(), g.cells[k].begin(), g.cells[k].end());
        mines += static_cast<int>(std::count(g.mine[k].begin(), g.mine[k].end(), 1));
    }
    if (mines > 0 && mines < static_cast<int>(cells.size())) sums.emplace_back(cells, mines);
}

}  // namespace

Position groupChain(int size, int span, uint64_t seed) {
    std::mt19937_64 rng(seed);
    const Groups g = shuffledGroups(size, rng);
    std::vector<Sum> sums;
    for (size_t i = 0; i + static_cast<size_t>(span) <= g.cells.size(); ++i) {
        std::vector<size_t> named;
        for (size_t k = i; k < i + static_cast<size_t>(span); ++k) named.push_back(k);
        addSum(g, named, sums);
    }
    return fromSums(sums, -1);
}

Position groupSums(int size, int count, int per, uint64_t seed) {
    std::mt19937_64 rng(seed);
    const Groups g = shuffledGroups(size, rng);
    std::vector<Sum> sums;
    for (int e = 0; e < count; ++e) {
        std::vector<size_t> named;
        while (named.size() < static_cast<size_t>(per)) {
            const size_t k = rng() % g.cells.size();
            if (std::find(named.begin(), named.end(), k) == named.end()) named.push_back(k);
        }
        addSum(g, named, sums);
    }
    return fromSums(sums, -1);
}

Position oversized(size_t bytes, size_t calls) {
    Position p;
    const std::string item = "a[1,1]=1,";
    p.display.reserve(bytes);
    while (p.display.size() + item.size() <= bytes) p.display += item;
    p.cellEquations = {"0101+0102=1"};
    p.repeat = calls;
    return p;
}

}  // namespace gravlin::bench
