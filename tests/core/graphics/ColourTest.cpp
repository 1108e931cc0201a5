#include "core/graphics/Colour.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

struct Channels {
    int red;
    int green;
    int blue;
    int alpha;
    bool operator==(const Channels&) const = default;
};

Channels Of(const Colour& colour) {
    return {colour.Red(), colour.Green(), colour.Blue(), colour.Alpha()};
}

std::ostream& operator<<(std::ostream& out, const Channels& c) {
    return out << "(r " << c.red << ", g " << c.green << ", b " << c.blue << ", a " << c.alpha
               << ")";
}

TEST(Colour, StartsAsOpaqueWhiteTextWithAlpha254) {
    const Colour colour;
    EXPECT_EQ(Of(colour), (Channels{255, 255, 255, 254}));
    EXPECT_EQ(colour.WebColor(), "#ffffff");
    EXPECT_EQ(colour.value(), 0xFFFFFF);
}

TEST(Colour, HexTextHasRedInTheLowByteAndUsesTheLastSixCharacters) {
    struct Case {
        const char* text;
        Channels expected;
    };
    const Case cases[] = {
        {"fff", {255, 15, 0, 254}},           // read as 000fff
        {"112233", {0x33, 0x22, 0x11, 254}},  // blue, green, red
        {"0000FF", {255, 0, 0, 254}},
        {"#ffffff", {255, 255, 255, 254}},      // seven characters: the '#' falls away
        {"AB112233", {0x33, 0x22, 0x11, 254}},  // leading characters beyond six ignored
        {"", {0, 0, 0, 254}},
        {"7", {7, 0, 0, 254}},
        // A pair reads up to its first non-digit: "#f" is 0, "1#" is 1, "f#" is 15, "zz" is 0.
        {"#f00", {0, 0, 0, 254}},
        {"1#2#3#", {3, 2, 1, 254}},
        {"zz10f#", {15, 0x10, 0, 254}},
        {"\303\251\303\251ff", {255, 0, 0, 254}},  // "ééff": non-ASCII bytes are not digits
    };
    for (const Case& c : cases) {
        Colour colour;
        colour.SetAlpha(3);
        colour.SetColourByHex(c.text);
        EXPECT_EQ(Of(colour), c.expected) << '"' << c.text << '"';
        EXPECT_EQ(colour.WebColor(), c.text);
    }
}

TEST(Colour, ValuePacksRedLowAndWritingItResetsAlpha) {
    Colour colour;
    colour.SetRed(1);
    colour.SetGreen(2);
    colour.SetBlue(3);
    EXPECT_EQ(colour.value(), 1 + 256 * 2 + 65536 * 3);

    colour.SetValue(0x0000FF);
    EXPECT_EQ(Of(colour), (Channels{255, 0, 0, 254}));
    EXPECT_EQ(colour.WebColor(), "FF");

    colour.SetValue(0x123456);
    EXPECT_EQ(Of(colour), (Channels{0x56, 0x34, 0x12, 254}));
    EXPECT_EQ(colour.WebColor(), "123456");

    // Only the low 24 bits survive: a negative number is its 32-bit pattern.
    colour.SetValue(-1);
    EXPECT_EQ(Of(colour), (Channels{255, 255, 255, 254}));
    colour.SetValue(0x7F000080);
    EXPECT_EQ(Of(colour), (Channels{0x80, 0, 0, 254}));
}

TEST(Colour, OrderOfValueAndAlphaDecidesTheAlpha) {
    Colour valueAfterAlpha;
    valueAfterAlpha.SetAlpha(100);
    valueAfterAlpha.SetValue(0x102030);
    EXPECT_EQ(valueAfterAlpha.Alpha(), 254);

    Colour alphaAfterValue;
    alphaAfterValue.SetValue(0x102030);
    alphaAfterValue.SetAlpha(100);
    EXPECT_EQ(alphaAfterValue.Alpha(), 100);
    EXPECT_EQ(alphaAfterValue.value(), 0x102030);
}

TEST(Colour, ArgbWordsRoundTrip) {
    for (const uint32_t argb : {0x00000000u, 0xFF2F7CD8u, 0x33000000u, 0xB8FFFFFFu, 0x01020304u}) {
        const Colour colour = Colour::FromArgb(argb);
        EXPECT_EQ(colour.Argb(), argb) << std::hex << argb;
    }
    const Colour selection = Colour::FromArgb(0xFF2F7CD8);
    EXPECT_EQ(Of(selection), (Channels{0x2F, 0x7C, 0xD8, 0xFF}));
    EXPECT_EQ(selection.value(), 0x2F + 256 * 0x7C + 65536 * 0xD8);
}

struct CountingObserver final : ColourObserver {
    int changes = 0;
    void ColourChanged() override { ++changes; }
};

TEST(Colour, EveryChangeTellsTheObserverButCopiesDoNotCarryIt) {
    CountingObserver observer;
    Colour colour;
    colour.SetObserver(&observer);
    colour.SetAlpha(1);
    colour.SetValue(5);
    colour.SetColourByHex("aabbcc");
    colour.SetRed(1);
    colour.SetGreen(1);
    colour.SetBlue(1);
    EXPECT_EQ(observer.changes, 6);

    Colour copy = colour;
    copy.SetAlpha(9);
    EXPECT_EQ(observer.changes, 6);

    colour = Colour::FromArgb(0x80102030);  // assignment replaces the colour: one change
    EXPECT_EQ(observer.changes, 7);
    EXPECT_EQ(colour.Argb(), 0x80102030u);
}

}  // namespace
}  // namespace tarvik
