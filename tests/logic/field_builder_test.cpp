// Layout of the field of cell buttons, the frames, the window and the tool buttons.
#include <string>
#include <tuple>

#include "board_fixture.h"

namespace gravlin {
namespace {

// Narrow boards come after a wide one, so tool buttons left where the wide board put them
// would stick out of the window.
TEST_F(GameTest, CellsFramesAndToolButtonsFitTheBoard) {
    const std::pair<int, int> boards[] = {{30, 24}, {3, 3}, {8, 5}, {9, 6}, {11, 7}, {12, 8}, {16, 16}};
    const auto right = [](const Geometry& g) { return g.left + g.width; };
    const auto bottom = [](const Geometry& g) { return g.top + g.height; };
    for (auto [w, h] : boards) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        newGame(w, h, 1);
        const Geometry &inner = form.Frame2.geometry, &outer = form.Frame1.geometry, &window = form.geometry;
        int shown = 0;
        for (const CommandButton& b : form.Command1) shown += b.visible;
        EXPECT_EQ(std::pair(shown, cell(w, h).toolTip),
                  std::pair(w * h, "x=" + std::to_string(w) + ", y=" + std::to_string(h)));
        EXPECT_EQ(cell(1, 2).geometry.left, cell(1, 1).geometry.left) << "rows reflow";
        EXPECT_TRUE(right(cell(w, h).geometry) <= inner.width && bottom(cell(w, h).geometry) <= inner.height);
        EXPECT_TRUE(right(inner) <= outer.width && bottom(inner) <= outer.height);
        EXPECT_TRUE(right(outer) <= window.width && bottom(outer) <= window.height);

        const Geometry &start = form.StartStop.geometry, &solve = form.GlSolve.geometry;
        EXPECT_LE(right(start), solve.left);
        EXPECT_LE(right(form.KlickGreen.visible ? form.KlickGreen.geometry : solve), outer.width);
        EXPECT_TRUE(!form.KlickGreen.visible || right(solve) <= form.KlickGreen.geometry.left);
    }
}

}  // namespace
}  // namespace gravlin
