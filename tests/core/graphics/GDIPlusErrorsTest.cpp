#include <gtest/gtest.h>

#include "core/app/Error.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/support/RecordingGraphics.h"

namespace tarvik::test {
namespace {

TEST(GDIPlusErrors, AFailingCallRaisesNumberDescriptionAndSourceUnlessSuppressed) {
    EXPECT_NO_THROW(CheckGDIPlusStatus(0));
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
        EXPECT_EQ(graphics.LastStatus(), kGdipStatusInvalidParameter);
        EXPECT_THROW(CheckGDIPlusStatus(14), Error);
    }
    const ScopedDrawingErrors errors(true);
    EXPECT_NO_THROW(graphics.FillPath(brush, path));
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusInvalidParameter);
    graphics.Clear();
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusOk);  // the next call keeps its own status
}

}  // namespace
}  // namespace tarvik::test
