// The flow of a press on a cell and of a new game, through the main window's handlers: the
// game as it changes, and what the window shows of it afterwards.
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "board_fixture.h"

namespace gravlin {
namespace {

using Caption = CellLook::Caption;

// A lost 3 x 3 game with its mines shown gives way, at the face button, to a 30 x 16 game
// with 100 mines, and the window shows a new game on every cell of it.
TEST_F(GameTest, TheFaceButtonStartsANewGameAndTheWindowShowsIt) {
    setPosition({"*o.", "oMo", "..*"});
    leftClick(1, 1);  // lost
    form.Solve_Click();
    rightClick(1, 1);
    game.chooseSize(30, 16, 100);
    host.focus.clear();

    form.StartStop_Click();
    EXPECT_EQ(host.focus, std::vector<std::string>{"Dummy"});
    EXPECT_EQ(std::tie(game.x_game, game.no_mines_game, game.covered_left), std::tuple(30, 100, 480));
    for (int L = 0; L < 480; ++L) {
        const CommandButton& b = form.Command1[static_cast<std::size_t>(L)];
        EXPECT_TRUE(b.caption == " " && b.backColor == kSystemButtonFace && b.raised && b.tag == "0" &&
                    b.enabled && !b.tabStop)
            << L;
    }
    EXPECT_EQ(form.StatusBar1.text, "");
    EXPECT_EQ(form.MinesLabel.caption + " " + form.MinesLabel.toolTip, "100 Noch verdeckt: 480");
    EXPECT_EQ(form.StartStop.picture, Form1::StartPict);
    EXPECT_FALSE(form.save.enabled || form.save_mine.enabled || form.loosercont.enabled);
    EXPECT_EQ(form.Solve.caption, "&Zeige alle Minen");
}

// Boards of every shape, some as full as they can be.
TEST_F(GameTest, TheFirstClickPlacesAllMinesElsewhereAndNeverLoses) {
    const std::tuple<int, int, int> boards[] = {{3, 3, 8},    {4, 3, 11},   {9, 9, 10},  {9, 9, 80},
                                                {30, 16, 99}, {30, 24, 99}, {3, 24, 71}, {30, 3, 89}};
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        for (auto [w, h, mines] : boards) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " board " + std::to_string(w) + "x" +
                         std::to_string(h) + " mines " + std::to_string(mines));
            newGame(w, h, mines);
            program.flow.seedSource = [seed] { return seed; };
            const int x = 1 + static_cast<int>(seed * 7 % static_cast<std::uint64_t>(w));
            const int y = 1 + static_cast<int>(seed * 13 % static_cast<std::uint64_t>(h));
            leftClick(x, y);
            ASSERT_EQ(countCells(isMine), mines);
            ASSERT_TRUE(game.visible(x, y) && !game.is_mine(x, y));
            ASSERT_NE(game.face, Face::Lost);
            EXPECT_TRUE(game.minesPlaced && form.save_mine.enabled && form.save.enabled);
            game.forEachCell([&](int cx, int cy) {
                int around = 0, marks = 0;
                const auto count = [&](int i, int j) {
                    around += game.is_mine(i, j), marks += game.marked(i, j);
                };
                game.forEachNeighbour(cx, cy, count);
                ASSERT_EQ(game.mines_around(cx, cy), game.is_mine(cx, cy) ? 0 : around) << cx << "," << cy;
                ASSERT_EQ(game.rest_around(cx, cy), game.mines_around(cx, cy) - marks) << cx << "," << cy;
            });
        }
    }
}

// A click on an open cell only takes the probabilities back and counts the call; it runs no
// solver. At their largest value the statistics stop instead of failing the game.
TEST_F(GameTest, StatisticsStopAtTheirLargestValueInsteadOfFailingTheGame) {
    setPosition({"o..", "...", "..*"});
    game.probabilitiesOffered = true;
    leftClick(1, 1);
    EXPECT_FALSE(game.probabilitiesOffered || form.wahrscheinlichkeiten.enabled);
    EXPECT_EQ(game.cnt_uncover * 10 + game.cnt_phase1 + host.doEventsCalls, 10);
    game.cnt_uncover = game.cnt_phase1 = game.cnt_prephase1 = INT16_MAX;
    leftClick(2, 1);
    EXPECT_EQ(game.status, "32767:32767 - 32767");
    EXPECT_TRUE(game.visible(2, 1));
}

TEST_F(GameTest, ClickingAMineLosesTurnsUnmarkedMinesRedAndVoidsFurtherLeftClicks) {
    setPosition({"*o.", "oMo", "..*"});
    const CellLook markedLook = look(2, 2);
    leftClick(3, 3);
    EXPECT_TRUE(game.face == Face::Lost && game.lost && !game.game_running);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_TRUE(look(1, 1).color == kRed && look(3, 3).color == kRed);
    EXPECT_FALSE(game.visible(3, 3)) << "the clicked mine is not opened";
    EXPECT_EQ(look(3, 3).caption, Caption::Covered);
    EXPECT_TRUE(cell(3, 3).backColor == kRed && cell(3, 3).caption == " " && form.loosercont.enabled);
    EXPECT_EQ(form.StartStop.picture, Form1::LooserPict);

    // Showing all mines paints them magenta and back; the marked mine keeps its look.
    form.Solve_Click();
    EXPECT_EQ(form.Solve.caption, "Ende von: &Zeige");
    EXPECT_TRUE(cell(1, 1).backColor == kMagenta && look(3, 3).color == kMagenta);
    EXPECT_EQ(look(3, 1).color, kSystemButtonFace);
    form.Solve_Click();
    EXPECT_EQ(form.Solve.caption, "&Zeige alle Minen");
    EXPECT_EQ(look(1, 1).color, kSystemButtonFace);
    EXPECT_EQ(look(2, 2), markedLook);

    leftClick(3, 1);
    EXPECT_FALSE(game.visible(3, 1));
    EXPECT_EQ(game.cnt_uncover, 0);
    rightClick(3, 1);
    EXPECT_EQ(form.StatusBar1.text, "Index 2: x = 3, y = 1");

    setPosition({"Mo.", "...", "..*"});  // a marked mine loses too, and keeps its look
    leftClick(1, 1);
    EXPECT_EQ(game.face, Face::Lost);
    EXPECT_EQ(look(3, 3).color, kRed);
    EXPECT_EQ(look(1, 1).color, kSystemButtonFace);
}

TEST_F(GameTest, ALostGameCanBeContinuedAndWon) {
    setPosition({"..*", "...", "..."});
    leftClick(3, 1);
    form.loosercont_Click();
    EXPECT_TRUE(game.game_running && game.lost && form.loosercont.enabled);
    EXPECT_EQ(look(3, 1).color, kSystemButtonFace);
    EXPECT_EQ(form.StartStop.picture, Form1::LooserPict);

    leftClick(1, 3);
    EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
    EXPECT_FALSE(game.lost || form.loosercont.enabled);
    EXPECT_TRUE(cell(3, 1).caption == "M" && cell(3, 1).backColor == kGreen);
    EXPECT_EQ(form.MinesLabel.caption, "000");
}

TEST_F(GameTest, ARightClickNamesTheCellAndWarnsOfAMineOnlyInPeekMode) {
    setPosition(std::vector<std::string>(16, "................"));
    game.is_mine(2, 2) = true;
    rightClick(2, 2);
    EXPECT_EQ(game.status, "Index 17: x = 2, y = 2");

    form.spickmodus_Click();
    EXPECT_TRUE(game.peekMode && form.spickmodus.checked);
    rightClick(2, 2);
    EXPECT_EQ(form.StatusBar1.text, "Index 17: x = 2, y = 2 - Achtung! Mine");
    EXPECT_EQ(host.beeps, 1);
    rightClick(3, 2);
    EXPECT_EQ(game.status, "Index 18: x = 3, y = 2");
    EXPECT_EQ(host.beeps, 1) << "no beep but for the mine";

    game.busy = true;
    rightClick(16, 16);
    EXPECT_EQ(game.status, "Index 255: x = 16, y = 16");
    form.spickmodus_Click();
    EXPECT_FALSE(game.peekMode || form.spickmodus.checked);
}

// Presses on a button beyond the board (hidden, so only a program could make them) or off
// the pool change nothing; the middle button only informs nobody.
TEST_F(GameTest, PressesThatNameNoCellOfTheBoardChangeNothing) {
    newGame(9, 9, 10);
    const Game before = game;
    form.Command1_MouseDown(-1, Form1::LeftButton);
    program.flow.Command1_MouseDown(kCellButtons, Form1::LeftButton, 0, 0, 0);
    form.Command1_MouseDown(40, Form1::MiddleButton);
    EXPECT_TRUE(game == before);
    form.Command1_MouseDown(100, Form1::RightButton);
    EXPECT_EQ(game.status, "Index 100: x = 0, y = 0");
    form.Command1_MouseDown(100, Form1::LeftButton);
    EXPECT_TRUE(game.minesPlaced && game.game_running);
    EXPECT_EQ(countCells(isMine), 10);
    EXPECT_EQ(countCells(isVisible), 0);
}

}  // namespace
}  // namespace gravlin
