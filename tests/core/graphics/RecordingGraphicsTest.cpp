#include <gtest/gtest.h>

#include <functional>

#include "core/graphics/GDIPGraphics.h"
#include "core/support/RecordingGraphics.h"
#include "core/theme/GlassStyle.h"

namespace tarvik::test {
namespace {

class RecordingGraphicsTest : public ::testing::Test {
  protected:
    RecordingGraphicsTest() { m_graphics.FromImage(m_bitmap); }
    void TearDown() override { ResetInstalledFontFamilies(); }

    ScopedDrawingErrors m_errors{true};
    GDIPFontFamily m_family{"DejaVu Sans"};
    GDIPBitmap m_bitmap = GDIPBitmap::CreateFromSizeFormat(40, 20);
    GDIPGraphics m_graphics;
};

TEST_F(RecordingGraphicsTest, PathsKeepTheirSegmentsInOrderWithTheSettingsOfTheCall) {
    m_graphics.ApplySurfaceSettings();
    const GDIPGraphicPath path = RoundedRect(0, 0, 40, 20, 4);
    m_graphics.FillPath(GDIPBrush::FromArgb(0xFF2F7CD8), path);

    const std::vector<PathSegment> expected{
        {SegmentKind::Arc, {0, 0, 8, 8, 180, 90}},  {SegmentKind::Line, {4, 0, 36, 0}},
        {SegmentKind::Arc, {32, 0, 8, 8, 270, 90}}, {SegmentKind::Line, {40, 4, 40, 16}},
        {SegmentKind::Arc, {32, 12, 8, 8, 0, 90}},  {SegmentKind::Line, {36, 20, 4, 20}},
        {SegmentKind::Arc, {0, 12, 8, 8, 90, 90}},  {SegmentKind::Line, {0, 16, 0, 4}},
    };
    const auto& calls = RecordedCalls(m_graphics);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, DrawKind::FillPath);
    EXPECT_EQ(calls[0].argb, 0xFF2F7CD8u);
    EXPECT_EQ(calls[0].fillMode, kFillModeWinding);
    EXPECT_EQ(calls[0].path, expected);
    EXPECT_EQ(calls[0].settings, (RenderSettings{4, 2, 2, 0}));
    EXPECT_EQ(RecordedSegments(path), expected);
}

TEST_F(RecordingGraphicsTest, TextIsMeasuredWithTheDocumentedMetrics) {
    struct Case {
        const char* text;
        int style;
        float width;  // MeasureStringWidth
        RectF box;    // MeasureString
    };
    // Size 10: 5 per UTF-16 unit (5.5 bold), lines 12 high, box padding 10 / 3.
    const float pad = 10.0f / 3;
    const Case cases[] = {
        {"", kFontStyleRegular, 0, {0, 0, 0, 0}},
        {"Tarvik", kFontStyleRegular, 30, {0, 0, 30 + pad, 12}},
        {"Tarvik", kFontStyleBold, 33, {0, 0, 33 + pad, 12}},
        {"Tarvik", kFontStyleItalic, 30, {0, 0, 30 + pad, 12}},
        {"\xC3\xA9t\xC3\xA9", kFontStyleRegular, 15, {0, 0, 15 + pad, 12}},  // é: one unit
        {"\xF0\x9F\x98\x80", kFontStyleRegular, 10, {0, 0, 10 + pad, 12}},   // a surrogate pair
        {"ab\r\nabcd", kFontStyleRegular, 20, {0, 0, 20 + pad, 24}},
        {"\xFF\xC3", kFontStyleRegular, 10, {0, 0, 10 + pad, 12}},  // each bad byte one unit
    };
    for (const Case& c : cases) {
        const GDIPFont font(m_family, 10, c.style);
        EXPECT_FLOAT_EQ(m_graphics.MeasureStringWidth(c.text, font), c.width) << c.text;
        const RectF box = m_graphics.MeasureString(c.text, font);
        EXPECT_FLOAT_EQ(box.Width, c.box.Width) << c.text;
        EXPECT_FLOAT_EQ(box.Height, c.box.Height) << c.text;
        EXPECT_EQ(box.X, 0);
        EXPECT_EQ(box.Y, 0);
    }
    const GDIPFont font(m_family, 1);
    EXPECT_EQ(m_graphics.MeasureStringWidth(std::string(20000, 'x'), font), 8192);
}

TEST_F(RecordingGraphicsTest, DrawingCallsRecordWhatWasDrawnWhere) {
    const GDIPFont font(m_family, 12, kFontStyleBold);
    const GDIPImage& picture = m_bitmap.Image();
    GDIPBitmap source = GDIPBitmap::CreateFromSizeFormat(20, 60);
    m_graphics.SetInterpolationMode(kInterpolationModeHighQualityBicubic);
    m_graphics.DrawString("File", font, GDIPBrush::FromArgb(0xFF000000), 3, 4);
    m_graphics.DrawImage(source, 1, 2, 25, 25);
    m_graphics.DrawImageRect(source, 0, 0, 20, 20, 0, 20, 20, 20);
    m_graphics.DrawRectangle(GDIPPen::FromArgb(0x33000000, 2), 0.5f, 0.5f, 9, 9);
    m_graphics.FillRectangle(GDIPBrush::FromArgb(0x40000000), RectF{1, 2, 3, 4});
    m_graphics.Exclude(RectF{0, 0, 5, 5});
    m_graphics.Clear();

    const auto& calls = RecordedCalls(m_graphics);
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0].kind, DrawKind::DrawString);
    EXPECT_EQ(calls[0].text, "File");
    EXPECT_EQ(calls[0].font, (RecordedFont{"DejaVu Sans", 12, kFontStyleBold}));
    EXPECT_EQ(calls[0].point, (PointF{3, 4}));
    EXPECT_EQ(calls[0].argb, 0xFF000000u);

    EXPECT_EQ(calls[1].kind, DrawKind::DrawImage);
    EXPECT_EQ(calls[1].image.id, RecordedImageId(source));
    EXPECT_EQ(calls[1].rect, (RectF{1, 2, 25, 25}));
    EXPECT_EQ(calls[1].source, (RectF{0, 0, 20, 60}));
    EXPECT_EQ(calls[2].kind, DrawKind::DrawImageRect);
    EXPECT_EQ(calls[2].source, (RectF{0, 20, 20, 20}));
    EXPECT_EQ(calls[2].settings.interpolationMode, kInterpolationModeHighQualityBicubic);

    EXPECT_EQ(calls[3].kind, DrawKind::DrawRectangle);
    EXPECT_EQ(calls[3].argb, 0x33000000u);
    EXPECT_EQ(calls[3].penWidth, 2);
    EXPECT_EQ(calls[4].kind, DrawKind::FillRectangle);
    EXPECT_EQ(calls[4].rect, (RectF{1, 2, 3, 4}));
    EXPECT_EQ(calls[5].kind, DrawKind::Exclude);
    EXPECT_EQ(calls[6].kind, DrawKind::Clear);
    EXPECT_EQ(calls[6].argb, 0u);

    // The same calls landed in the bitmap the surface draws into.
    EXPECT_EQ(RecordedCalls(picture).size(), 7u);
}

TEST_F(RecordingGraphicsTest, ClearFillsTheBitmapOutsideExcludedRectangles) {
    m_graphics.Clear(0xFF102030);
    m_graphics.Exclude(RectF{10, 5, 10, 5});
    m_graphics.Clear(0x80FFFFFF);
    EXPECT_EQ(m_bitmap.GetPixel(9, 5), 0x80FFFFFFu);
    EXPECT_EQ(m_bitmap.GetPixel(10, 5), 0xFF102030u);
    EXPECT_EQ(m_bitmap.GetPixel(19, 9), 0xFF102030u);
    EXPECT_EQ(m_bitmap.GetPixel(20, 9), 0x80FFFFFFu);
    EXPECT_EQ(m_bitmap.GetPixel(15, 10), 0x80FFFFFFu);
}

TEST_F(RecordingGraphicsTest, CallsThatCannotDrawFailWithStatus2AndRecordNothing) {
    const GDIPFont font(m_family, 12);
    GDIPBrush disposed;
    disposed.Dispose();
    GDIPGraphicPath path;
    GDIPFont noFont;
    GDIPImage noImage;
    GDIPGraphics unbound;

    const std::function<void()> failures[] = {
        [&] { m_graphics.FillPath(disposed, path); },
        [&] { m_graphics.DrawString("x", noFont, GDIPBrush{}, 0, 0); },
        [&] { m_graphics.DrawImage(noImage, 0, 0, 1, 1); },
        [&] { m_graphics.SetSmoothingMode(9); },
        [&] { m_graphics.SetInterpolationMode(-1); },
        [&] { m_graphics.MeasureStringWidth("x", noFont); },
    };
    for (const auto& failure : failures) {
        failure();
        EXPECT_EQ(m_graphics.LastStatus(), kGdipStatusInvalidParameter);
    }
    unbound.Clear();
    EXPECT_EQ(unbound.LastStatus(), kGdipStatusInvalidParameter);
    EXPECT_EQ(unbound.MeasureStringWidth("abc", font), 0);
    EXPECT_TRUE(RecordedCalls(m_graphics).empty());

    m_graphics.FillPath(GDIPBrush{}, path);
    EXPECT_EQ(m_graphics.LastStatus(), kGdipStatusOk);
}

TEST_F(RecordingGraphicsTest, ASurfaceWhoseBitmapIsGoneDrawsNothing) {
    GDIPGraphics graphics;
    {
        GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(4, 4);
        graphics.FromImage(bitmap);
        graphics.Clear();
        EXPECT_EQ(graphics.LastStatus(), kGdipStatusOk);
    }
    graphics.Clear();
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusInvalidParameter);
    EXPECT_EQ(RecordedCalls(graphics).size(), 1u);
}

TEST_F(RecordingGraphicsTest, ASecondBindingReleasesTheFirst) {
    int first = 0;
    int second = 0;
    const int before = LiveNativeObjects();
    GDIPGraphics graphics;
    graphics.FromHDC(&first);
    graphics.Clear();
    const uint64_t firstSurface = RecordedNativeId(graphics);
    graphics.FromHDC(&second);
    EXPECT_EQ(LiveNativeObjects(), before + 1);
    EXPECT_NE(RecordedNativeId(graphics), firstSurface);
    EXPECT_EQ(graphics.BoundDC(), &second);
    EXPECT_TRUE(RecordedCalls(graphics).empty());

    graphics.ReleaseHDC(&first);  // not bound to it any more
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusInvalidParameter);
    EXPECT_TRUE(graphics.IsBound());
    graphics.ReleaseHDC(&second);
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusOk);
    EXPECT_FALSE(graphics.IsBound());
    EXPECT_EQ(graphics.BoundDC(), nullptr);
    EXPECT_EQ(LiveNativeObjects(), before);
}

TEST_F(RecordingGraphicsTest, FontFamiliesResolveAgainstTheInstalledList) {
    SetInstalledFontFamilies({"Segoe UI", "Arial"});
    const GDIPFontFamily lower("segoe ui");
    EXPECT_TRUE(lower.Exists());
    EXPECT_EQ(lower.Name(), "Segoe UI");

    GDIPFontFamily missing("Helvetica Neue");
    EXPECT_FALSE(missing.Exists());
    EXPECT_EQ(missing.LastStatus(), kGdipStatusFontFamilyNotFound);
    EXPECT_EQ(missing.Name(), "");
    const GDIPFont fromMissing(missing, 12);
    EXPECT_EQ(fromMissing.NativeHandle(), nullptr);
    EXPECT_EQ(fromMissing.LastStatus(), kGdipStatusInvalidParameter);

    const GDIPFont font(lower, 13.5f, kFontStyleBold | kFontStyleItalic);
    EXPECT_EQ(RecordedFontOf(font), (RecordedFont{"Segoe UI", 13.5f, 3}));
    EXPECT_FALSE(GDIPFontFamily("Tahoma").Exists());
}

}  // namespace
}  // namespace tarvik::test
