// What real GDI+ puts into 32-bit ARGB bitmaps through the drawing objects.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "GraphicsTestHelpers.h"
#include "core/theme/GlassStyle.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

constexpr uint32_t kSelection = 0xFF2F7CD8;

bool Near(uint8_t actual, uint8_t expected, int tolerance = 2) {
    return std::abs(int{actual} - int{expected}) <= tolerance;
}

TEST(DrawingPixels, RoundedPathFillsInsideAndLeavesTheCornersTransparent) {
    Canvas canvas(40, 30);
    const GDIPGraphicPath path = RoundedRect(0, 0, 40, 30, 8);
    canvas.graphics.FillPath(GDIPBrush::FromArgb(kSelection), path);
    ASSERT_EQ(canvas.graphics.LastStatus(), kGdipStatusOk);

    struct Probe {
        int x;
        int y;
        uint32_t argb;
    };
    const Probe probes[] = {
        {0, 0, 0},
        {39, 0, 0},
        {0, 29, 0},
        {39, 29, 0},
        {1, 1, 0},
        {20, 15, kSelection},
        {20, 0, kSelection},
        {0, 15, kSelection},
        {39, 15, kSelection},
        {20, 29, kSelection},
        {5, 5, kSelection},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(canvas.bitmap.GetPixel(p.x, p.y), p.argb) << p.x << "," << p.y;
    }
}

TEST(DrawingPixels, PensUseTheirOwnAlphaAndBrushesTheColours) {
    Canvas canvas(20, 20);
    Colour faint = Colour::FromArgb(0x0AFF0000);  // red, colour alpha 10
    const GDIPPen pen(faint, 3, 255);
    canvas.graphics.DrawRectangle(pen, 4, 4, 8, 8);
    canvas.graphics.FillRectangle(GDIPBrush::FromArgb(0x800000FF), RectF{14, 14, 4, 4});

    const uint32_t edge = canvas.bitmap.GetPixel(8, 4);
    EXPECT_EQ(ArgbAlpha(edge), 255) << std::hex << edge;
    EXPECT_EQ(ArgbRed(edge), 255) << std::hex << edge;
    EXPECT_EQ(canvas.bitmap.GetPixel(8, 8), 0u);  // a stroke does not fill

    const uint32_t half = canvas.bitmap.GetPixel(15, 15);
    EXPECT_TRUE(Near(ArgbAlpha(half), 0x80)) << std::hex << half;
    EXPECT_TRUE(Near(ArgbBlue(half), 0xFF)) << std::hex << half;
}

TEST(DrawingPixels, ExcludedRectanglesKeepTheirPixels) {
    Canvas canvas(30, 30);
    canvas.graphics.Exclude(RectF{10, 10, 10, 10});
    canvas.graphics.Clear(0xFF00FF00);
    EXPECT_EQ(canvas.bitmap.GetPixel(5, 5), 0xFF00FF00u);
    EXPECT_EQ(canvas.bitmap.GetPixel(15, 15), 0u);
    EXPECT_EQ(canvas.bitmap.GetPixel(20, 20), 0xFF00FF00u);
}

TEST(DrawingPixels, TextIsDrawnFromItsTopLeftPointAndMeasured) {
    const GDIPFontFamily family("DejaVu Sans");
    ASSERT_TRUE(family.Exists());
    const GDIPFont font(family, 20);
    const GDIPFont bold(family, 20, kFontStyleBold);
    Canvas canvas(200, 40);
    canvas.graphics.DrawString("Tarvik", font, GDIPBrush::FromArgb(0xFF000000), 40, 5);
    ASSERT_EQ(canvas.graphics.LastStatus(), kGdipStatusOk);

    const RectF box = canvas.graphics.MeasureString("Tarvik", font);
    int inked = 0;
    int outside = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (ArgbAlpha(canvas.bitmap.GetPixel(x, y)) == 0) continue;
            ++inked;
            if (x < 40 || x > 40 + box.Width || y < 5 || y > 5 + box.Height) ++outside;
        }
    }
    EXPECT_GT(inked, 40);
    EXPECT_EQ(outside, 0);

    const float word = canvas.graphics.MeasureStringWidth("Tarvik", font);
    EXPECT_EQ(canvas.graphics.MeasureStringWidth("", font), 0);
    EXPECT_EQ(canvas.graphics.LastStatus(), kGdipStatusOk);
    EXPECT_GT(word, 20);
    EXPECT_LE(word, box.Width);
    EXPECT_GT(canvas.graphics.MeasureStringWidth("Tarvik Tarvik", font), 1.5f * word);
    EXPECT_GE(canvas.graphics.MeasureStringWidth("Tarvik", bold), word);
    EXPECT_GT(box.Height, 18);
}

class DrawingImages : public ::testing::Test {
  protected:
    void SetUp() override {
        // 16 × 16 in four 8 × 8 quadrants: red, green / blue, white.
        WriteBmp(m_file, 16, 16, [](int x, int y) -> uint32_t {
            if (y < 8) return x < 8 ? 0xFF0000 : 0x00FF00;
            return x < 8 ? 0x0000FF : 0xFFFFFF;
        });
    }

    TempFolder m_folder;
    std::filesystem::path m_file = m_folder.Path() / "quadrants.bmp";
};

TEST_F(DrawingImages, LoadedImagesDrawWholeOrInPartsWhereAsked) {
    const GDIPImage image = GDIPImage::FromFile(m_file.string());
    ASSERT_TRUE(image.IsLoaded());
    EXPECT_EQ(image.width(), 16);
    EXPECT_EQ(image.Height(), 16);

    Canvas canvas(80, 40);
    canvas.graphics.SetInterpolationMode(kInterpolationModeHighQualityBicubic);
    canvas.graphics.DrawImage(image, 4, 4, 32, 32);                    // scaled twice
    canvas.graphics.DrawImageRect(image, 50, 10, 16, 16, 8, 0, 8, 8);  // green quadrant
    ASSERT_EQ(canvas.graphics.LastStatus(), kGdipStatusOk);

    struct Probe {
        int x;
        int y;
        uint32_t argb;
    };
    const Probe probes[] = {
        {12, 12, 0xFFFF0000}, {28, 12, 0xFF00FF00}, {12, 28, 0xFF0000FF},
        {28, 28, 0xFFFFFFFF}, {58, 18, 0xFF00FF00}, {2, 2, 0},
        {40, 20, 0},          {70, 30, 0},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(canvas.bitmap.GetPixel(p.x, p.y), p.argb) << p.x << "," << p.y;
    }
}

TEST_F(DrawingImages, AnUnreadableFileIsNotLoaded) {
    const GDIPImage missing = GDIPImage::FromFile((m_folder.Path() / "none.bmp").string());
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(missing.width(), 0);
    EXPECT_NE(missing.LastStatus(), kGdipStatusOk);

    std::ofstream(m_folder.Path() / "text.png") << "not a picture";
    const GDIPImage garbage = GDIPImage::FromFile((m_folder.Path() / "text.png").string());
    EXPECT_FALSE(garbage.IsLoaded());
}

TEST(DrawingPixels, ASecondDeviceContextReleasesTheFirst) {
    DibDc first(8, 8);
    DibDc second(8, 8);
    GDIPGraphics graphics;
    graphics.FromHDC(first.Dc());
    graphics.FromHDC(second.Dc());
    EXPECT_EQ(graphics.BoundDC(), second.Dc());
    graphics.Clear(0xFF00FF00);
    graphics.Dispose();  // flushes

    EXPECT_EQ(second.Pixel(3, 3) & 0x00FFFFFF, 0x0000FF00u);
    EXPECT_EQ(first.Pixel(3, 3), 0u);
    // The first context is free again for plain GDI.
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT all{0, 0, 8, 8};
    EXPECT_NE(FillRect(first.Dc(), &all, red), 0);
    DeleteObject(red);
    EXPECT_EQ(first.Pixel(3, 3) & 0x00FFFFFF, 0x00FF0000u);
}

TEST(DrawingPixels, ReleasingTheBoundDeviceContextEndsTheBinding) {
    DibDc target(4, 4);
    GDIPGraphics graphics;
    graphics.FromHDC(target.Dc());
    graphics.ReleaseHDC(target.Dc());
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusOk);
    EXPECT_FALSE(graphics.IsBound());
    graphics.Clear(0xFFFFFFFF);
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusInvalidParameter);
    EXPECT_EQ(target.Pixel(1, 1), 0u);
}

}  // namespace
}  // namespace tarvik::test
