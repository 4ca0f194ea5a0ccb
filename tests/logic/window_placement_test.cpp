// Where a window goes so that it lies within the part of its screen that windows may use.
#include <gtest/gtest.h>

#include "gravlin/window.h"

namespace gravlin {
namespace {

TEST(PlaceWithin, AWindowMovesInAsFarAsItSticksOutAndKeepsItsSize) {
    const ScreenRect area{0, 30, 960, 510};  // a panel along the top
    // Inside, touching the bottom-right corner, out at the bottom only, out at the right and
    // the bottom, out at the left and the top, larger than the area (its top-left in view).
    const std::pair<ScreenRect, ScreenRect> cases[] = {
        {{100, 100, 400, 300}, {100, 100, 400, 300}}, {{560, 240, 400, 300}, {560, 240, 400, 300}},
        {{182, 248, 464, 341}, {182, 199, 464, 341}}, {{700, 500, 400, 300}, {560, 240, 400, 300}},
        {{-20, 0, 400, 300}, {0, 30, 400, 300}},      {{300, 100, 1200, 600}, {0, 30, 1200, 600}}};
    for (const auto& [frame, placed] : cases)
        EXPECT_TRUE(placeWithin(frame, area) == placed) << frame.left << "," << frame.top;
}

}  // namespace
}  // namespace gravlin
