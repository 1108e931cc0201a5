#include <gtest/gtest.h>

#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPPen.h"
#include "core/support/RecordingGraphics.h"

namespace tarvik::test {
namespace {

TEST(PenBrush, NativeColoursPackAlphaRedGreenBlueAndThePenKeepsItsOwnAlpha) {
    struct Case {
        int32_t value;  // red in the low byte
        uint8_t colourAlpha;
        uint8_t penAlpha;
        uint32_t brushArgb;
        uint32_t penArgb;
    };
    const Case cases[] = {
        {0x0000FF, 254, 255, 0xFEFF0000, 0xFFFF0000},
        {0x563412, 10, 200, 0x0A123456, 0xC8123456},
    };
    for (const Case& c : cases) {
        Colour colour;
        colour.SetValue(c.value);
        colour.SetAlpha(c.colourAlpha);
        EXPECT_EQ(RecordedArgb(GDIPBrush(colour)), c.brushArgb) << std::hex << c.value;
        EXPECT_EQ(RecordedArgb(GDIPPen(colour, 2, c.penAlpha)), c.penArgb) << std::hex << c.value;
    }
    EXPECT_EQ(RecordedArgb(GDIPBrush()), 0xFEFFFFFFu);
    EXPECT_EQ(RecordedArgb(GDIPPen()), 0xFFFFFFFFu);
    EXPECT_EQ(RecordedArgb(GDIPPen::FromArgb(0x33102030, 3)), 0x33102030u);
}

TEST(PenBrush, TheNativeObjectFollowsEveryChangeAlsoAfterAMove) {
    GDIPBrush first;
    GDIPBrush brush(std::move(first));
    brush.Colour().SetAlpha(0x80);
    EXPECT_EQ(RecordedArgb(brush), 0x80FFFFFFu);
    brush.Colour().SetColourByHex("00ff00");
    EXPECT_EQ(RecordedArgb(brush), 0xFE00FF00u);
    brush.Colour() = Colour::FromArgb(0x55667788);
    EXPECT_EQ(RecordedArgb(brush), 0x55667788u);

    GDIPPen pen;
    GDIPPen target = GDIPPen::FromArgb(0xFF00FF00, 1);
    target = std::move(pen);
    target.Colour().SetValue(0x0000FF);
    EXPECT_EQ(RecordedArgb(target), 0xFFFF0000u);
    target.SetAlpha(0x40);
    target.Colour().SetAlpha(1);  // the colour's own alpha never reaches the pen
    EXPECT_EQ(RecordedArgb(target), 0x40FF0000u);
    target.SetColour(Colour::FromArgb(0x00123456));
    EXPECT_EQ(RecordedArgb(target), 0x40123456u);
}

}  // namespace
}  // namespace tarvik::test
