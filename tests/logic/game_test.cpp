// The game on its own: coordinates, mine placement, marking, uncovering and the end
// of a game.
#include "board_fixture.h"

namespace gravlin {
namespace {

using Caption = CellLook::Caption;

// Cells are numbered row by row; no index off the board names a cell.
TEST_F(GameModelTest, CellsAreNumberedRowByRowAndNoIndexOffTheBoardNamesACell) {
    newGame(30, 24, 1);
    const std::tuple<int, int, int> cells[] = {{0, 1, 1},  {29, 30, 1}, {30, 1, 2},    {719, 30, 24},
                                               {-1, 0, 0}, {720, 0, 0}, {32767, 0, 0}, {-32768, 0, 0}};
    for (auto [L, cx, cy] : cells) {
        std::int16_t x = -7, y = -7;
        game.GetMatx(static_cast<std::int16_t>(L), x, y);
        EXPECT_EQ((Cell{x, y}), (Cell{cx, cy})) << L;
        EXPECT_TRUE(cx == 0 || index(cx, cy) == L) << L;
    }
    for (auto [cx, cy] : {std::pair{0, 1}, {31, 1}, {1, 0}, {1, 25}})
        EXPECT_THROW(game.cellIndex(cx, cy), std::out_of_range) << cx << "," << cy;
}

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

// Marked mines count as found: a cell whose mines are all marked spreads like a zero. On the
// largest board with one mine the recursion goes about 720 calls deep.
TEST_F(GameModelTest, UncoverCellOpensDepthFirstAndCountsEveryCall) {
    struct Case {
        std::vector<std::string> rows;
        int x, y, calls, coveredLeft, uncovered;
    };
    std::vector<std::string> largest(24, std::string(30, '.'));
    largest[0][0] = '*';
    const Case cases[] = {
        {{"*****", "*...*", "*...*", "*...*", "*****"}, 3, 3, 9, 16, 9},
        {{"Mo.", "...", "..*"}, 1, 1, 1, 7, 0},
        {{"Mo.", "...", "..*"}, 2, 1, 1, 7, 0},
        {largest, 30, 24, 5420, 1, 719},
        {{"M....", ".....", ".....", "....*"}, 2, 2, 87, 1, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows[0] + " click " + std::to_string(c.x) + "," + std::to_string(c.y));
        setPosition(c.rows);
        const bool opens = c.uncovered > 0;
        const CellLook before = game.look(c.x, c.y);
        EXPECT_EQ(game.UncoverCell(index(c.x, c.y)), opens);
        EXPECT_EQ(std::tie(game.cnt_uncover, game.covered_left, game.uncovered_count),
                  std::tie(c.calls, c.coveredLeft, c.uncovered));
        EXPECT_EQ(game.look(c.x, c.y), (opens ? CellLook{Caption::Count, kWhite, false} : before));
    }
}

TEST_F(GameModelTest, TheRemainingMinesAreTheMinesLessTheMarks) {
    setPosition({"M*.", "...", "..*"});
    EXPECT_EQ(game.PrintRestMinen(), 2);
    game.marked(3, 3) = game.marked(3, 1) = game.marked(1, 3) = true;
    EXPECT_EQ(game.PrintRestMinen(), -1);
    EXPECT_EQ(game.CountMinesV(), 4) << "marks count whether or not a mine lies there";
}

// Won with mines still covered (every covered cell is a mine): each mine turns green with the
// mark, the count reads 0 and nothing is covered any more; showing all mines afterwards
// leaves them so, as they all carry the mark.
TEST_F(GameModelTest, AWonGameMarksEveryMineGreenAndShowingAllMinesLeavesThem) {
    setPosition({"*oo", "ooo", "ooM"});
    game.Spielende(true);
    EXPECT_TRUE(game.face == Face::Won && !game.game_running);
    EXPECT_EQ(std::tie(game.remainingMines, game.covered_left), std::tuple(0, 0));
    for (auto [x, y] : {std::pair{1, 1}, {3, 3}})
        EXPECT_EQ(game.look(x, y), (CellLook{Caption::Mark, kGreen, true})) << x << "," << y;
    EXPECT_FALSE(game.marked(1, 1)) << "the green mark is a look, not the solver's mark";
    game.Solve_Click();
    EXPECT_EQ(game.look(1, 1).color, kGreen);
}

}  // namespace
}  // namespace gravlin
