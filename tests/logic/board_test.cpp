// Coordinates, a new game, mine placement and uncovering.
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "board_fixture.h"

namespace gravlin {
namespace {

// Clicks and the status bar show that cells are numbered row by row; here the guards.
TEST_F(GameTest, NoIndexOffTheBoardNamesACell) {
    newGame(30, 24, 1);
    for (int L : {-1, 720, 32767, -32768}) {
        std::int16_t x = -7, y = -7;
        form.GetMatx(static_cast<std::int16_t>(L), x, y);
        EXPECT_EQ((Cell{x, y}), Cell{}) << L;
    }
    for (auto [x, y] : {std::pair{0, 1}, {31, 1}, {1, 0}, {1, 25}})
        EXPECT_THROW(form.cellIndex(x, y), std::out_of_range) << x << "," << y;
    EXPECT_EQ(form.cellAt(719), (Cell{30, 24}));
}

// A lost 3 x 3 game with its mines shown, the solver busy and statistics counted gives way to
// a 30 x 16 game with 100 mines, as a loaded game may have: nothing of it is left.
TEST_F(GameTest, NewGameOfAnotherSizeKeepsNothingOfThePreviousGame) {
    setPosition({"*o.", "oMo", "..*"});
    leftClick(1, 1);  // lost
    form.StatusBar1.text = "Index 0: x = 1, y = 1";
    form.Solve_Click();
    form.busy = true;
    form.green_found = form.uncovered_count = form.cnt_uncover = form.cnt_phase1 = form.cnt_prephase1 = 3;
    form.x_actual = 30;
    form.y_actual = 16;
    form.no_mines_actual = 100;

    form.StartStop_Click();
    EXPECT_EQ(host.focus, std::vector<std::string>{"Dummy"});
    for (int L = 0; L < 480; ++L) {
        const CommandButton& b = form.Command1[static_cast<std::size_t>(L)];
        EXPECT_TRUE(b.caption == " " && b.backColor == kSystemButtonFace && b.raised && b.tag == "0") << L;
    }
    EXPECT_EQ(form.StatusBar1.text, "");
    EXPECT_EQ(form.MinesLabel.caption, "100");
    EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: 480");
    EXPECT_EQ(form.StartStop.picture, Form1::StartPict);
    EXPECT_TRUE(form.game_running && !form.busy);
    EXPECT_FALSE(form.save.enabled || form.save_mine.enabled || form.loosercont.enabled);
    EXPECT_EQ(form.Solve.caption, "&Zeige alle Minen");
    EXPECT_EQ(
        form.uncovered_count + form.green_found + form.cnt_uncover + form.cnt_phase1 + form.cnt_prephase1, 0);
    for (const auto* g : {&form.is_mine, &form.marked, &form.visible, &form.done})
        EXPECT_EQ(*g, Grid<bool>(30, 16));
    EXPECT_TRUE(form.mines_around == Grid<std::int16_t>(30, 16) && form.rest_around == form.mines_around);
}

// ---- mine placement --------------------------------------------------------------------

// Boards of every shape, some as full as they can be.
TEST_F(GameTest, TheFirstClickPlacesAllMinesElsewhereAndNeverLoses) {
    const std::tuple<int, int, int> boards[] = {{3, 3, 8},    {4, 3, 11},   {9, 9, 10},  {9, 9, 80},
                                                {30, 16, 99}, {30, 24, 99}, {3, 24, 71}, {30, 3, 89}};
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        for (auto [w, h, mines] : boards) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " board " + std::to_string(w) + "x" +
                         std::to_string(h) + " mines " + std::to_string(mines));
            newGame(w, h, mines);
            form.seedSource = [seed] { return seed; };
            const int x = 1 + static_cast<int>(seed * 7 % static_cast<std::uint64_t>(w));
            const int y = 1 + static_cast<int>(seed * 13 % static_cast<std::uint64_t>(h));
            leftClick(x, y);
            ASSERT_EQ(countCells(isMine), mines);
            ASSERT_TRUE(form.visible(x, y) && !form.is_mine(x, y));
            ASSERT_NE(form.StartStop.picture, Form1::LooserPict);
            EXPECT_TRUE(form.save_mine.enabled && form.save.enabled);
            form.forEachCell([&](int cx, int cy) {
                int around = 0, marks = 0;
                const auto count = [&](int i, int j) {
                    around += form.is_mine(i, j), marks += form.marked(i, j);
                };
                form.forEachNeighbour(cx, cy, count);
                ASSERT_EQ(form.mines_around(cx, cy), form.is_mine(cx, cy) ? 0 : around) << cx << "," << cy;
                ASSERT_EQ(form.rest_around(cx, cy), form.mines_around(cx, cy) - marks) << cx << "," << cy;
            });
        }
    }
}

TEST_F(GameTest, MoreMinesThanFreeCellsFillWhatFitsAndStillSpareTheClickedCell) {
    newGame(3, 3, 8);
    form.no_mines_game = 50;  // as a loaded layout could ask
    form.InitMines(4);
    EXPECT_EQ(countCells(isMine), 8);
    EXPECT_FALSE(form.is_mine(2, 2));
}

// Ten mines on 9 x 9, click in the middle: each of the other 80 cells holds a mine with
// probability 1/8. Chi-square with 79 degrees of freedom; 124 is about the 0.999 quantile.
TEST_F(GameTest, MinePlacementIsUniformOverTheCellsBesidesTheClickedOne) {
    constexpr int kPlacements = 4000;
    std::uint64_t seed = 1000;
    form.seedSource = [&seed] { return seed++; };
    std::vector<int> hits(81, 0);
    for (int n = 0; n < kPlacements; ++n) {
        newGame(9, 9, 10);
        form.InitMines(40);
        form.forEachCell([&](int x, int y) { hits[form.cellIndex(x, y)] += form.is_mine(x, y); });
    }
    EXPECT_EQ(hits[40], 0);
    const double expected = kPlacements * 10.0 / 80.0;
    double chi2 = -expected;  // less the clicked cell's term
    for (int h : hits) chi2 += (h - expected) * (h - expected) / expected;
    EXPECT_LT(chi2, 124.0) << "seeds 1000.." << seed - 1;
}

// ---- uncovering ------------------------------------------------------------------------

// Marked mines count as found: a cell whose mines are all marked spreads like a zero. On the
// largest board with one mine the recursion goes about 720 calls deep.
TEST_F(GameTest, UncoverCellOpensDepthFirstAndCountsEveryCall) {
    struct Case {
        std::vector<std::string> rows;
        int x, y;
        bool opens;
        int calls, coveredLeft, uncovered;
        const char* caption;
    };
    std::vector<std::string> largest(24, std::string(30, '.'));
    largest[0][0] = '*';
    const Case cases[] = {
        {{"*..", "...", "..*"}, 2, 2, true, 1, 8, 1, "2"},
        {{"*****", "*...*", "*...*", "*...*", "*****"}, 3, 3, true, 9, 16, 9, ""},
        {{"Mo.", "...", "..*"}, 1, 1, false, 1, 7, 0, "M"},
        {{"Mo.", "...", "..*"}, 2, 1, false, 1, 7, 0, "1"},
        {largest, 30, 24, true, 5420, 1, 719, ""},
        {{"M....", ".....", ".....", "....*"}, 2, 2, true, 87, 1, 18, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows[0] + " click " + std::to_string(c.x) + "," + std::to_string(c.y));
        setPosition(c.rows);
        if (c.opens) cell(c.x, c.y).tag = "1";  // marked safe by a solve
        EXPECT_EQ(form.UncoverCell(index(c.x, c.y)), c.opens);
        EXPECT_EQ(form.cnt_uncover, c.calls);
        EXPECT_EQ(form.covered_left, c.coveredLeft);
        EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: " + std::to_string(c.coveredLeft));
        EXPECT_EQ(form.uncovered_count, c.uncovered);
        EXPECT_EQ(cell(c.x, c.y).caption, c.caption);
        const CommandButton& b = cell(c.x, c.y);
        EXPECT_TRUE(!c.opens || (b.tag == "0" && !b.raised && b.backColor == kWhite));
    }
    EXPECT_EQ(cell(1, 1).caption, "M");
}

// A click on an open cell only counts the call; it runs no solver.
TEST_F(GameTest, StatisticsStopAtTheirLargestValueInsteadOfFailingTheGame) {
    setPosition({"o..", "...", "..*"});
    form.wahrscheinlichkeiten.enabled = true;
    leftClick(1, 1);
    EXPECT_FALSE(form.wahrscheinlichkeiten.enabled);
    EXPECT_EQ(form.cnt_uncover * 10 + form.cnt_phase1 + host.doEventsCalls, 10);
    form.cnt_uncover = form.cnt_phase1 = form.cnt_prephase1 = INT16_MAX;
    leftClick(2, 1);
    EXPECT_EQ(form.StatusBar1.text, "32767:32767 - 32767");
    EXPECT_TRUE(form.visible(2, 1));
}

}  // namespace
}  // namespace gravlin
