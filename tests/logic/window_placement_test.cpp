// Where a window goes so that it lies within the part of its screen that windows may use.
#include <gtest/gtest.h>

#include "gravlin/window.h"

namespace gravlin {
namespace {

TEST(PlaceWithin, AWindowMovesInAsFarAsItSticksOutAndKeepsItsSize) {
    const ScreenRect area{0, 30, 960, 510};  // a panel along the top
    struct Case {
        ScreenRect frame, placed;
    };
    const Case cases[] = {
        {{100, 100, 400, 300}, {100, 100, 400, 300}},  // inside: stays
        {{560, 240, 400, 300}, {560, 240, 400, 300}},  // touching the bottom-right corner
        {{182, 248, 464, 341}, {182, 199, 464, 341}},  // out at the bottom only
        {{700, 500, 400, 300}, {560, 240, 400, 300}},  // out at the right and the bottom
        {{-20, 0, 400, 300}, {0, 30, 400, 300}},       // out at the left and the top
        {{300, 100, 1200, 600}, {0, 30, 1200, 600}},   // larger than the area: top-left in view
    };
    for (const Case& c : cases) {
        const ScreenRect placed = placeWithin(c.frame, area);
        EXPECT_EQ(placed, c.placed) << c.frame.left << "," << c.frame.top << " went to " << placed.left << ","
                                    << placed.top;
    }
}

}  // namespace
}  // namespace gravlin
