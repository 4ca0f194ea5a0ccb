// The flow of a press on a cell and of a new game, through the main window's handlers: the
// game as it changes, and what the window shows of it afterwards; and what the window shows
// of a game on its own.
#include "board_fixture.h"
#include "gravlin/app/show_game.h"

namespace gravlin {
namespace {

using Caption = CellLook::Caption;

// A lost 3 x 3 game with its mines shown, proven cells, the solver busy and statistics
// counted gives way, at the face button, to a 30 x 16 game with 100 mines, as a loaded game
// may have: nothing of it is left but the chosen size and the settings that outlive a game,
// and the window shows the new game.
TEST_F(GameTest, TheFaceButtonStartsAFreshGameAndTheWindowShowsIt) {
    setPosition({"*o.", "oMo", "..*"});
    leftClick(1, 1);  // lost
    form.Solve_Click();
    rightClick(1, 1);
    game.provenFree(3, 1) = true;
    game.busy = game.probabilitiesOffered = game.peekMode = game.autoPlay = true;
    game.level = Level::Custom;
    game.green_found = game.uncovered_count = game.cnt_uncover = game.cnt_phase1 = game.cnt_prephase1 = 3;
    game.chooseSize(30, 16, 100);
    host.focus.clear();

    form.StartStop_Click();
    Game fresh;
    fresh.chooseSize(30, 16, 100);
    fresh.peekMode = fresh.autoPlay = true;
    fresh.level = Level::Custom;
    fresh.InitGame();
    EXPECT_TRUE(game == fresh);
    EXPECT_EQ(std::tie(game.remainingMines, game.covered_left, game.x_game, game.y_game, game.no_mines_game),
              std::tuple(100, 480, 30, 16, 100));
    EXPECT_TRUE(game.game_running && game.face == Face::Normal);
    EXPECT_EQ(host.focus, std::vector<std::string>{"Dummy"});
    EXPECT_TRUE(form.Command1[0].backColor == kSystemButtonFace && form.Command1[479].enabled);
    EXPECT_EQ(form.StatusBar1.text + form.MinesLabel.caption + " " + form.MinesLabel.toolTip,
              "100 Noch verdeckt: 480");
    EXPECT_FALSE(form.save.enabled || form.save_mine.enabled || form.loosercont.enabled);
}

// Boards of every shape, some as full as they can be.
TEST_F(GameTest, TheFirstClickPlacesAllMinesElsewhereAndNeverLoses) {
    const std::tuple<int, int, int> boards[] = {{3, 3, 8},    {4, 3, 11},   {9, 9, 10},  {9, 9, 80},
                                                {30, 16, 99}, {30, 24, 99}, {3, 24, 71}, {30, 3, 89}};
    for (int seed = 1; seed <= 20; ++seed) {
        for (auto [w, h, mines] : boards) {
            newGame(w, h, mines);
            program.flow.seedSource = [seed] { return static_cast<std::uint64_t>(seed); };
            const int x = 1 + seed * 7 % w, y = 1 + seed * 13 % h;
            leftClick(x, y);
            ASSERT_EQ(countCells(isMine), mines) << "seed " << seed << " board " << w << "x" << h;
            ASSERT_TRUE(game.visible(x, y) && !game.is_mine(x, y) && game.face != Face::Lost) << seed;
            game.forEachCell([&](int cx, int cy) {
                int around = 0, marks = 0;
                game.forEachNeighbour(
                    cx, cy, [&](int i, int j) { around += game.is_mine(i, j), marks += game.marked(i, j); });
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
    const CellLook markedLook = game.look(2, 2);
    leftClick(3, 3);
    EXPECT_TRUE(game.face == Face::Lost && game.lost && !game.game_running);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(game.look(1, 1).color, kRed);
    EXPECT_FALSE(game.visible(3, 3)) << "the clicked mine is not opened";
    EXPECT_TRUE(cell(3, 3).backColor == kRed && cell(3, 3).caption == " " && form.loosercont.enabled);

    // Showing all mines paints them magenta and back; the marked mine keeps its look.
    form.Solve_Click();
    EXPECT_TRUE(cell(1, 1).backColor == kMagenta && game.look(3, 3).color == kMagenta);
    form.Solve_Click();
    EXPECT_EQ(game.look(1, 1).color, kSystemButtonFace);
    EXPECT_EQ(game.look(2, 2), markedLook);

    leftClick(3, 1);
    EXPECT_FALSE(game.visible(3, 1) || game.cnt_uncover != 0);
    rightClick(3, 1);
    EXPECT_EQ(form.StatusBar1.text, "Index 2: x = 3, y = 1");

    setPosition({"Mo.", "...", "..*"});  // a marked mine loses too, and keeps its look
    leftClick(1, 1);
    EXPECT_EQ(game.face, Face::Lost);
    EXPECT_TRUE(game.look(3, 3).color == kRed && game.look(1, 1).color == kSystemButtonFace);
}

TEST_F(GameTest, ALostGameCanBeContinuedAndWon) {
    setPosition({"..*", "...", "..."});
    leftClick(3, 1);
    form.loosercont_Click();
    EXPECT_TRUE(game.game_running && game.lost && form.loosercont.enabled);
    EXPECT_EQ(game.look(3, 1).color, kSystemButtonFace);
    EXPECT_EQ(form.StartStop.picture, Form1::LooserPict);
    leftClick(1, 3);
    EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
    EXPECT_FALSE(game.lost || form.loosercont.enabled);
    EXPECT_TRUE(cell(3, 1).caption == "M" && cell(3, 1).backColor == kGreen);
}

TEST_F(GameTest, ARightClickNamesTheCellAndWarnsOfAMineOnlyInPeekMode) {
    setPosition(std::vector<std::string>(16, "................"));
    game.is_mine(2, 2) = true;
    rightClick(2, 2);
    EXPECT_EQ(game.status, "Index 17: x = 2, y = 2");
    form.spickmodus_Click();
    rightClick(2, 2);
    EXPECT_EQ(form.StatusBar1.text, "Index 17: x = 2, y = 2 - Achtung! Mine");
    rightClick(3, 2);
    EXPECT_EQ(game.status, "Index 18: x = 3, y = 2");
    EXPECT_EQ(host.beeps, 1) << "a beep for the mine only";
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

// What the main window's controls show of the game: the game on one side, the window's data
// on the other, no program in between.
class ShowGameTest : public GameModelTest {
  protected:
    void SetUp() override { newGame(9, 9, 10); }
    Form1 form;
};

TEST_F(ShowGameTest, EachCellOfTheBoardShowsItsLookAndNoneBeyondIt) {
    newGame(4, 3, 2);
    form.Command1[12].caption = "beyond";
    form.Command1[12].tabStop = true;
    game.mines_around(2, 1) = 3;
    game.look(2, 1) = game.look(3, 1) = {Caption::Count, kWhite, false};  // a zero shows nothing
    game.look(4, 1) = {Caption::Mark, kGreen, true};
    game.look(1, 2).color = 0x00C0FFC0;
    game.provenFree(1, 2) = true;
    for (auto& b : form.Command1) b.enabled = false;
    showGame(game, form);
    const std::tuple<int, int, const char*, Color, bool, const char*> shown[] = {
        {1, 1, " ", kSystemButtonFace, true, "0"},
        {2, 1, "3", kWhite, false, "0"},
        {3, 1, "", kWhite, false, "0"},
        {4, 1, "M", kGreen, true, "0"},
        {1, 2, " ", 0x00C0FFC0u, true, "1"}};
    for (auto [x, y, caption, color, raised, tag] : shown) {
        const CommandButton& b = form.Command1.at(game.cellIndex(x, y));
        EXPECT_EQ(std::tie(b.caption, b.backColor, b.raised, b.tag), std::tuple(caption, color, raised, tag));
    }
    for (int L = 0; L < 12; ++L) {
        const CommandButton& b = form.Command1[static_cast<std::size_t>(L)];
        EXPECT_TRUE(b.enabled && !b.tabStop && b.tabIndex == 0) << L;
    }
    EXPECT_TRUE(form.Command1[12].caption == "beyond" && form.Command1[12].tabStop &&
                !form.Command1[12].enabled);
}

// Three digits with leading zeros; a rest below zero (more marks than mines, from a loaded
// game) keeps the two zeros in front of its sign.
TEST_F(ShowGameTest, TheLabelShowsTheRemainingMinesInThreeDigits) {
    const std::pair<int, const char*> rests[] = {{5, "005"}, {123, "123"}, {-1, "00-1"}};
    for (const auto& [rest, text] : rests) {
        game.remainingMines = static_cast<std::int16_t>(rest);
        showGame(game, form);
        EXPECT_EQ(form.MinesLabel.caption, text);
    }
}

}  // namespace
}  // namespace gravlin
