// The local-rule solver: the mine rule, the free rule, the cycle loop and its displays.
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "board_fixture.h"

namespace gravlin {
namespace {

using Cell = std::pair<int, int>;

bool adjacent(Cell a, Cell b) {
    return a != b && std::abs(a.first - b.first) <= 1 && std::abs(a.second - b.second) <= 1;
}

// A 30 x 24 position that the solver can only finish one step per cycle. A snake of cells
// F0 M1 F1 M2 F2 ... runs through a board of marked mines; only consecutive snake cells
// touch. F0 is open and sees only M1. Beside every step k an open helper cell touches Mk
// and Fk and nothing later in the snake. So cycle k marks Mk (seen from F(k-1)), which
// drops the helper's rest to 0, and the free rule opens Fk, which sees M(k+1) next cycle.
// `steps` mines are to be found; the solver needs steps + 1 cycles.
std::vector<std::string> snakePosition(int steps) {
    std::vector<Cell> snake;
    for (int band = 0; band < 8; ++band) {
        const int row = 3 * band + 2;
        const bool rightwards = band % 2 == 0;
        const int first = band == 0 ? 1 : 2;
        for (int i = 0; i <= 29 - first; ++i) snake.push_back({rightwards ? first + i : 29 - i, row});
        const int edge = rightwards ? 30 : 1;
        snake.push_back({edge, row + 1});
        snake.push_back({edge, row + 2});
    }
    snake.resize(static_cast<std::size_t>(2 * steps + 1));

    std::vector<std::string> rows(24, std::string(30, 'M'));
    auto at = [&rows](Cell c) -> char& {
        return rows[static_cast<std::size_t>(c.second - 1)][static_cast<std::size_t>(c.first - 1)];
    };
    for (std::size_t i = 0; i < snake.size(); ++i) at(snake[i]) = i % 2 ? '*' : '.';
    at(snake[0]) = 'o';
    for (std::size_t k = 2; k < snake.size(); k += 2) {  // a helper for each step
        bool found = false;
        for (int x = snake[k - 1].first - 1; x <= snake[k - 1].first + 1 && !found; ++x)
            for (int y = snake[k - 1].second - 1; y <= snake[k - 1].second + 1 && !found; ++y) {
                const Cell h{x, y};
                if (x < 1 || x > 30 || y < 1 || y > 24 || at(h) != 'M') continue;
                bool fits = adjacent(h, snake[k - 1]) && adjacent(h, snake[k]);
                for (std::size_t j = k + 1; j < snake.size(); ++j) fits = fits && !adjacent(h, snake[j]);
                if (fits) {
                    at(h) = 'o';
                    found = true;
                }
            }
        if (!found) ADD_FAILURE() << "no helper cell for step " << k / 2;
    }
    return rows;
}

// ---- the two rules ---------------------------------------------------------------------

TEST_F(GameTest, MineRuleMarksAllCoveredNeighboursWhenTheyMatchTheRestAndFinishesTheCellLater) {
    setPosition({"oo*", "oo*", "ooo"});
    EXPECT_TRUE(program.solver.SearchMine());
    EXPECT_TRUE(form.marked(3, 1) && form.marked(3, 2));
    EXPECT_EQ(cell(3, 1).backColor, kSystemButtonFace);
    EXPECT_EQ(form.covered_left, 0);
    EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: 0");
    EXPECT_FALSE(form.done(2, 1)) << "its covered count was taken before the marking";
    EXPECT_FALSE(program.solver.SearchMine());
    EXPECT_TRUE(form.done(2, 1));
}

TEST_F(GameTest, FreeRuleOpensTheCoveredNeighboursOfACellWithoutUnmarkedMinesAndZerosSpread) {
    setPosition({"Mo...", "oo...", ".....", "....."});
    EXPECT_TRUE(program.solver.PrePhase1());
    EXPECT_EQ(form.covered_left, 0);
    EXPECT_EQ(form.cnt_prephase1, 1);
}

TEST_F(GameTest, NeitherRuleTouchesACellWithOneMineAmongTwoCoveredNeighbours) {
    setPosition({"*..*", "oooo", "oooo"});
    const Grid<bool> visibleBefore = form.visible;
    program.solver.Phase1();
    EXPECT_EQ(form.visible, visibleBefore);
    EXPECT_EQ(form.CountMinesV(), 0);
    EXPECT_EQ(form.StatusBar1.text, "1:0 - 1");
    EXPECT_EQ(form.MinesLabel.caption, "002");
}

// (1,1) is scanned first and marks the mine (1,2). (2,1) saw that mine and the free cell
// (3,1) as its two unknowns with one mine among them; had its count not been brought up to
// date at once, the same pass would take (3,1) for a mine.
TEST_F(GameTest, AMarkCountsForTheCellsScannedLaterInTheSamePass) {
    setPosition({"oo.", "*oo", "ooo"});
    ASSERT_EQ(form.CountUnvisibleAround(2, 1), 2);
    EXPECT_TRUE(program.solver.SearchMine());
    EXPECT_TRUE(form.marked(1, 2));
    EXPECT_FALSE(form.marked(3, 1));
    EXPECT_EQ(form.rest_around(2, 1), 0);
    EXPECT_TRUE(program.solver.PrePhase1());
    EXPECT_TRUE(form.visible(3, 1));
}

// ---- the loop, its statistics and the win test -------------------------------------------

// Columns 1 and 2 open from the click; the mines of column 3 are marked in the first cycle;
// the second cycle finds nothing; column 4 stays covered.
TEST_F(GameTest, AllMinesMarkedWinsWithFreeCellsStillCoveredAfterOneMoreIdleCycle) {
    setPosition({"..*.", "..*.", "..*."});
    std::vector<std::string> statusDuringRun;
    host.onDoEvents = [&] { statusDuringRun.push_back(form.StatusBar1.text); };
    form.StatusBar1.text = "Index 0: x = 1, y = 1";
    leftClick(1, 1);
    EXPECT_EQ(statusDuringRun, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(form.StatusBar1.text, "2:12 - 2");  // 1 + (3 + 5 + 3) calls from the zero column
    EXPECT_FALSE(form.visible(4, 2));
    EXPECT_FALSE(form.game_running);
    EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
    EXPECT_EQ(form.MinesLabel.caption, "000");
    EXPECT_EQ(form.uncovered_count, 5)
        << "six cells opened by the click, less the one the click itself counts";
}

TEST_F(GameTest, OnlyMinesLeftCoveredWinsAndTurnsEveryMineGreen) {
    setPosition({"***..", "***..", "***..", ".....", "....."});
    leftClick(5, 5);
    EXPECT_EQ(form.CountMinesV(), 5) << "the four mines inside the block cannot be seen";
    EXPECT_FALSE(form.game_running);
    EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
    EXPECT_FALSE(form.loosercont.enabled);
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            EXPECT_TRUE(cell(x, y).backColor == 0x00C000u && cell(x, y).caption == "M") << x << "," << y;
}

TEST_F(GameTest, TheSolverWorksUnderTheWorkingFaceAndIgnoresClicksThatArriveMeanwhile) {
    setPosition({"..*.", "..*.", "..*."});
    std::vector<bool> busyDuringRun;
    host.onDoEvents = [&] {
        busyDuringRun.push_back(form.busy && host.busyPointer && form.StartStop.picture == Form1::WorkerPict);
        leftClick(4, 1);  // a free cell no rule can reach
    };
    leftClick(1, 1);
    EXPECT_EQ(busyDuringRun, (std::vector<bool>{true, true}));
    EXPECT_FALSE(form.visible(4, 1));
    EXPECT_EQ(host.pointerChanges, (std::vector<bool>{true, false}));
    EXPECT_GE(host.repaints, 2);
}

// Every run ends, whatever way it is left: after one that failed, left clicks play again.
TEST_F(GameTest, ASolverRunThatFailsLeavesNothingBusy) {
    const auto fail = [] { throw std::runtime_error("failed in the run"); };
    const std::pair<const char*, std::function<void()>> runs[] = {
        {"click", [&] { host.onDoEvents = fail, leftClick(1, 1); }},
        {"sweep", [&] { cell(1, 1).tag = "1", host.onDoEvents = fail, program.solver.KlickGreen_Click(); }},
        {"solve", [&] { engine.throws = true, program.equations.GlSolve_Click(); }},
        {"probabilities", [&] { engine.throws = true, program.equations.wahrscheinlichkeiten_Click(); }},
    };
    for (const auto& [name, run] : runs) {
        SCOPED_TRACE(name);
        setPosition({"..*.", "..*.", "..*."});
        EXPECT_THROW(run(), std::runtime_error);
        host.onDoEvents = nullptr;
        engine.throws = false;
        EXPECT_TRUE(!form.busy && !host.busyPointer && form.StartStop.picture == Form1::StartPict);
        leftClick(4, 1);
        EXPECT_TRUE(form.visible(4, 1));
    }
}

// ---- the cycle limit ------------------------------------------------------------------

// 97 steps settle in 98 cycles; 98 steps need the 99th cycle, which reports the limit even
// though it changes nothing; 110 steps are cut off there with what was found kept.
TEST_F(GameTest, TheCycleLimitStopsTheSolverAfterNinetyNineCyclesWithOneMessage) {
    struct Case {
        int steps, cycles;
        bool limit, won;
    };
    for (const Case c : {Case{97, 98, false, true}, Case{98, 99, true, true}, Case{110, 99, true, false}}) {
        SCOPED_TRACE(std::to_string(c.steps) + " steps");
        host.messages.clear();
        host.doEventsCalls = 0;
        setPosition(snakePosition(c.steps));
        const std::int16_t coveredBefore = form.covered_left;
        program.solver.Phase1();
        const std::string n = std::to_string(c.cycles);
        EXPECT_EQ(form.StatusBar1.text, n + ":" + std::to_string(form.cnt_uncover) + " - " + n);
        EXPECT_EQ(form.game_running, !c.won);
        EXPECT_EQ(form.StartStop.picture, c.won ? Form1::WinnerPict : Form1::StartPict);
        ASSERT_EQ(host.messages.size(), c.limit ? 1u : 0u);
        if (c.limit) {
            const auto& m = host.messages[0];
            EXPECT_EQ(std::tie(m.text, m.title, m.buttons, m.icon),
                      std::tuple("Limit!", "Gravlin", MsgButtons::Ok, MsgIcon::None));
        }
        if (!c.won) {
            EXPECT_EQ(host.doEventsCalls, 99);
            EXPECT_EQ(form.covered_left, coveredBefore - 2 * 99) << "99 mines marked, 99 free cells opened";
            EXPECT_EQ(form.MinesLabel.caption, "011");
            EXPECT_FALSE(form.busy);
        }
    }
}

}  // namespace
}  // namespace gravlin
