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

struct DrawnSize {
    std::int16_t width, height, mines;
};

inline DrawnSize sizeOf(const std::vector<std::string>& rows) {
    int mines = 0;
    for (const auto& row : rows)
        mines += static_cast<int>(
            std::count_if(row.begin(), row.end(), [](char c) { return c == '*' || c == 'M'; }));
    return {static_cast<std::int16_t>(rows.front().size()), static_cast<std::int16_t>(rows.size()),
            static_cast<std::int16_t>(mines)};
}

// Lays the drawn position on a new game of its size: mines, marks and open cells, looking
// and counting as they would in play; statistics from zero.
inline void layPosition(Game& g, const std::vector<std::string>& rows) {
    auto at = [&rows](int x, int y) {
        return rows[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)];
    };
    g.forEachCell([&](int x, int y) {
        g.is_mine(x, y) = at(x, y) == '*' || at(x, y) == 'M';
        g.marked(x, y) = at(x, y) == 'M';
        g.visible(x, y) = at(x, y) == 'o' || at(x, y) == 'M';
    });
    g.countMinesOfEveryCell();
    g.forEachCell([&](int x, int y) {
        g.rest_around(x, y) = static_cast<std::int16_t>(
            g.mines_around(x, y) -
            g.CountMinesVAround(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)));
        if (!g.visible(x, y)) return;
        --g.covered_left;
        CellLook& look = g.look(x, y);
        if (g.marked(x, y)) {
            look.caption = CellLook::Caption::Mark;
            return;
        }
        look = {CellLook::Caption::Count, kWhite, false};
    });
    g.minesPlaced = true;
    g.InitStat();
}

}  // namespace testing

// The game on its own: no window, no host.
class GameModelTest : public ::testing::Test {
  protected:
    void newGame(int width, int height, int mines) {
        game.chooseSize(static_cast<std::int16_t>(width), static_cast<std::int16_t>(height),
                        static_cast<std::int16_t>(mines));
        game.InitGame();
    }
    void setPosition(const std::vector<std::string>& rows) {
        const auto s = testing::sizeOf(rows);
        newGame(s.width, s.height, s.mines);
        testing::layPosition(game, rows);
    }
    std::int16_t index(int x, int y) const {
        return game.GetLinear(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    }
    int countCells(bool (*pred)(const Game&, int, int)) const {
        int n = 0;
        game.forEachCell([&](int x, int y) { n += pred(game, x, y); });
        return n;
    }

    Game game;
};

// The started program on a fake host. Clicks go through the main window's handlers, as the
// view's do, so the window shows the game after each.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override { program.start(); }

    CommandButton& cell(int x, int y) { return form.Command1.at(game.cellIndex(x, y)); }
    CellLook& look(int x, int y) { return game.look(x, y); }
    std::int16_t index(int x, int y) const {
        return game.GetLinear(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    }
    void leftClick(int x, int y) { form.Command1_MouseDown(index(x, y), Form1::LeftButton); }
    void rightClick(int x, int y) { form.Command1_MouseDown(index(x, y), Form1::RightButton); }

    void newGame(int width, int height, int mines) {
        program.flow.startGame(static_cast<std::int16_t>(width), static_cast<std::int16_t>(height),
                               static_cast<std::int16_t>(mines));
    }
    void setPosition(const std::vector<std::string>& rows) {
        const auto s = testing::sizeOf(rows);
        newGame(s.width, s.height, s.mines);
        testing::layPosition(game, rows);
    }

    int countCells(bool (*pred)(const Game&, int, int)) const {
        int n = 0;
        game.forEachCell([&](int x, int y) { n += pred(game, x, y); });
        return n;
    }

    testing::FakeHost host;
    testing::RecordingEngine engine;
    Program program{host, &engine};
    Form1& form = program.form;
    Game& game = program.game;
};

inline constexpr auto isMine = [](const Game& g, int x, int y) { return g.is_mine(x, y); };
inline constexpr auto isVisible = [](const Game& g, int x, int y) { return g.visible(x, y); };
inline constexpr auto isMarked = [](const Game& g, int x, int y) { return g.marked(x, y); };

}  // namespace gravlin
