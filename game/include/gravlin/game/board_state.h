#pragma once
// The board: the size chosen for the next game, and the size, the cells, the flags and the
// counters of the game in play, with the procedures that only read or count them. The game
// (game.h) adds the other facts and the procedures that change them.

#include <cstddef>
#include <cstdint>

#include "gravlin/game/grid.h"

namespace gravlin {

// A cell by its column x (1 at the left) and row y (1 at the top); (0, 0) names no cell.
struct Cell {
    int x = 0;
    int y = 0;
    bool operator==(const Cell&) const = default;
};

class BoardState {
  public:
    std::int16_t x_actual = 0;
    std::int16_t y_actual = 0;
    std::int16_t no_mines_actual = 0;
    std::int16_t x_game = 0;
    std::int16_t y_game = 0;
    std::int16_t no_mines_game = 0;
    Grid<bool> is_mine;
    bool game_running = false;
    Grid<std::int16_t> mines_around;
    Grid<std::int16_t> rest_around;
    Grid<bool> marked;
    Grid<bool> visible;
    Grid<bool> done;
    bool busy = false;
    std::int16_t uncovered_count = 0;
    std::int16_t covered_left = 0;
    std::int16_t green_found = 0;
    std::int16_t cnt_uncover = 0;
    std::int16_t cnt_phase1 = 0;
    std::int16_t cnt_prephase1 = 0;

    // ---- coordinates ------------------------------------------------------------------------
    // The linear index of a cell of the board in play, counted from 0 row by row: the index of
    // its cell button, its place in saved games and mine layouts. Throws for a cell off the
    // board.
    std::size_t cellIndex(int x, int y) const;
    // The cell with the linear index; (0, 0) for an index off the board.
    Cell cellAt(long long index) const;
    long long cellCount() const { return static_cast<long long>(x_game) * y_game; }

    // Calls fn(x, y) for every cell of the board in play: x outer, y inner.
    template <typename Fn>
    void forEachCell(Fn&& fn) const {
        for (int x = 1; x <= x_game; ++x) {
            for (int y = 1; y <= y_game; ++y) fn(x, y);
        }
    }

    // Calls fn(i, j) for every neighbour of (x, y) on the board: i outer, j inner.
    template <typename Fn>
    void forEachNeighbour(int x, int y, Fn&& fn) const {
        for (int i = x - 1; i <= x + 1; ++i) {
            for (int j = y - 1; j <= y + 1; ++j) {
                if (i == x && j == y) continue;
                if (i < 1 || i > x_game || j < 1 || j > y_game) continue;
                fn(i, j);
            }
        }
    }

    // The game's own 16-bit forms: GetLinear checks nothing, GetMatx gives (0, 0) off the board.
    std::int16_t GetLinear(std::int16_t xin, std::int16_t yin) const;
    void GetMatx(std::int16_t linval, std::int16_t& xerg, std::int16_t& yerg) const;

    // ---- neighbour counting -------------------------------------------------------------------
    std::int16_t CountMinesAround(std::int16_t n, std::int16_t m) const;
    std::int16_t CountMinesVAround(std::int16_t n, std::int16_t m) const;
    std::int16_t CountUnvisibleAround(std::int16_t n, std::int16_t m) const;
    bool AroundAreUnvisibles(std::int16_t n, std::int16_t m) const;
    std::int16_t CountMinesV() const;
    bool BtnIsMine(std::int16_t p) const;

    // ---- set-up -------------------------------------------------------------------------------
    void InitStat();
    // Gives every cell its number from the mines as they lie: 0 on a mine, else the mines
    // around it; the unmarked rest equals it.
    void countMinesOfEveryCell();

    bool operator==(const BoardState&) const = default;
};

}  // namespace gravlin
