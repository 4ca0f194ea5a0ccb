// A new game, and the placement of the mines at the first click.
#include <algorithm>
#include <random>
#include <vector>

#include "gravlin/game/game.h"
#include "gravlin/game/int16.h"

namespace gravlin {

void Game::SetToDefault() {
    chooseSize(16, 16, 40);
    autoPlay = false;
    peekMode = false;
}

void Game::chooseSize(std::int16_t width, std::int16_t height, std::int16_t mines) {
    x_actual = width;
    y_actual = height;
    no_mines_actual = mines;
}

void Game::InitParms() {
    x_game = x_actual;
    y_game = y_actual;
    no_mines_game = no_mines_actual;
    is_mine.reset(x_game, y_game);
    mines_around.reset(x_game, y_game);
    rest_around.reset(x_game, y_game);
    marked.reset(x_game, y_game);
    visible.reset(x_game, y_game);
    done.reset(x_game, y_game);
    provenFree.reset(x_game, y_game);
    look.reset(x_game, y_game);
    busy = false;
    uncovered_count = 0;
    green_found = 0;
    covered_left = to16(cellCount());
}

void Game::InitGame() {
    probabilitiesOffered = false;
    InitParms();
    InitStat();
    face = Face::Normal;
    minesPlaced = false;
    // InitParms has created the arrays afresh: every cell holds no mine, is covered, unmarked,
    // not done and not proven free, with counts of 0, and shows the covered look.
    status.clear();
    PrintRestMinen();
    game_running = true;
    showAllMines = false;
    lost = false;
}

void Game::InitMines(const std::int16_t& selButton, std::uint64_t seed) {
    const Cell spared = cellAt(selButton);
    placeMinesUniformly(spared.x, spared.y, seed);
    minesPlaced = true;
    countMinesOfEveryCell();
}

// Every layout of no_mines_game mines that leaves (x0, y0) free is equally likely. The
// mines are drawn one by one from the cells still free (a partial Fisher-Yates shuffle),
// which gives the same distribution as drawing any cell and drawing again on a taken one,
// but always ends: asked for more mines than free cells, it places as many as fit.
// (x0, y0) may be (0, 0) for an index off the board; then no cell is spared.
void Game::placeMinesUniformly(int x0, int y0, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    const int count = no_mines_game;  // read once
    std::vector<int> candidates;
    candidates.reserve(static_cast<std::size_t>(std::max(0LL, cellCount())));
    for (int k = 0; k < cellCount(); ++k) {
        const Cell c = cellAt(k);
        if (c == Cell{x0, y0} || is_mine(c.x, c.y)) continue;
        candidates.push_back(k);
    }
    const int toPlace = std::min<int>(std::max(count, 0), static_cast<int>(candidates.size()));
    for (int placed = 0; placed < toPlace; ++placed) {
        std::uniform_int_distribution<int> pick(placed, static_cast<int>(candidates.size()) - 1);
        std::swap(candidates[static_cast<std::size_t>(placed)],
                  candidates[static_cast<std::size_t>(pick(random))]);
        const Cell c = cellAt(candidates[static_cast<std::size_t>(placed)]);
        is_mine(c.x, c.y) = true;
    }
}

}  // namespace gravlin
