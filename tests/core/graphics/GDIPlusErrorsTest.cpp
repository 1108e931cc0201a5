#include <gtest/gtest.h>

#include "core/app/Error.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/support/RecordingGraphics.h"

namespace tarvik::test {
namespace {

TEST(GDIPlusErrors, RaisedStatusesCarryNumberDescriptionAndSource) {
    const ScopedDrawingErrors errors(false);
    SetGDIPlusErrorSourceName("Tarvik.exe");
    struct Case {
        int status;
        int number;
        const char* description;
    };
    for (const Case& c : {Case{1, 1049, "GDI+ Error 1"}, Case{2, 1050, "GDI+ Error 2"},
                          Case{14, 1062, "GDI+ Error 14"}}) {
        try {
            CheckGDIPlusStatus(c.status);
            ADD_FAILURE() << "status " << c.status << " was not raised";
        } catch (const Error& error) {
            EXPECT_EQ(error.Number(), c.number);
            EXPECT_EQ(error.Description(), c.description);
            EXPECT_EQ(error.Source(), "Tarvik.exe.GDIP");
        }
    }
    EXPECT_NO_THROW(CheckGDIPlusStatus(0));
}

TEST(GDIPlusErrors, AFailingDrawingCallRaisesUnlessSuppressed) {
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
            EXPECT_EQ(error.Source(), "Renamed.exe.GDIP");
        }
        EXPECT_EQ(graphics.LastStatus(), kGdipStatusInvalidParameter);
    }
    {
        const ScopedDrawingErrors errors(true);
        EXPECT_NO_THROW(graphics.FillPath(brush, path));
        EXPECT_EQ(graphics.LastStatus(), kGdipStatusInvalidParameter);
        EXPECT_NO_THROW(GDIPFontFamily("No Such Family"));
        graphics.Clear();
        EXPECT_EQ(graphics.LastStatus(), kGdipStatusOk);  // the next call keeps its own status
    }
    EXPECT_TRUE(RecordedCalls(graphics).size() == 1);
}

TEST(GDIPlusErrors, AFailedFactoryRaisesWithoutLeaking) {
    const ScopedDrawingErrors errors(false);
    const int live = LiveNativeObjects();
    EXPECT_THROW(GDIPBitmap::CreateFromSizeFormat(0, 0), Error);
    EXPECT_THROW(GDIPImage::FromFile("/nonexistent/skin.png"), Error);
    EXPECT_EQ(LiveNativeObjects(), live);
}

}  // namespace
}  // namespace tarvik::test
