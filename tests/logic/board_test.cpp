// Coordinates, a new game, mine placement and uncovering.
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "board_fixture.h"

namespace gravlin {
namespace {

const std::vector<std::pair<int, int>> kBoards = {{9, 9}, {16, 16}, {30, 16}, {3, 3}, {30, 24}};

struct Xy {
    std::int16_t x = -7;
    std::int16_t y = -7;
};

Xy matx(const Form1& f, int L) {
    Xy r;
    f.GetMatx(static_cast<std::int16_t>(L), r.x, r.y);
    return r;
}

// ---- coordinates -----------------------------------------------------------------------

TEST_F(GameTest, LinearIndexCountsRowByRowFromZero) {
    EXPECT_EQ(form.GetLinear(1, 1), 0);
    EXPECT_EQ(form.GetLinear(16, 16), 255);
    EXPECT_EQ(matx(form, 17).x, 2);
    EXPECT_EQ(matx(form, 17).y, 2);
    newGame(30, 16, 99);
    EXPECT_EQ(matx(form, 29).x, 30);
    EXPECT_EQ(matx(form, 29).y, 1);
    EXPECT_EQ(matx(form, 30).x, 1);
    EXPECT_EQ(matx(form, 30).y, 2);
}

TEST_F(GameTest, GetMatxInvertsGetLinearOnEveryBoardAndGivesZeroOffIt) {
    for (auto [w, h] : kBoards) {
        newGame(w, h, 1);
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        for (int L = 0; L < w * h; ++L) {
            const Xy c = matx(form, L);
            ASSERT_EQ(form.GetLinear(c.x, c.y), L);
            ASSERT_TRUE(c.x >= 1 && c.x <= w && c.y >= 1 && c.y <= h);
        }
        for (int off : {-1, w * h, 719 + 1, -32768}) {
            const Xy c = matx(form, off);
            EXPECT_EQ(c.x, 0) << off;
            EXPECT_EQ(c.y, 0) << off;
        }
    }
}

// ---- new game --------------------------------------------------------------------------

TEST_F(GameTest, NewGameOfAnotherSizeKeepsNothingOfThePreviousGame) {
    newGame(30, 16, 99);
    form.seedSource = [] { return 5u; };
    leftClick(15, 8);
    form.busy = true;
    form.green_found = 3;
    ASSERT_GT(countCells(isVisible), 0);

    newGame(9, 9, 10);
    EXPECT_EQ(form.x_game, 9);
    EXPECT_EQ(form.no_mines_game, 10);
    EXPECT_EQ(form.covered_left, 81);
    EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: 81");
    EXPECT_FALSE(form.busy);
    EXPECT_EQ(form.uncovered_count, 0);
    EXPECT_EQ(form.green_found, 0);
    EXPECT_EQ(form.cnt_uncover + form.cnt_phase1 + form.cnt_prephase1, 0);
    for (const auto* g : {&form.is_mine, &form.marked, &form.visible, &form.done}) {
        EXPECT_EQ(*g, Grid<bool>(9, 9));
    }
    EXPECT_EQ(form.mines_around, Grid<std::int16_t>(9, 9));
    EXPECT_EQ(form.rest_around, Grid<std::int16_t>(9, 9));
}

TEST_F(GameTest, NewGameGivesEveryCellTheCoveredLookAndResetsTheDisplays) {
    setPosition({"*o.", "oMo", "..*"});
    leftClick(1, 1);  // lost
    form.StatusBar1.text = "Index 0: x = 1, y = 1";
    form.Solve_Click();

    form.StartStop_Click();
    EXPECT_EQ(host.focus, std::vector<std::string>{"Dummy"});
    for (int L = 0; L < 9; ++L) {
        const CommandButton& b = form.Command1[static_cast<std::size_t>(L)];
        EXPECT_EQ(b.caption, " ") << L;
        EXPECT_EQ(b.backColor, kSystemButtonFace) << L;
        EXPECT_TRUE(b.raised) << L;
        EXPECT_EQ(b.tag, "0") << L;
    }
    EXPECT_EQ(form.StatusBar1.text, "");
    EXPECT_EQ(form.MinesLabel.caption, "003");
    EXPECT_EQ(form.StartStop.picture, Form1::StartPict);
    EXPECT_TRUE(form.game_running);
    EXPECT_FALSE(form.save.enabled || form.save_mine.enabled || form.loosercont.enabled);
    EXPECT_EQ(form.Solve.caption, "&Zeige alle Minen");
}

// ---- mine placement --------------------------------------------------------------------

TEST_F(GameTest, FirstClickPlacesExactlyTheMinesAroundTheClickedCellWithConsistentCounts) {
    const std::uint64_t base = 20240611;
    for (auto [w, h] : kBoards) {
        const int mines = std::min(w * h - 1, 99);
        for (int round = 0; round < 20; ++round) {
            const std::uint64_t seed = base + static_cast<std::uint64_t>(round * 31 + w * h);
            SCOPED_TRACE("board " + std::to_string(w) + "x" + std::to_string(h) + " seed " +
                         std::to_string(seed));
            newGame(w, h, mines);
            form.seedSource = [seed] { return seed; };
            std::mt19937 pick(static_cast<std::mt19937::result_type>(seed));
            const int clicked = std::uniform_int_distribution<int>(0, w * h - 1)(pick);
            form.InitMines(static_cast<std::int16_t>(clicked));

            const Xy c = matx(form, clicked);
            ASSERT_FALSE(form.is_mine(c.x, c.y));
            ASSERT_EQ(countCells(isMine), mines);
            EXPECT_TRUE(form.save_mine.enabled && form.save.enabled);
            for (int x = 1; x <= w; ++x) {
                for (int y = 1; y <= h; ++y) {
                    int around = 0;
                    for (int i = x - 1; i <= x + 1; ++i) {
                        for (int j = y - 1; j <= y + 1; ++j) {
                            if ((i != x || j != y) && i >= 1 && i <= w && j >= 1 && j <= h)
                                around += form.is_mine(i, j);
                        }
                    }
                    ASSERT_EQ(form.mines_around(x, y), form.is_mine(x, y) ? 0 : around) << x << "," << y;
                    ASSERT_EQ(form.rest_around(x, y), form.mines_around(x, y));
                }
            }
        }
    }
}

TEST_F(GameTest, EightyMinesOnNineByNineFillEveryCellButTheClickedOne) {
    for (auto [x, y, neighbours] :
         {std::tuple{1, 1, 3}, std::tuple{5, 1, 5}, std::tuple{5, 5, 8}, std::tuple{9, 9, 3}}) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        newGame(9, 9, 80);
        leftClick(x, y);
        EXPECT_EQ(countCells(isMine), 80);
        EXPECT_FALSE(form.is_mine(x, y));
        EXPECT_EQ(form.mines_around(x, y), neighbours);
        EXPECT_TRUE(form.visible(x, y));
    }
}

TEST_F(GameTest, MoreMinesThanFreeCellsFillWhatFitsAndStillSpareTheClickedCell) {
    newGame(3, 3, 8);
    form.no_mines_game = 50;  // as a loaded layout could ask
    form.InitMines(4);
    EXPECT_EQ(countCells(isMine), 8);
    EXPECT_FALSE(form.is_mine(2, 2));
    EXPECT_EQ(form.mines_around(2, 2), 8);
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
        for (int L = 0; L < 81; ++L)
            hits[static_cast<std::size_t>(L)] += form.BtnIsMine(static_cast<std::int16_t>(L));
    }
    EXPECT_EQ(hits[40], 0);
    const double expected = kPlacements * 10.0 / 80.0;
    double chi2 = 0;
    for (int L = 0; L < 81; ++L) {
        if (L == 40) continue;
        const double d = hits[static_cast<std::size_t>(L)] - expected;
        chi2 += d * d / expected;
    }
    EXPECT_LT(chi2, 124.0) << "seeds 1000.." << seed - 1;
}

// ---- uncovering ------------------------------------------------------------------------

TEST_F(GameTest, ANumberedCellOpensAloneOnFlatWhite) {
    setPosition({"*..", "...", "..*"});
    const std::int16_t before = form.covered_left;
    EXPECT_TRUE(form.UncoverCell(index(2, 2)));
    EXPECT_EQ(cell(2, 2).caption, "2");
    EXPECT_EQ(cell(2, 2).backColor, kWhite);
    EXPECT_FALSE(cell(2, 2).raised);
    EXPECT_EQ(form.covered_left, before - 1);
    EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: " + std::to_string(before - 1));
    EXPECT_EQ(form.uncovered_count, 1);
    EXPECT_EQ(form.cnt_uncover, 1);
    EXPECT_EQ(countCells(isVisible), 1);
}

TEST_F(GameTest, ALoneZeroCellOpensItselfAndItsEightNumberedNeighboursWithNineCalls) {
    setPosition({"*****", "*...*", "*...*", "*...*", "*****"});
    cell(3, 3).tag = "1";  // marked safe by a solve
    EXPECT_TRUE(form.UncoverCell(index(3, 3)));
    EXPECT_EQ(form.cnt_uncover, 9);
    EXPECT_EQ(form.uncovered_count, 9);
    EXPECT_EQ(form.covered_left, 16);
    EXPECT_EQ(cell(3, 3).caption, "");
    EXPECT_EQ(cell(3, 3).tag, "0");
    EXPECT_EQ(cell(2, 2).caption, "5");
}

TEST_F(GameTest, OpenAndMarkedCellsAreLeftAloneButCounted) {
    setPosition({"Mo.", "...", "..*"});
    const CommandButton markedLook = cell(1, 1);
    const std::int16_t covered = form.covered_left;
    EXPECT_FALSE(form.UncoverCell(index(1, 1)));
    EXPECT_FALSE(form.UncoverCell(index(2, 1)));
    EXPECT_EQ(cell(1, 1), markedLook);
    EXPECT_EQ(form.covered_left, covered);
    EXPECT_EQ(form.uncovered_count, 0);
    EXPECT_EQ(form.cnt_uncover, 2);
}

TEST_F(GameTest, ANumberedCellWhoseMinesAreAllMarkedOpensItsUnmarkedNeighboursAndSpreads) {
    // (2,2) touches the marked mine only; once it opens, rest 0 lets it open its
    // neighbours, and the zero cells among them spread over the free right part.
    setPosition({"M....", ".....", ".....", "....*"});
    ASSERT_EQ(form.mines_around(2, 2), 1);
    ASSERT_EQ(form.rest_around(2, 2), 0);
    EXPECT_TRUE(form.UncoverCell(index(2, 2)));
    EXPECT_TRUE(form.marked(1, 1));
    EXPECT_EQ(cell(1, 1).caption, "M");
    EXPECT_EQ(countCells(isVisible), 20 - 1 /* the covered mine */);
    EXPECT_EQ(form.covered_left, 1);
}

TEST_F(GameTest, OneMineOnTheLargestBoardOpensAllOtherSevenHundredNineteenCells) {
    std::vector<std::string> rows(24, std::string(30, '.'));
    rows[0][0] = '*';
    setPosition(rows);
    EXPECT_TRUE(form.UncoverCell(index(30, 24)));
    EXPECT_EQ(form.covered_left, 1);
    EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: 1");
    EXPECT_EQ(form.uncovered_count, 719);
    // One call for the click plus one per on-board neighbour of every opened zero cell.
    int calls = 1;
    for (int x = 1; x <= 30; ++x) {
        for (int y = 1; y <= 24; ++y) {
            if (form.is_mine(x, y) || form.mines_around(x, y) != 0) continue;
            const int nx = (x == 1 || x == 30) ? 2 : 3;
            const int ny = (y == 1 || y == 24) ? 2 : 3;
            calls += nx * ny - 1;
        }
    }
    EXPECT_EQ(form.cnt_uncover, calls);
}

}  // namespace
}  // namespace gravlin

namespace gravlin {
namespace {

TEST_F(GameTest, StatisticsStopAtTheirLargestValueInsteadOfFailingTheGame) {
    setPosition({"o..", "...", "..*"});
    form.cnt_uncover = INT16_MAX;
    form.cnt_phase1 = INT16_MAX;
    form.cnt_prephase1 = INT16_MAX;
    leftClick(1, 1);  // an open cell: only counts the call
    leftClick(2, 1);
    EXPECT_EQ(form.cnt_uncover, INT16_MAX);
    EXPECT_EQ(form.StatusBar1.text, "32767:32767 - 32767");
    EXPECT_TRUE(form.visible(2, 1));
}

}  // namespace
}  // namespace gravlin
