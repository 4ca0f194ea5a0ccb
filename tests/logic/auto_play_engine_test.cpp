// Automatic play with the real engine library, bound at run time as the program does.
#include <gtest/gtest.h>

#include "board_fixture.h"
#include "gravlin/equations/dynamic_engine.h"

namespace gravlin {
namespace {

class RealEngineGame : public ::testing::Test {
  protected:
    testing::FakeHost host;
    DynamicEngine engine{GRAVLIN_TEST_BINARY_DIR};
    Program program{host, &engine};
    Form1& form = program.form;
    Game& game = program.game;

    void SetUp() override {
        ASSERT_TRUE(engine.ensureLoaded()) << engine.loadError();
        program.start();
    }
};

TEST_F(RealEngineGame, OneClickWinsABeginnerGameThatLogicDecides) {
    form.Anfänger_Click();
    // Single numbers stop short of the end here; the equations with the total go on.
    const std::vector<std::string> rows = {".........", ".....*.*.", ".*..*....", "*........", ".........",
                                           ".*....*..", ".*.......", "..*.*....", "........."};
    game.forEachCell([&](int x, int y) {
        game.is_mine(x, y) = rows[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)] == '*';
    });
    game.countMinesOfEveryCell();
    game.minesPlaced = game.autoPlay = true;
    form.Command1_MouseDown(game.GetLinear(5, 5), Form1::LeftButton);
    EXPECT_FALSE(game.game_running);
    EXPECT_EQ(game.face, Face::Won);
    EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
    EXPECT_EQ(form.MinesLabel.caption, "000");
    EXPECT_TRUE(host.modalShown.empty());  // never stuck, so never the notice
    EXPECT_GT(game.cnt_phase1, 10);        // the sweep opened cells the local rules could not
}

}  // namespace
}  // namespace gravlin
