#include "core/menus/DropDownPlacement.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

// The positions the menus have always produced: the left edge rounded to a whole pixel, the top
// rounded to a whole twip and then to a whole pixel (halves to even at each step), and a window
// past the right edge of a 1920-pixel screen moved back to end at it.
TEST(DropDownPlacement, KeepsThePositionsOfTheTwipsArithmeticAtEveryCommonDpi) {
    struct Case {
        int32_t dpi;
        ScreenPoint at;
        int32_t width;
        ListPlacement placed;
    };
    const Case cases[] = {
        {96, {137.5, 23}, 100, {138, 23}},   // 137.5 -> 138
        {96, {136.5, 23}, 100, {136, 23}},   // 136.5 -> 136
        {96, {40, 53}, 100, {40, 53}},       // bar 30 lower: 795 twips -> 53
        {96, {1900, 23}, 100, {1820, 23}},   // past the right edge
        {96, {1820, 23}, 100, {1820, 23}},   // ends exactly at the edge: stays
        {120, {300.5, 21}, 200, {300, 21}},  // 252 twips -> 21
        {120, {0, 37}, 200, {0, 37}},        // 444 twips
        {144, {10, 33}, 200, {10, 33}},      // 330 twips
        {144, {1800, 96}, 200, {1720, 96}},  // 960 twips
        {168, {10, 37}, 200, {10, 37}},      // 317.14 -> 317 twips -> 36.98 -> 37
        {168, {10, 23}, 200, {10, 23}},      // 197.14 -> 197 twips -> 22.98 -> 23
        {168, {1721, 1}, 200, {1720, 1}},    // 8.57 -> 9 twips -> 1.05 -> 1
    };
    for (const Case& c : cases) {
        const TwipsPerPixel tpp = TwipsPerPixelFromDpi(c.dpi, c.dpi);
        EXPECT_EQ(PlaceDropDown(c.at, {c.width, 40}, 1920, tpp), c.placed)
            << c.dpi << " dpi at " << c.at.x << ", " << c.at.y;
    }
    // A DPI that cannot be read counts as 96.
    EXPECT_EQ(TwipsPerPixelFromDpi(0, -5).x, 15.0);
    EXPECT_EQ(TwipsPerPixelFromDpi(0, -5).y, 15.0);
}

}  // namespace
}  // namespace tarvik
