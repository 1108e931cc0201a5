#include "core/bar/BarGeometry.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

TEST(BarGeometry, HitTestLeavesEveryEdgeOutside) {
    const RectI strip{50, 0, 100, 36};
    struct Case {
        int32_t x, y;
        bool inside;
    };
    const Case cases[] = {
        {51, 1, true},   {149, 35, true},  {50, 10, false},  {150, 10, false},
        {100, 0, false}, {100, 36, false}, {100, -1, false}, {-5, 10, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrictlyInside(strip, c.x, c.y), c.inside) << c.x << "," << c.y;
    }
}

TEST(BarGeometry, WindowRectTakesTheScreenWidthTheOffsetAndTheShadowStrip) {
    ThemeLayout layout;
    EXPECT_EQ(BarWindowRect(1920, 0, layout), (RectI{0, 0, 1920, 36}));
    EXPECT_EQ(BarWindowRect(1280, 30, layout), (RectI{0, 30, 1280, 36}));
    EXPECT_EQ(VisibleBarHeight(layout), 23);
    layout.BarShadow = 40;  // a theme whose shadow is taller than the bar paints no bar
    EXPECT_EQ(VisibleBarHeight(layout), 0);
}

TEST(BarGeometry, StripSpansFromTheLargerLeftToTheGapBeforeTheRightWidgets) {
    ThemeLayout layout;  // MenuLeft 50, StatusGap 2
    EXPECT_EQ(MenuStripBounds(8, 1912, 36, layout), (RectI{50, 0, 1860, 36}));
    EXPECT_EQ(MenuStripBounds(300, 1500, 36, layout), (RectI{300, 0, 1198, 36}));
    // Widgets that leave no room give an empty strip, never a negative one.
    EXPECT_EQ(MenuStripBounds(900, 800, 36, layout).Width, 0);
}

TEST(BarGeometry, CursorOnTheBarsEdgesStillCountsAsOnIt) {
    const RectI bar{0, 30, 1920, 36};
    EXPECT_FALSE(CursorOutsideBar(bar, 0, 30));
    EXPECT_FALSE(CursorOutsideBar(bar, 1920, 66));
    EXPECT_TRUE(CursorOutsideBar(bar, 1921, 40));
    EXPECT_TRUE(CursorOutsideBar(bar, 10, 29));
    EXPECT_TRUE(CursorOutsideBar(bar, 10, 67));
}

TEST(BarGeometry, MousePointsAreSignedSixteenBitPairs) {
    const MousePoint p = MousePointOf(0xFFFE0005u);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, -2);
    const MousePoint q = MousePointOf(0x0010FFFFu);
    EXPECT_EQ(q.x, -1);
    EXPECT_EQ(q.y, 16);
}

}  // namespace
}  // namespace tarvik
