// The program's wiring table: every command of the main window reaches a handler.
#include <string>
#include <utility>

#include "board_fixture.h"

namespace gravlin {
namespace {

TEST_F(GameTest, EveryMenuItemHasAHandlerAndNoMenuOrSeparatorHasOne) {
    int items = 0;
    for (const MenuNode& node : form.menuTree) {
        const bool item = node.depth == 1 && node.item->caption != "-";
        items += item;
        EXPECT_EQ(static_cast<bool>(node.click), item) << node.name;
    }
    EXPECT_EQ(items, 23);
}

// Clears one handler at a time; the check must name it.
TEST_F(GameTest, TheStartUpCheckNamesAHandlerLeftUnconnected) {
    auto expectNamed = [this](auto& handler, const std::string& name) {
        auto kept = std::exchange(handler, nullptr);
        try {
            requireConnected(form);
            ADD_FAILURE() << name << " passed unconnected";
        } catch (const std::logic_error& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
        handler = std::move(kept);
    };
    expectNamed(form.menuNode(form.Test1).click, "Test1");
    expectNamed(form.menuNode(form.webmsg).click, "webmsg");
    expectNamed(form.StartStop_Clicked, "StartStop");
    expectNamed(form.KlickGreen_Clicked, "KlickGreen");
    expectNamed(form.layers.Phase1, "Phase1");
    expectNamed(form.layers.Fortgeschrittene_Click, "Fortgeschrittene_Click");
    expectNamed(form.Command1_Pressed, "Command1");
    EXPECT_NO_THROW(requireConnected(form));
}

// The button, the menu entry and automatic play after a click all go through the board's one
// connection to each of the solve and the sweep.
TEST_F(GameTest, ButtonMenuAndAutomaticPlayReachTheSolveAndTheSweepThroughOneConnection) {
    int solves = 0;
    int sweeps = 0;
    form.layers.GlSolve_Click = [&] {
        ++solves;
        form.green_found = solves == 3 ? 1 : 0;
    };
    form.layers.KlickGreen_Click = [&] {
        ++sweeps;
        form.green_found = 0;
    };
    form.GlSolve_Clicked();
    form.menuNode(form.GlSolve_Menu).click();
    form.KlickGreen_Clicked();
    form.menuNode(form.KlickGreen_Menu).click();
    form.Auto_solve.checked = true;
    form.Command1_Pressed(index(8, 8), Form1::LeftButton);
    EXPECT_EQ(solves, 4);
    EXPECT_EQ(sweeps, 3);
}

TEST_F(GameTest, BeendenFromTheMenuClosesTheMainWindow) {
    form.menuNode(form.Ende).click();
    ASSERT_EQ(host.closed.size(), 1u);
    EXPECT_EQ(host.closed.front(), &form);
}

}  // namespace
}  // namespace gravlin
