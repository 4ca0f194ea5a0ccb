// The local-rule solver: the mine rule, the free rule, the cycle loop and its displays.
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "board_fixture.h"

namespace gravlin {
namespace {

// ---- the two rules ---------------------------------------------------------------------

TEST_F(GameTest, MineRuleMarksAllCoveredNeighboursWhenTheyMatchTheRestAndFinishesTheCellLater) {
    setPosition({"oo*", "oo*", "ooo"});
    EXPECT_TRUE(program.solver.SearchMine());
    EXPECT_TRUE(form.marked(3, 1) && form.marked(3, 2));
    EXPECT_EQ(cell(3, 1).backColor, kSystemButtonFace);
    EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: 0");
    EXPECT_FALSE(form.done(2, 1)) << "its covered count was taken before the marking";
    EXPECT_FALSE(program.solver.SearchMine());
    EXPECT_TRUE(form.done(2, 1));
}

// (1,1) is scanned first and marks the mine (1,2). (2,1) saw that mine and the free cell
// (3,1) as its two unknowns with one mine among them; had its count not been brought up to
// date at once, the same pass would take (3,1) for a mine.
TEST_F(GameTest, AMarkCountsForTheCellsScannedLaterInTheSamePass) {
    setPosition({"oo.", "*oo", "ooo"});
    ASSERT_EQ(form.CountUnvisibleAround(2, 1), 2);
    EXPECT_TRUE(program.solver.SearchMine());
    EXPECT_TRUE(form.marked(1, 2) && !form.marked(3, 1));
    EXPECT_EQ(form.rest_around(2, 1), 0);
    EXPECT_TRUE(program.solver.PrePhase1());
    EXPECT_TRUE(form.visible(3, 1));
}

// ---- the loop, its statistics and the win test -------------------------------------------

// Columns 1 and 2 open from the click; the mines of column 3 are marked in the first cycle;
// the second cycle finds nothing; column 4 stays covered. The run shows the working face and
// ignores a click that arrives meanwhile.
TEST_F(GameTest, AllMinesMarkedWinsWithFreeCellsStillCoveredAfterOneMoreIdleCycle) {
    setPosition({"..*.", "..*.", "..*."});
    std::vector<std::string> duringRun;
    host.onDoEvents = [&] {
        const bool working = form.busy && host.busyPointer && form.StartStop.picture == Form1::WorkerPict;
        duringRun.push_back(form.StatusBar1.text + (working ? "working" : "idle"));
        leftClick(4, 1);  // a free cell no rule can reach
    };
    form.StatusBar1.text = "Index 0: x = 1, y = 1";
    leftClick(1, 1);
    EXPECT_EQ(duringRun, (std::vector<std::string>{"working", "working"}));
    EXPECT_EQ(host.pointerChanges, (std::vector<bool>{true, false}));
    EXPECT_GE(host.repaints, 2);
    EXPECT_EQ(form.StatusBar1.text, "2:12 - 2");  // 1 + (3 + 5 + 3) calls from the zero column
    EXPECT_FALSE(form.visible(4, 1) || form.visible(4, 2) || form.game_running);
    EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
    EXPECT_EQ(form.MinesLabel.caption, "000");
    EXPECT_EQ(form.uncovered_count, 5)
        << "six cells opened by the click, less the one the click itself counts";
}

TEST_F(GameTest, OnlyMinesLeftCoveredWinsAndTurnsEveryMineGreen) {
    setPosition({"***..", "***..", "***..", ".....", "....."});
    leftClick(5, 5);
    EXPECT_EQ(form.CountMinesV(), 5) << "the four mines inside the block cannot be seen";
    EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
    EXPECT_FALSE(form.game_running || form.loosercont.enabled);
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            EXPECT_TRUE(cell(x, y).backColor == 0x00C000u && cell(x, y).caption == "M") << x << "," << y;
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

// A run kept busy by a count disturbed at each call for events, on a board that is won once
// the run ends: 97 busy cycles settle in 98; 98 need the 99th, which reports the limit even
// though it changes nothing; a run that never settles is cut off there. The win test follows.
TEST_F(GameTest, TheCycleLimitStopsTheSolverAfterNinetyNineCyclesWithOneMessage) {
    for (auto [busyCycles, cycles, limit] : {std::tuple{97, 98, false}, {98, 99, true}, {1000, 99, true}}) {
        SCOPED_TRACE(std::to_string(busyCycles) + " busy cycles");
        setPosition({"M..", "...", "..."});
        host.messages.clear();
        int calls = 0;
        host.onDoEvents = [&, busy = busyCycles] {
            if (++calls <= busy) form.rest_around(3, 3) = 7;
        };
        program.solver.Phase1();
        EXPECT_EQ(calls, cycles);
        const std::string n = std::to_string(cycles);
        EXPECT_EQ(form.StatusBar1.text, n + ":0 - " + n);
        ASSERT_EQ(host.messages.size(), limit ? 1u : 0u);
        if (limit) {
            const auto& m = host.messages[0];
            EXPECT_EQ(std::tie(m.text, m.title, m.buttons, m.icon),
                      std::tuple("Limit!", "Gravlin", MsgButtons::Ok, MsgIcon::None));
        }
        EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
        EXPECT_FALSE(form.busy || form.game_running);
    }
}

}  // namespace
}  // namespace gravlin
