#pragma once
// Hand-made positions drawn as text, rows top to bottom:
//   '.' covered free cell   '*' covered mine   'o' uncovered free cell   'M' mine marked by the solver
// and two fixtures: the game alone (GameModelTest), and the started program on a fake host
// with a recording engine (GameTest).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fake_host.h"
#include "gravlin/app/program.h"
#include "recording_engine.h"

namespace gravlin {

namespace testing {

// Lays the drawn position on a new game of its size: mines, marks and open cells, looking
// and counting as they would in play; statistics from zero.
inline void layPosition(Game& g, const std::vector<std::string>& rows) {
    g.forEachCell([&](int x, int y) {
        const char c = rows.at(static_cast<std::size_t>(y - 1)).at(static_cast<std::size_t>(x - 1));
        g.is_mine(x, y) = c == '*' || c == 'M';
        g.marked(x, y) = c == 'M';
        g.visible(x, y) = c == 'o' || c == 'M';
    });
    g.countMinesOfEveryCell();
    g.forEachCell([&](int x, int y) {
        g.rest_around(x, y) = static_cast<std::int16_t>(
            g.mines_around(x, y) -
            g.CountMinesVAround(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)));
        if (!g.visible(x, y)) return;
        --g.covered_left;
        if (g.marked(x, y))
            g.look(x, y).caption = CellLook::Caption::Mark;
        else
            g.look(x, y) = {CellLook::Caption::Count, kWhite, false};
    });
    g.minesPlaced = true;
    g.InitStat();
}

}  // namespace testing

// What both fixtures share, on whichever game the fixture plays.
class BoardTest : public ::testing::Test {
  protected:
    virtual Game& board() = 0;
    virtual void newGame(int width, int height, int mines) = 0;
    void setPosition(const std::vector<std::string>& rows) {
        std::string all;
        for (const auto& row : rows) all += row;
        const auto mines = std::count(all.begin(), all.end(), '*') + std::count(all.begin(), all.end(), 'M');
        newGame(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()),
                static_cast<int>(mines));
        testing::layPosition(board(), rows);
    }
    std::int16_t index(int x, int y) {
        return board().GetLinear(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    }
    int countCells(bool (*pred)(const Game&, int, int)) {
        int n = 0;
        board().forEachCell([&](int x, int y) { n += pred(board(), x, y); });
        return n;
    }
};

// The game on its own: no window, no host.
class GameModelTest : public BoardTest {
  protected:
    Game& board() override { return game; }
    void newGame(int width, int height, int mines) override {
        game.chooseSize(static_cast<std::int16_t>(width), static_cast<std::int16_t>(height),
                        static_cast<std::int16_t>(mines));
        game.InitGame();
    }
    Game game;
};

// The started program on a fake host. Clicks go through the main window's handlers, as the
// view's do, so the window shows the game after each.
class GameTest : public BoardTest {
  protected:
    Game& board() override { return game; }
    void SetUp() override { program.start(); }

    CommandButton& cell(int x, int y) { return form.Command1.at(game.cellIndex(x, y)); }
    void leftClick(int x, int y) { form.Command1_MouseDown(index(x, y), Form1::LeftButton); }
    void rightClick(int x, int y) { form.Command1_MouseDown(index(x, y), Form1::RightButton); }
    void newGame(int width, int height, int mines) override {
        program.flow.startGame(static_cast<std::int16_t>(width), static_cast<std::int16_t>(height),
                               static_cast<std::int16_t>(mines));
    }

    testing::FakeHost host;
    testing::RecordingEngine engine;
    Program program{host, &engine};
    Form1& form = program.form;
    Game& game = program.game;
};

inline constexpr auto isMine = [](const Game& g, int x, int y) { return g.is_mine(x, y); };
inline constexpr auto isVisible = [](const Game& g, int x, int y) { return g.visible(x, y); };

}  // namespace gravlin
