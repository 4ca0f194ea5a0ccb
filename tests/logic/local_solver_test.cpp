// The local-rule solver: the mine rule, the free rule, the cycle loop and its displays, and
// the sweep over the light green cells.
#include <functional>
#include <stdexcept>

#include "board_fixture.h"

namespace gravlin {
namespace {

// The solver on the game alone, with a fake host and a bare main window.
class SolverTest : public GameModelTest {
  protected:
    testing::FakeHost host;
    Window mainWindow;
    LocalSolver solver{game, host, mainWindow};
};

TEST_F(SolverTest, MineRuleMarksAllCoveredNeighboursWhenTheyMatchTheRestAndFinishesTheCellLater) {
    setPosition({"oo*", "oo*", "ooo"});
    EXPECT_TRUE(solver.SearchMine());
    EXPECT_TRUE(game.marked(3, 1) && game.marked(3, 2) && game.covered_left == 0);
    EXPECT_FALSE(game.done(2, 1)) << "its covered count was taken before the marking";
    EXPECT_FALSE(solver.SearchMine());
    EXPECT_TRUE(game.done(2, 1));
}

// (1,1) is scanned first and marks the mine (1,2). (2,1) saw that mine and the free cell
// (3,1) as its two unknowns with one mine among them; had its count not been brought up to
// date at once, the same pass would take (3,1) for a mine.
TEST_F(SolverTest, AMarkCountsForTheCellsScannedLaterInTheSamePass) {
    setPosition({"oo.", "*oo", "ooo"});
    ASSERT_EQ(game.CountUnvisibleAround(2, 1), 2);
    EXPECT_TRUE(solver.SearchMine());
    EXPECT_TRUE(game.marked(1, 2) && !game.marked(3, 1) && game.rest_around(2, 1) == 0);
    EXPECT_TRUE(solver.PrePhase1());
    EXPECT_TRUE(game.visible(3, 1));
}

// A run kept busy by a count disturbed at each call for events, on a board that is won once
// the run ends: 97 busy cycles settle in 98; 98 need the 99th, which reports the limit even
// though it changes nothing; a run that never settles is cut off there. The win test follows.
TEST_F(SolverTest, TheCycleLimitStopsTheSolverAfterNinetyNineCyclesWithOneMessage) {
    for (auto [busyCycles, cycles, limit] : {std::tuple{97, 98, false}, {98, 99, true}, {1000, 99, true}}) {
        SCOPED_TRACE(std::to_string(busyCycles) + " busy cycles");
        setPosition({"M..", "...", "..."});
        host.messages.clear();
        int calls = 0;
        host.onDoEvents = [&, busy = busyCycles] {
            if (++calls <= busy) game.rest_around(3, 3) = 7;
        };
        solver.Phase1();
        const std::string n = std::to_string(calls);
        EXPECT_EQ(game.status, n + ":0 - " + n);
        EXPECT_EQ(calls, cycles);
        ASSERT_EQ(host.messages.size(), limit ? 1u : 0u);
        if (limit) {
            const auto& m = host.messages[0];
            EXPECT_EQ(std::tie(m.text, m.title, m.buttons, m.icon),
                      std::tuple("Limit!", "Gravlin", MsgButtons::Ok, MsgIcon::None));
        }
        EXPECT_TRUE(game.face == Face::Won && !game.busy && !game.game_running);
    }
}

// (1,1) and (1,3) are light green; opening (1,1) (a zero) lets the solver open (1,3).
TEST_F(SolverTest, TheSweepPassesByGreenCellsThatAnEarlierSolverRunOpened) {
    setPosition({"...", "...", "...", "..*"});
    game.provenFree(1, 1) = game.provenFree(1, 3) = true;
    game.look(1, 1).color = 0x00C0FFC0;
    game.green_found = 2;
    solver.KlickGreen_Click();
    EXPECT_TRUE(game.visible(1, 3) && !game.provenFree(1, 3) && !game.provenFree(1, 1));
    EXPECT_TRUE(game.look(1, 1).color == kWhite && game.green_found == 0 && !game.busy);
    // One solver run of two cycles for (1,1): (1,3) was already open when the sweep reached it.
    EXPECT_EQ(game.cnt_phase1 * 10 + game.cnt_prephase1, 22);
}

// Columns 1 and 2 open from the click; the mines of column 3 are marked in the first cycle;
// the second cycle finds nothing; column 4 stays covered. The run shows the working face and
// ignores a click that arrives meanwhile.
TEST_F(GameTest, AllMinesMarkedWinsWithFreeCellsStillCoveredAfterOneMoreIdleCycle) {
    setPosition({"..*.", "..*.", "..*."});
    std::vector<std::string> duringRun;
    host.onDoEvents = [&] {
        const bool working = game.busy && host.busyPointer && game.face == Face::Working;
        duringRun.push_back(game.status + (working ? "working" : "idle"));
        leftClick(4, 1);  // a free cell no rule can reach
    };
    rightClick(1, 1);
    leftClick(1, 1);
    EXPECT_EQ(duringRun, (std::vector<std::string>{"working", "working"}));
    EXPECT_FALSE(host.busyPointer);
    EXPECT_EQ(game.status, "2:12 - 2");  // 1 + (3 + 5 + 3) calls from the zero column
    EXPECT_FALSE(game.visible(4, 1) || game.visible(4, 2) || game.game_running);
    EXPECT_TRUE(game.face == Face::Won && form.MinesLabel.caption == "000");
    EXPECT_EQ(game.uncovered_count, 5)
        << "six cells opened by the click, less the one the click itself counts";
}

// The four mines inside the block can be neither seen nor marked; won all the same.
TEST_F(GameTest, OnlyMinesLeftCoveredWinsAndTurnsEveryMineGreen) {
    setPosition({"***..", "***..", "***..", ".....", "....."});
    leftClick(5, 5);
    EXPECT_TRUE(game.face == Face::Won && !game.game_running);
    EXPECT_TRUE(cell(2, 2).backColor == kGreen && cell(2, 2).caption == "M");
}

// Every run ends, whatever way it is left: after one that failed, left clicks play again.
TEST_F(GameTest, ASolverRunThatFailsLeavesNothingBusy) {
    const auto fail = [] { throw std::runtime_error("failed in the run"); };
    const std::pair<const char*, std::function<void()>> runs[] = {
        {"click", [&] { host.onDoEvents = fail, leftClick(1, 1); }},
        {"sweep", [&] { game.provenFree(1, 1) = true, host.onDoEvents = fail, form.KlickGreen_Click(); }},
        {"solve", [&] { engine.throws = true, form.GlSolve_Click(); }},
        {"probabilities", [&] { engine.throws = true, form.wahrscheinlichkeiten_Click(); }},
    };
    for (const auto& [name, run] : runs) {
        SCOPED_TRACE(name);
        setPosition({"..*.", "..*.", "..*."});
        EXPECT_THROW(run(), std::runtime_error);
        host.onDoEvents = nullptr;
        engine.throws = false;
        EXPECT_TRUE(!game.busy && !host.busyPointer && game.face == Face::Normal);
        leftClick(4, 1);
        EXPECT_TRUE(game.visible(4, 1));
    }
}

}  // namespace
}  // namespace gravlin
