// Cell clicks, the end of a game and the status displays.
#include <string>

#include "board_fixture.h"

namespace gravlin {
namespace {

constexpr Color kMagenta = 0x00FF00FF;

TEST_F(GameTest, ClickingAMineLosesTurnsUnmarkedMinesRedAndVoidsFurtherLeftClicks) {
    setPosition({"*o.", "oMo", "..*"});
    const CommandButton markedLook = cell(2, 2);
    leftClick(3, 3);
    EXPECT_EQ(form.StartStop.picture, Form1::LooserPict);
    EXPECT_TRUE(form.loosercont.enabled && !form.game_running);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_TRUE(cell(1, 1).backColor == kRed && cell(3, 3).backColor == kRed);
    EXPECT_FALSE(form.visible(3, 3)) << "the clicked mine is not opened";
    EXPECT_EQ(cell(3, 3).caption, " ");

    // Showing all mines paints them magenta and back; the marked mine keeps its look.
    form.menuNode(form.Solve).click();
    EXPECT_EQ(form.Solve.caption, "Ende von: &Zeige");
    EXPECT_TRUE(cell(1, 1).backColor == kMagenta && cell(3, 3).backColor == kMagenta);
    EXPECT_EQ(cell(3, 1).backColor, kSystemButtonFace);
    form.menuNode(form.Solve).click();
    EXPECT_EQ(form.Solve.caption, "&Zeige alle Minen");
    EXPECT_EQ(cell(1, 1).backColor, kSystemButtonFace);
    EXPECT_EQ(cell(2, 2), markedLook);

    leftClick(3, 1);
    EXPECT_FALSE(form.visible(3, 1));
    EXPECT_EQ(form.cnt_uncover, 0);
    rightClick(3, 1);
    EXPECT_EQ(form.StatusBar1.text, "Index 2: x = 3, y = 1");

    setPosition({"Mo.", "...", "..*"});  // a marked mine loses too, and keeps its look
    leftClick(1, 1);
    EXPECT_EQ(form.StartStop.picture, Form1::LooserPict);
    EXPECT_EQ(cell(3, 3).backColor, kRed);
    EXPECT_EQ(cell(1, 1).backColor, kSystemButtonFace);
}

TEST_F(GameTest, ALostGameCanBeContinuedAndWon) {
    setPosition({"..*", "...", "..."});
    leftClick(3, 1);
    form.menuNode(form.loosercont).click();
    EXPECT_TRUE(form.game_running && form.loosercont.enabled);
    EXPECT_EQ(cell(3, 1).backColor, kSystemButtonFace);
    EXPECT_EQ(form.StartStop.picture, Form1::LooserPict);

    leftClick(1, 3);
    EXPECT_EQ(form.StartStop.picture, Form1::WinnerPict);
    EXPECT_FALSE(form.loosercont.enabled);
    EXPECT_TRUE(cell(3, 1).caption == "M" && cell(3, 1).backColor == 0x00C000u);
}

TEST_F(GameTest, ARightClickNamesTheCellAndWarnsOfAMineOnlyInPeekMode) {
    setPosition(std::vector<std::string>(16, "................"));
    form.is_mine(2, 2) = true;
    rightClick(2, 2);
    EXPECT_EQ(form.StatusBar1.text, "Index 17: x = 2, y = 2");

    form.menuNode(form.spickmodus).click();
    rightClick(2, 2);
    EXPECT_EQ(form.StatusBar1.text, "Index 17: x = 2, y = 2 - Achtung! Mine");
    EXPECT_EQ(host.beeps, 1);
    rightClick(3, 2);
    EXPECT_EQ(form.StatusBar1.text, "Index 18: x = 3, y = 2");
    EXPECT_EQ(host.beeps, 1) << "no beep but for the mine";

    form.busy = true;
    rightClick(16, 16);
    EXPECT_EQ(form.StatusBar1.text, "Index 255: x = 16, y = 16");
    form.menuNode(form.spickmodus).click();
    EXPECT_FALSE(form.spickmodus.checked);
}

}  // namespace
}  // namespace gravlin
