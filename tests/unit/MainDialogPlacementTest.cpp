// Where the main window and the About box are put when they open: centred
// on an area, kept inside the work area, size unchanged; the About box on
// its owner unless the owner is minimised.
#include <gtest/gtest.h>

#include "app/WindowPlacement.h"

namespace kelvo {
namespace {

struct PlacementCase {
    const char* name;
    Rect window;
    Rect area;
    Rect workArea;
    int left;
    int top;
};

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, CentresThenKeepsInsideTheWorkArea) {
    const PlacementCase& c = GetParam();
    const Rect placed = CentredRect(c.window, c.area, c.workArea);
    EXPECT_EQ(placed.left, c.left);
    EXPECT_EQ(placed.top, c.top);
    EXPECT_EQ(placed.right - placed.left, c.window.right - c.window.left);
    EXPECT_EQ(placed.bottom - placed.top, c.window.bottom - c.window.top);
}

const Rect kWork{0, 0, 1024, 738};  // 1024 x 768 with a 30-pixel task bar

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementTest,
    ::testing::Values(
        // (0 + 1024) / 2 - 360 / 2 = 332; (0 + 738) / 2 - 540 / 2 = 99
        PlacementCase{"FullSizeOnTheWorkArea", {0, 0, 360, 540}, kWork, kWork, 332, 99},
        // The compact strip is what gets centred: 369 - 55 = 314.
        PlacementCase{"CompactStrip", {0, 0, 360, 110}, kWork, kWork, 332, 314},
        // Odd sizes: integer halves, truncating.
        PlacementCase{"OddWidthAndHeight", {0, 0, 361, 541}, kWork, kWork, 332, 99},
        PlacementCase{"WorkAreaOffsetByATopTaskBar", {0, 0, 360, 540}, {0, 30, 1024, 768}, {0, 30, 1024, 768}, 332,
                      129},
        // An About box centred on an owner near the right edge is pushed back inside.
        PlacementCase{"PushedBackFromTheRight", {0, 0, 400, 100}, {900, 100, 1100, 300}, kWork, 624, 150},
        PlacementCase{"PushedBackFromTheBottom", {0, 0, 200, 100}, {100, 700, 300, 800}, kWork, 100, 638},
        // Taller than the work area: the top edge stays reachable.
        PlacementCase{"TallerThanTheWorkArea", {0, 0, 360, 900}, kWork, kWork, 332, 0},
        PlacementCase{"LeftOfTheWorkArea", {0, 0, 300, 100}, {-400, 0, -100, 200}, kWork, 0, 50}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

TEST(OwnedBoxPlacementTest, CentredOnTheOwnerUnlessTheOwnerIsMinimised) {
    const Rect box{0, 0, 400, 100};
    const Rect owner{100, 50, 460, 590};
    // (100 + 460) / 2 - 200 = 80; (50 + 590) / 2 - 50 = 270
    const Rect onOwner = CentredOnOwner(box, owner, false, kWork);
    EXPECT_EQ(onOwner.left, 80);
    EXPECT_EQ(onOwner.top, 270);
    // A minimised window is parked far off the screen; the box goes to the
    // middle of the work area rather than into its corner:
    // 512 - 200 = 312; 369 - 50 = 319.
    const Rect parked{-32000, -32000, -31840, -31976};
    const Rect onWorkArea = CentredOnOwner(box, parked, true, kWork);
    EXPECT_EQ(onWorkArea.left, 312);
    EXPECT_EQ(onWorkArea.top, 319);
    EXPECT_EQ(onWorkArea.right - onWorkArea.left, 400);
    EXPECT_EQ(onWorkArea.bottom - onWorkArea.top, 100);
}

}  // namespace
}  // namespace kelvo
