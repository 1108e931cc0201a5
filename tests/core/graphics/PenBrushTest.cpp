#include <gtest/gtest.h>

#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPPen.h"
#include "core/support/RecordingGraphics.h"

namespace tarvik::test {
namespace {

class PenBrushTest : public ::testing::Test {
  protected:
    ScopedDrawingErrors m_errors{false};
};

Colour ColourWithAlpha(int32_t value, uint8_t alpha) {
    Colour colour;
    colour.SetValue(value);
    colour.SetAlpha(alpha);
    return colour;
}

TEST_F(PenBrushTest, NativeColoursPackAlphaRedGreenBlue) {
    struct Case {
        int32_t value;  // red in the low byte
        uint8_t colourAlpha;
        uint8_t penAlpha;
        uint32_t brushArgb;
        uint32_t penArgb;
    };
    const Case cases[] = {
        {0x0000FF, 254, 255, 0xFEFF0000, 0xFFFF0000},
        {0x563412, 10, 200, 0x0A123456, 0xC8123456},  // the pen ignores the colour's alpha
        {0x000000, 0, 255, 0x00000000, 0xFF000000},
    };
    for (const Case& c : cases) {
        const Colour colour = ColourWithAlpha(c.value, c.colourAlpha);
        const GDIPBrush brush(colour);
        const GDIPPen pen(colour, 2, c.penAlpha);
        EXPECT_EQ(RecordedArgb(brush), c.brushArgb) << std::hex << c.value;
        EXPECT_EQ(RecordedArgb(pen), c.penArgb) << std::hex << c.value;
        EXPECT_EQ(RecordedPenWidth(pen), 2.0f);
    }
}

TEST_F(PenBrushTest, DefaultsAreWhiteBrushAndOpaqueOnePixelPen) {
    const GDIPBrush brush;
    const GDIPPen pen;
    EXPECT_EQ(RecordedArgb(brush), 0xFEFFFFFFu);
    EXPECT_EQ(RecordedArgb(pen), 0xFFFFFFFFu);
    EXPECT_EQ(RecordedPenWidth(pen), 1.0f);
    EXPECT_EQ(RecordedArgb(GDIPBrush::FromArgb(0x40000000)), 0x40000000u);
    EXPECT_EQ(RecordedArgb(GDIPPen::FromArgb(0x33102030, 3)), 0x33102030u);
}

TEST_F(PenBrushTest, BrushRebuildsWhenItsColourChangesOrIsReplaced) {
    GDIPBrush brush;
    uint64_t id = RecordedNativeId(brush);
    const auto expectRebuilt = [&](uint32_t argb, const char* step) {
        EXPECT_EQ(RecordedArgb(brush), argb) << step;
        EXPECT_NE(RecordedNativeId(brush), id) << step;
        id = RecordedNativeId(brush);
    };
    brush.Colour().SetAlpha(0x80);
    expectRebuilt(0x80FFFFFF, "alpha");
    brush.Colour().SetValue(0x0000FF);
    expectRebuilt(0xFEFF0000, "value");
    brush.Colour().SetColourByHex("00ff00");
    expectRebuilt(0xFE00FF00, "hex");
    brush.SetColour(Colour::FromArgb(0x11223344));
    expectRebuilt(0x11223344, "replaced");
    brush.Colour() = Colour::FromArgb(0x55667788);
    expectRebuilt(0x55667788, "assigned");
}

TEST_F(PenBrushTest, PenRebuildsOnColourSizeAndAlpha) {
    GDIPPen pen(Colour::FromArgb(0xFF000000), 1);
    pen.Colour().SetValue(0x0000FF);
    EXPECT_EQ(RecordedArgb(pen), 0xFFFF0000u);
    pen.SetAlpha(0x40);
    EXPECT_EQ(RecordedArgb(pen), 0x40FF0000u);
    pen.Colour().SetAlpha(1);  // the colour's own alpha never reaches the pen
    EXPECT_EQ(RecordedArgb(pen), 0x40FF0000u);
    pen.SetSize(3);
    EXPECT_EQ(RecordedPenWidth(pen), 3.0f);
    pen.SetColour(Colour::FromArgb(0x00123456));
    EXPECT_EQ(RecordedArgb(pen), 0x40123456u);
}

TEST_F(PenBrushTest, MovedObjectsStillFollowTheirColour) {
    GDIPBrush first = GDIPBrush::FromArgb(0xFF000000);
    GDIPBrush moved(std::move(first));
    moved.Colour().SetAlpha(7);
    EXPECT_EQ(RecordedArgb(moved), 0x07000000u);
    EXPECT_EQ(first.NativeHandle(), nullptr);

    GDIPPen pen;
    GDIPPen target = GDIPPen::FromArgb(0xFF00FF00, 1);
    target = std::move(pen);
    target.Colour().SetValue(0x0000FF);
    EXPECT_EQ(RecordedArgb(target), 0xFFFF0000u);
}

TEST_F(PenBrushTest, EveryNativeObjectIsReleasedExactlyOnce) {
    const int before = LiveNativeObjects();
    {
        GDIPBrush brush;
        GDIPPen pen;
        brush.Colour().SetAlpha(1);  // rebuilds must not leak the old native object
        pen.SetSize(4);
        GDIPBrush other = std::move(brush);
        other = GDIPBrush::FromArgb(0x10203040);
        EXPECT_EQ(LiveNativeObjects(), before + 2);
        pen.Dispose();
        pen.Dispose();
        EXPECT_EQ(pen.NativeHandle(), nullptr);
        EXPECT_EQ(LiveNativeObjects(), before + 1);
    }
    EXPECT_EQ(LiveNativeObjects(), before);
}

}  // namespace
}  // namespace tarvik::test
