#include "core/graphics/Colour.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

// Red, green, blue and alpha of a colour as one ARGB word.
uint32_t Channels(const Colour& c) {
    return (uint32_t(c.Alpha()) << 24) | (c.Red() << 16) | (c.Green() << 8) | c.Blue();
}

TEST(Colour, HexTextHasRedInTheLowByteAndUsesTheLastSixCharacters) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"fff", 0xFEFF0F00},      // read as 000fff
        {"#ffffff", 0xFEFFFFFF},  // seven characters: the '#' falls away
        {"AB112233", 0xFE332211},
        {"", 0xFE000000},
        // A pair reads up to its first non-digit: "#f" is 0, "1#" is 1, "f#" is 15, "zz" is 0.
        {"#f00", 0xFE000000},
        {"1#2#3#", 0xFE030201},
        {"zz10f#", 0xFE0F1000},
        {"\303\251\303\251ff", 0xFEFF0000},  // "ééff": non-ASCII bytes are not digits
    };
    for (const auto& [text, channels] : cases) {
        Colour colour;
        colour.SetAlpha(3);
        colour.SetColourByHex(text);
        EXPECT_EQ(Channels(colour), channels) << '"' << text << '"';
        EXPECT_EQ(colour.WebColor(), text);
    }
}

TEST(Colour, ValueArgbTheOrderOfValueAndAlphaAndTheObserver) {
    struct CountingObserver final : ColourObserver {
        int changes = 0;
        void ColourChanged() override { ++changes; }
    } observer;
    Colour colour;
    EXPECT_EQ(colour.WebColor(), "#ffffff");
    colour.SetObserver(&observer);
    colour.SetRed(1);
    colour.SetGreen(2);
    colour.SetBlue(3);
    colour.SetAlpha(100);
    EXPECT_EQ(colour.value(), 0x030201);
    colour.SetValue(0x7F563412);  // only the low 24 bits; alpha back to 254
    EXPECT_EQ(Channels(colour), 0xFE123456u);
    EXPECT_EQ(colour.WebColor(), "7F563412");
    colour.SetColourByHex("aabbcc");
    EXPECT_EQ(observer.changes, 6);
    Colour copy = colour;  // a copy does not carry the observer
    copy.SetAlpha(9);
    colour = Colour::FromArgb(0x80102030);  // assignment replaces the colour: one change
    EXPECT_EQ(observer.changes, 7);
    for (const uint32_t argb : {0x00000000u, 0xFF2F7CD8u, 0x01020304u}) {
        EXPECT_EQ(Colour::FromArgb(argb).Argb(), argb);
        EXPECT_EQ(Channels(Colour::FromArgb(argb)), argb);
    }
}

}  // namespace
}  // namespace tarvik
