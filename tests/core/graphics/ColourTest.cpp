#include "core/graphics/Colour.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

TEST(Colour, HexTextHasRedInTheLowByteAndUsesTheLastSixCharacters) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"fff", 0xFEFF0F00},      // read as 000fff
        {"#ffffff", 0xFEFFFFFF},  // seven characters: the '#' falls away
        {"AB112233", 0xFE332211},
        {"", 0xFE000000},
        // A pair reads up to its first non-digit: "1#" is 1, "zz" is 0.
        {"1#2#3#", 0xFE030201},
        {"zz10f#", 0xFE0F1000},
        {"\303\251\303\251ff", 0xFEFF0000},  // "ééff": non-ASCII bytes are not digits
    };
    for (const auto& [text, argb] : cases) {
        Colour colour;
        colour.SetAlpha(3);
        colour.SetColourByHex(text);
        EXPECT_EQ(colour.Argb(), argb) << '"' << text << '"';
        EXPECT_EQ(colour.WebColor(), text);
    }
}

TEST(Colour, ChangesReachTheObserverButNotThroughACopy) {
    struct CountingObserver final : ColourObserver {
        int changes = 0;
        void ColourChanged() override { ++changes; }
    } observer;
    Colour colour;
    colour.SetObserver(&observer);
    colour.SetValue(0x7F563412);  // only the low 24 bits; alpha back to 254
    EXPECT_EQ(colour.Argb(), 0xFE123456u);
    Colour copy = colour;
    copy.SetAlpha(9);
    colour = Colour::FromArgb(0x80102030);  // assignment replaces the colour: one change
    EXPECT_EQ(colour.Argb(), 0x80102030u);
    EXPECT_EQ(observer.changes, 2);
}

}  // namespace
}  // namespace tarvik
