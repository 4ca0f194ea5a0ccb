// Layout of the field of cell buttons, the frames, the window and the tool buttons.
#include <string>

#include "board_fixture.h"

namespace gravlin {
namespace {

struct BoardLayout {
    int width, height;
    Geometry frame2, frame1;
    float windowWidth, windowHeight;
    float startStopLeft, glSolveLeft;
    bool klickGreenShown;
    float klickGreenLeft;
};

void PrintTo(const BoardLayout& b, std::ostream* os) {
    *os << b.width << "x" << b.height;
}

class FieldLayout : public GameTest, public ::testing::WithParamInterface<BoardLayout> {};

TEST_P(FieldLayout, SizesFramesWindowAndToolButtonsToTheBoard) {
    const BoardLayout& want = GetParam();
    newGame(want.width, want.height, 1);
    EXPECT_EQ(form.Frame2.geometry, want.frame2);
    EXPECT_EQ(form.Frame1.geometry, want.frame1);
    EXPECT_EQ(form.geometry.width, want.windowWidth);
    EXPECT_EQ(form.geometry.height, want.windowHeight);
    EXPECT_EQ(form.StartStop.geometry.left, want.startStopLeft);
    EXPECT_EQ(form.GlSolve.geometry.left, want.glSolveLeft);
    EXPECT_EQ(form.KlickGreen.visible, want.klickGreenShown);
    EXPECT_EQ(form.KlickGreen.geometry.left, want.klickGreenLeft);
    EXPECT_EQ(form.MinesLabel.geometry, (Geometry{240, 360, 735, 495}));
    for (const CommandButton* b : {&form.StartStop, &form.GlSolve, &form.KlickGreen}) {
        EXPECT_EQ(b->geometry.top, 360);
        EXPECT_EQ(b->geometry.width, 495);
    }
}

// The narrow boards come after a wide one (start-up is 16 x 16), so KlickGreen's Left
// shows that narrow builds return it to its design position.
INSTANTIATE_TEST_SUITE_P(
    StandardAndExtremeBoards, FieldLayout,
    ::testing::Values(
        BoardLayout{
            9, 9, {240, 960, 2400, 2520}, {0, 120, 2880, 3620}, 3000, 4820, 1192.5f, 2145, false, 3825},
        BoardLayout{
            16, 16, {240, 960, 4080, 4200}, {0, 120, 4560, 5300}, 4680, 6500, 2032.5f, 3206.25f, true, 3825},
        BoardLayout{
            30, 16, {240, 960, 7440, 4200}, {0, 120, 7920, 5300}, 8040, 6500, 3712.5f, 6566.25f, true, 7185},
        BoardLayout{3, 3, {240, 960, 960, 1080}, {0, 120, 2560, 2180}, 2800, 3380, 1200, 1920, false, 2640},
        BoardLayout{
            30, 24, {240, 960, 7440, 6120}, {0, 120, 7920, 7220}, 8040, 8420, 3712.5f, 6566.25f, true, 7185}),
    [](const auto& info) {
        return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
    });

TEST_F(GameTest, StartUpOpensTheIntermediateBoardWithOnlyItsLevelChecked) {
    EXPECT_EQ(form.x_game * 100 + form.y_game, 1616);
    EXPECT_EQ(form.no_mines_game, 40);
    EXPECT_EQ(form.MinesLabel.caption, "040");
    EXPECT_EQ(form.MinesLabel.toolTip, "Noch verdeckt: 256");
    EXPECT_TRUE(form.Fortgeschrittene.checked);
    EXPECT_FALSE(form.Anfänger.checked || form.Profis.checked || form.benutzerdefiniert.checked);
    EXPECT_FALSE(form.save.enabled || form.save_mine.enabled || form.wahrscheinlichkeiten.enabled ||
                 form.loosercont.enabled);
    EXPECT_EQ(form.geometry.width, 4680);
    EXPECT_EQ(form.Dummy.geometry.left, -1000);
}

// Tool buttons keep their design positions in their tags from the first build on, and narrow
// boards put them back there after a wide one moved them.
TEST_F(GameTest, NarrowBoardsKeepTheMinimumWidthsAndTheToolButtonsAtTheirDesignPlaces) {
    for (int w = 3; w <= 8; ++w) {
        SCOPED_TRACE("width " + std::to_string(w));
        newGame(30, 24, 1);
        newGame(w, 5, 1);
        EXPECT_EQ(form.Frame1.geometry.width, w == 8 ? 2640 : 2560);
        EXPECT_EQ(form.geometry.width, 2800);
        EXPECT_EQ(form.StartStop.geometry.left, 1200);
        EXPECT_EQ(form.GlSolve.geometry.left, 1920);
        EXPECT_EQ(form.KlickGreen.geometry.left, 2640);
        EXPECT_EQ(form.StartStop.tag + form.GlSolve.tag + form.KlickGreen.tag, "120019202640");
    }
    newGame(11, 5, 1);
    EXPECT_FALSE(form.KlickGreen.visible);
    EXPECT_EQ(form.GlSolve.geometry.left, 240 * 11 + 240 + 240 - 495);
    newGame(12, 5, 1);
    EXPECT_TRUE(form.KlickGreen.visible);
    EXPECT_EQ(form.KlickGreen.geometry.left, 240 * 12 + 480 - 495);
}

TEST_F(GameTest, CellButtonsSitOnA240TwipPitchAndTheRestOfThePoolIsHidden) {
    newGame(30, 24, 99);
    for (const CommandButton& b : form.Command1) ASSERT_TRUE(b.visible);
    EXPECT_EQ(form.Command1[719].geometry, (Geometry{7080, 5760, 255, 255}));
    EXPECT_EQ(form.Command1[719].toolTip, "x=30, y=24");
    EXPECT_EQ(form.Command1[9].toolTip, "x=10, y=1");

    newGame(9, 9, 10);
    int shown = 0;
    for (const CommandButton& b : form.Command1) shown += b.visible;
    EXPECT_EQ(shown, 81);
    EXPECT_FALSE(form.Command1[81].visible);
    EXPECT_EQ(form.Command1[0].geometry, (Geometry{120, 240, 255, 255}));
    EXPECT_EQ(form.Command1[0].toolTip, "x=1, y=1");
    EXPECT_EQ(form.Command1[9].geometry, (Geometry{120, 480, 255, 255})) << "rows reflow";
    EXPECT_EQ(form.Command1[9].toolTip, "x=1, y=2");
    EXPECT_EQ(form.Command1[80].geometry, (Geometry{2040, 2160, 255, 255}));
}

}  // namespace
}  // namespace gravlin
