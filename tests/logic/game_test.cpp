// The game on its own: coordinates, a new game, mine placement, marking, uncovering and the
// end of a game.
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "board_fixture.h"

namespace gravlin {
namespace {

using Caption = CellLook::Caption;

TEST_F(GameModelTest, CellsAreNumberedRowByRowAndNoIndexOffTheBoardNamesACell) {
    newGame(16, 16, 40);
    std::int16_t x = -7, y = -7;
    EXPECT_EQ(game.GetLinear(1, 1) + game.GetLinear(16, 16) * 1000, 255000);
    game.GetMatx(17, x, y);
    EXPECT_EQ((Cell{x, y}), (Cell{2, 2}));
    newGame(30, 16, 99);
    game.GetMatx(29, x, y);
    EXPECT_EQ((Cell{x, y}), (Cell{30, 1}));
    game.GetMatx(30, x, y);
    EXPECT_EQ((Cell{x, y}), (Cell{1, 2}));
    game.GetMatx(479, x, y);
    EXPECT_EQ((Cell{x, y}), (Cell{30, 16}));

    newGame(30, 24, 1);
    for (int L : {-1, 720, 32767, -32768}) {
        x = y = -7;
        game.GetMatx(static_cast<std::int16_t>(L), x, y);
        EXPECT_EQ((Cell{x, y}), Cell{}) << L;
    }
    for (auto [cx, cy] : {std::pair{0, 1}, {31, 1}, {1, 0}, {1, 25}})
        EXPECT_THROW(game.cellIndex(cx, cy), std::out_of_range) << cx << "," << cy;
    EXPECT_EQ(game.cellAt(719), (Cell{30, 24}));
}

// A lost 3 x 3 game with its mines shown, proven cells, the solver busy and statistics
// counted gives way to a 30 x 16 game with 100 mines, as a loaded game may have: nothing of
// it is left but the chosen size and the settings that outlive a game.
TEST_F(GameModelTest, NewGameOfAnotherSizeKeepsNothingOfThePreviousGame) {
    setPosition({"*o.", "oMo", "..*"});
    game.Spielende(false);
    game.Solve_Click();
    game.provenFree(3, 1) = true;
    game.status = "Index 0: x = 1, y = 1";
    game.busy = game.probabilitiesOffered = game.peekMode = game.autoPlay = true;
    game.level = Level::Custom;
    game.green_found = game.uncovered_count = game.cnt_uncover = game.cnt_phase1 = game.cnt_prephase1 = 3;
    game.chooseSize(30, 16, 100);
    game.InitGame();

    Game fresh;
    fresh.chooseSize(30, 16, 100);
    fresh.peekMode = fresh.autoPlay = true;
    fresh.level = Level::Custom;
    fresh.InitGame();
    EXPECT_TRUE(game == fresh);
    EXPECT_EQ(std::tie(game.remainingMines, game.covered_left, game.x_game, game.y_game, game.no_mines_game),
              std::tuple(100, 480, 30, 16, 100));
    EXPECT_TRUE(game.game_running && game.status.empty() && game.face == Face::Normal);
    EXPECT_FALSE(game.busy || game.minesPlaced || game.lost || game.showAllMines ||
                 game.probabilitiesOffered);
    EXPECT_EQ(game.look, Grid<CellLook>(30, 16));
    EXPECT_EQ(game.provenFree, Grid<bool>(30, 16));
    for (const auto* g : {&game.is_mine, &game.marked, &game.visible, &game.done})
        EXPECT_EQ(*g, Grid<bool>(30, 16));
    EXPECT_TRUE(game.mines_around == Grid<std::int16_t>(30, 16) && game.rest_around == game.mines_around);
    EXPECT_EQ(
        game.uncovered_count + game.green_found + game.cnt_uncover + game.cnt_phase1 + game.cnt_prephase1, 0);
}

TEST_F(GameModelTest, DefaultsAreTheIntermediateSizeWithoutPeekingOrAutomaticPlay) {
    game.peekMode = game.autoPlay = true;
    game.SetToDefault();
    EXPECT_EQ(std::tie(game.x_actual, game.y_actual, game.no_mines_actual), std::tuple(16, 16, 40));
    EXPECT_FALSE(game.peekMode || game.autoPlay);
}

// ---- mine placement --------------------------------------------------------------------

// A layout file may ask for more mines than fit, or for none at all.
TEST_F(GameModelTest, MoreMinesThanFreeCellsFillWhatFitsAndStillSpareTheClickedCell) {
    newGame(3, 3, 8);
    game.no_mines_game = 50;
    game.InitMines(4, 1);
    EXPECT_EQ(countCells(isMine), 8);
    EXPECT_FALSE(game.is_mine(2, 2));
    newGame(3, 3, 0);
    game.InitMines(4, 1);
    EXPECT_EQ(countCells(isMine), 0);
    EXPECT_TRUE(game.minesPlaced);
}

// Ten mines on 9 x 9, click in the middle: each of the other 80 cells holds a mine with
// probability 1/8. Chi-square with 79 degrees of freedom; 124 is about the 0.999 quantile.
TEST_F(GameModelTest, MinePlacementIsUniformOverTheCellsBesidesTheClickedOne) {
    constexpr int kPlacements = 4000;
    std::vector<int> hits(81, 0);
    for (int n = 0; n < kPlacements; ++n) {
        newGame(9, 9, 10);
        game.InitMines(40, 1000 + static_cast<std::uint64_t>(n));
        game.forEachCell([&](int x, int y) { hits[game.cellIndex(x, y)] += game.is_mine(x, y); });
    }
    EXPECT_EQ(hits[40], 0);
    const double expected = kPlacements * 10.0 / 80.0;
    double chi2 = -expected;  // less the clicked cell's term
    for (int h : hits) chi2 += (h - expected) * (h - expected) / expected;
    EXPECT_LT(chi2, 124.0) << "seeds 1000.." << 1000 + kPlacements - 1;
}

// ---- marking and uncovering -----------------------------------------------------------

TEST_F(GameModelTest, SetUnvisibleAroundMarksEveryCoveredNeighbourOnce) {
    setPosition({"o*o", ".o.", "ooo"});
    EXPECT_TRUE(game.SetUnvisibleAround(2, 2));
    EXPECT_EQ(countCells(isMarked), 3);
    EXPECT_EQ(game.covered_left, 0);
    const CellLook marked{Caption::Mark, kSystemButtonFace, true};
    EXPECT_TRUE(game.look(2, 1) == marked && game.look(1, 2) == marked && game.look(3, 2) == marked);
    EXPECT_FALSE(game.done(2, 2));
    EXPECT_EQ(game.rest_around(2, 2), 1) << "the count is the solver's to bring up to date";
    const Game before = game;
    EXPECT_FALSE(game.SetUnvisibleAround(2, 2));
    EXPECT_TRUE(game == before);
}

// Marked mines count as found: a cell whose mines are all marked spreads like a zero. On the
// largest board with one mine the recursion goes about 720 calls deep.
TEST_F(GameModelTest, UncoverCellOpensDepthFirstAndCountsEveryCall) {
    struct Case {
        std::vector<std::string> rows;
        int x, y;
        bool opens;
        int calls, coveredLeft, uncovered;
        Caption caption;
    };
    std::vector<std::string> largest(24, std::string(30, '.'));
    largest[0][0] = '*';
    const Case cases[] = {
        {{"*..", "...", "..*"}, 2, 2, true, 1, 8, 1, Caption::Count},
        {{"*****", "*...*", "*...*", "*...*", "*****"}, 3, 3, true, 9, 16, 9, Caption::Count},
        {{"Mo.", "...", "..*"}, 1, 1, false, 1, 7, 0, Caption::Mark},
        {{"Mo.", "...", "..*"}, 2, 1, false, 1, 7, 0, Caption::Count},
        {largest, 30, 24, true, 5420, 1, 719, Caption::Count},
        {{"M....", ".....", ".....", "....*"}, 2, 2, true, 87, 1, 18, Caption::Count},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows[0] + " click " + std::to_string(c.x) + "," + std::to_string(c.y));
        setPosition(c.rows);
        if (c.opens) game.provenFree(c.x, c.y) = true;  // proven free by a solve
        const CellLook before = game.look(c.x, c.y);
        EXPECT_EQ(game.UncoverCell(index(c.x, c.y)), c.opens);
        EXPECT_EQ(game.cnt_uncover, c.calls);
        EXPECT_EQ(game.covered_left, c.coveredLeft);
        EXPECT_EQ(game.uncovered_count, c.uncovered);
        EXPECT_EQ(game.look(c.x, c.y).caption, c.caption);
        if (c.opens) {
            EXPECT_EQ(game.look(c.x, c.y), (CellLook{Caption::Count, kWhite, false}));
            EXPECT_FALSE(game.provenFree(c.x, c.y));
        } else {
            EXPECT_EQ(game.look(c.x, c.y), before);
        }
    }
    EXPECT_EQ(game.look(1, 1).caption, Caption::Mark);
    EXPECT_EQ(game.mines_around(2, 2), 1);
}

// ---- the end of a game and the mines shown ------------------------------------------------

TEST_F(GameModelTest, TheRemainingMinesAreTheMinesLessTheMarksAsLastCounted) {
    setPosition({"M*.", "...", "..*"});
    EXPECT_EQ(game.PrintRestMinen(), 2);
    EXPECT_EQ(game.remainingMines, 2);
    game.marked(3, 3) = game.marked(3, 1) = game.marked(1, 3) = true;
    EXPECT_EQ(game.remainingMines, 2) << "counted only when asked";
    EXPECT_EQ(game.PrintRestMinen(), -1);
    EXPECT_EQ(game.CountMinesV(), 4) << "marks count whether or not a mine lies there";
}

// Won with mines still covered (every covered cell is a mine): each mine turns green with the
// mark, the count reads 0 and nothing is covered any more; showing all mines afterwards
// leaves them so, as they all carry the mark.
TEST_F(GameModelTest, AWonGameMarksEveryMineGreenAndShowingAllMinesLeavesThem) {
    setPosition({"*oo", "ooo", "ooM"});
    game.lost = true;
    game.Spielende(true);
    EXPECT_TRUE(game.face == Face::Won && !game.game_running && !game.lost);
    EXPECT_EQ(std::tie(game.remainingMines, game.covered_left), std::tuple(0, 0));
    for (auto [x, y] : {std::pair{1, 1}, {3, 3}})
        EXPECT_EQ(game.look(x, y), (CellLook{Caption::Mark, kGreen, true})) << x << "," << y;
    EXPECT_EQ(game.look(2, 2), (CellLook{Caption::Count, kWhite, false}));
    EXPECT_FALSE(game.marked(1, 1)) << "the green mark is a look, not the solver's mark";
    game.Solve_Click();
    EXPECT_EQ(game.look(1, 1).color, kGreen);
}

}  // namespace
}  // namespace gravlin
