#include <gtest/gtest.h>

#include "fake_host.h"
#include "gravlin/app/program.h"

namespace gravlin {
namespace {

TEST(StartUp, OpensTheIntermediateBoardWithOnlyItsLevelChecked) {
    testing::FakeHost host;
    Program program(host);
    program.start();
    const Form1& f = program.form;
    EXPECT_EQ(f.x_game, 16);
    EXPECT_EQ(f.y_game, 16);
    EXPECT_EQ(f.no_mines_game, 40);
    EXPECT_EQ(f.MinesLabel.caption, "040");
    EXPECT_EQ(f.MinesLabel.toolTip, "Noch verdeckt: 256");
    EXPECT_TRUE(f.Fortgeschrittene.checked);
    EXPECT_FALSE(f.Anfänger.checked || f.Profis.checked || f.benutzerdefiniert.checked);
    EXPECT_FALSE(f.save.enabled || f.save_mine.enabled || f.wahrscheinlichkeiten.enabled || f.loosercont.enabled);
    EXPECT_EQ(f.geometry.width, 4680);
    EXPECT_EQ(f.geometry.height, 6500);
    EXPECT_EQ(f.Dummy.geometry.left, -1000);
}

}  // namespace
}  // namespace gravlin
