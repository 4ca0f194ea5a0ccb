// What the main window's controls show of the game: the game on one side, the window's data
// on the other, no program in between.
#include "gravlin/app/show_game.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace gravlin {
namespace {

using Caption = CellLook::Caption;

class ShowGameTest : public ::testing::Test {
  protected:
    void newGame(int width, int height, int mines) {
        game.chooseSize(static_cast<std::int16_t>(width), static_cast<std::int16_t>(height),
                        static_cast<std::int16_t>(mines));
        game.InitGame();
    }
    CommandButton& button(int x, int y) { return form.Command1.at(game.cellIndex(x, y)); }
    std::string label() {
        showGame(game, form);
        return form.MinesLabel.caption;
    }

    Game game;
    Form1 form;
};

TEST_F(ShowGameTest, EachCellOfTheBoardShowsItsLookAndNoneBeyondIt) {
    newGame(4, 3, 2);
    form.Command1[12].caption = "beyond";
    form.Command1[12].tabStop = true;
    game.mines_around(2, 1) = 3;
    game.look(2, 1) = {Caption::Count, kWhite, false};
    game.look(3, 1) = {Caption::Count, kWhite, false};  // a zero shows nothing
    game.look(4, 1) = {Caption::Mark, kGreen, true};
    game.look(1, 2).color = 0x00C0FFC0;
    game.provenFree(1, 2) = true;
    for (auto& b : form.Command1) b.enabled = false;
    showGame(game, form);

    auto shown = [this](int x, int y) {
        const CommandButton& b = button(x, y);
        return std::tuple(b.caption, b.backColor, b.raised, b.tag);
    };
    EXPECT_EQ(shown(1, 1), std::tuple(" ", kSystemButtonFace, true, "0"));
    EXPECT_EQ(shown(2, 1), std::tuple("3", kWhite, false, "0"));
    EXPECT_EQ(shown(3, 1), std::tuple("", kWhite, false, "0"));
    EXPECT_EQ(shown(4, 1), std::tuple("M", kGreen, true, "0"));
    EXPECT_EQ(shown(1, 2), std::tuple(" ", 0x00C0FFC0u, true, "1"));
    for (int L = 0; L < 12; ++L) {
        const CommandButton& b = form.Command1[static_cast<std::size_t>(L)];
        EXPECT_TRUE(b.enabled && !b.tabStop && b.tabIndex == 0) << L;
    }
    EXPECT_TRUE(form.Command1[12].caption == "beyond" && form.Command1[12].tabStop &&
                !form.Command1[12].enabled);
}

// Three digits with leading zeros; a rest below zero (more marks than mines, from a loaded
// game) keeps the two zeros in front of its sign.
TEST_F(ShowGameTest, TheLabelShowsTheRemainingMinesAndItsTooltipTheCoveredCells) {
    newGame(16, 16, 40);
    const std::pair<int, const char*> rests[] = {{40, "040"},  {99, "099"},  {5, "005"},   {0, "000"},
                                                 {100, "100"}, {123, "123"}, {-1, "00-1"}, {-9, "00-9"}};
    for (const auto& [rest, text] : rests) {
        game.remainingMines = static_cast<std::int16_t>(rest);
        EXPECT_EQ(label(), text);
    }
    game.covered_left = 81;
    showGame(game, form);
    EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: 81");
}

TEST_F(ShowGameTest, TheFaceTheStatusAndTheMenuItemsShowTheFacts) {
    newGame(9, 9, 10);
    auto menus = [this] {
        showGame(game, form);
        std::string shown = form.Solve.caption + "|" + form.StatusBar1.text + "|";
        for (const MenuItem* m : {&form.save, &form.save_mine, &form.wahrscheinlichkeiten, &form.loosercont})
            shown += m->enabled ? "+" : "-";
        for (const MenuItem* m : {&form.Auto_solve, &form.spickmodus, &form.Anfänger, &form.Fortgeschrittene,
                                  &form.Profis, &form.benutzerdefiniert})
            shown += m->checked ? "*" : ".";
        return shown;
    };
    EXPECT_EQ(menus(), "&Zeige alle Minen||----......");
    game.status = "7:183 - 7";
    game.minesPlaced = game.probabilitiesOffered = game.lost = game.showAllMines = true;
    game.autoPlay = game.peekMode = true;
    game.level = Level::Beginner;
    EXPECT_EQ(menus(), "Ende von: &Zeige|7:183 - 7|++++***...");
    const std::pair<Level, const char*> levels[] = {{Level::Intermediate, ".*.."},
                                                    {Level::Expert, "..*."},
                                                    {Level::Custom, "...*"},
                                                    {Level::None, "...."}};
    for (const auto& [level, marks] : levels) {
        game.level = level;
        game.autoPlay = false;
        EXPECT_EQ(menus(), std::string("Ende von: &Zeige|7:183 - 7|++++.*") + marks);
    }

    for (auto [face, picture] : {std::pair{Face::Working, Form1::WorkerPict},
                                 {Face::Won, Form1::WinnerPict},
                                 {Face::Lost, Form1::LooserPict},
                                 {Face::Normal, Form1::StartPict}}) {
        game.face = face;
        showGame(game, form);
        EXPECT_EQ(form.StartStop.picture, picture);
    }
}

}  // namespace
}  // namespace gravlin
