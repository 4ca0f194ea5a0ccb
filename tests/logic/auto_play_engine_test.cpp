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

    void SetUp() override {
        ASSERT_TRUE(engine.ensureLoaded()) << engine.loadError();
        program.start();
    }
};

TEST_F(RealEngineGame, OneClickWinsABeginnerGameThatLogicDecides) {
    program.levels.Anfänger_Click();
    // Single numbers stop short of the end here; the equations with the total go on.
    const std::vector<std::string> rows = {".........", ".....*.*.", ".*..*....", "*........", ".........",
                                           ".*....*..", ".*.......", "..*.*....", "........."};
    form.forEachCell([&](int x, int y) {
        form.is_mine(x, y) = rows[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)] == '*';
    });
    form.countMinesOfEveryCell();
    form.save_mine.enabled = form.Auto_solve.checked = true;
    form.Command1_MouseDown(form.GetLinear(5, 5), Form1::LeftButton, 0, 0, 0);
    EXPECT_FALSE(form.game_running);
    EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
    EXPECT_EQ(form.MinesLabel.caption, "000");
    EXPECT_TRUE(host.modalShown.empty());  // never stuck, so never the notice
    EXPECT_GT(form.cnt_phase1, 10);        // the sweep opened cells the local rules could not
}

}  // namespace
}  // namespace gravlin
