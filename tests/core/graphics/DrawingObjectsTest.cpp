#include <gtest/gtest.h>

#include "core/app/Error.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/support/RecordingGraphics.h"

namespace tarvik::test {
namespace {

// The native pen packs the colour's red, green and blue with the pen's own alpha; the brush
// takes the colour's alpha. Both follow every change, also after a move.
TEST(PenBrush, NativeColoursFollowEveryChangeAndThePenKeepsItsOwnAlpha) {
    Colour colour;
    colour.SetValue(0x563412);
    colour.SetAlpha(10);
    EXPECT_EQ(RecordedArgb(GDIPBrush(colour)), 0x0A123456u);
    EXPECT_EQ(RecordedArgb(GDIPPen(colour, 2, 200)), 0xC8123456u);
    EXPECT_EQ(RecordedArgb(GDIPPen()), 0xFFFFFFFFu);
    EXPECT_EQ(RecordedArgb(GDIPPen::FromArgb(0x33102030, 3)), 0x33102030u);

    GDIPBrush first;
    GDIPBrush brush(std::move(first));
    brush.Colour().SetAlpha(0x80);
    EXPECT_EQ(RecordedArgb(brush), 0x80FFFFFFu);
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
}

TEST(GDIPlusErrors, AFailingCallRaisesNumberDescriptionAndSourceUnlessSuppressed) {
    GDIPBrush brush;
    brush.Dispose();
    const GDIPGraphicPath path;
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(2, 2);
    GDIPGraphics graphics;
    graphics.FromImage(bitmap);
    {
        const ScopedDrawingErrors errors(false);
        SetGDIPlusErrorSourceName("Renamed.exe");
        try {
            graphics.FillPath(brush, path);
            ADD_FAILURE() << "not raised";
        } catch (const Error& error) {
            EXPECT_EQ(error.Number(), 1050);
            EXPECT_EQ(error.Description(), "GDI+ Error 2");
            EXPECT_EQ(error.Source(), "Renamed.exe.GDIP");
        }
    }
    const ScopedDrawingErrors errors(true);
    EXPECT_NO_THROW(graphics.FillPath(brush, path));
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusInvalidParameter);
    graphics.Clear();
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusOk);  // the next call keeps its own status
}

}  // namespace
}  // namespace tarvik::test
