// The drawing objects over real GDI+: pixels of shapes, text and images.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

#include "core/theme/GlassStyle.h"
#include "win32/support/Screenshot.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

struct Probe {
    int x, y;
    uint32_t argb;
};

void ExpectPixels(GDIPBitmap& bitmap, std::initializer_list<Probe> probes) {
    for (const Probe& p : probes) EXPECT_EQ(bitmap.GetPixel(p.x, p.y), p.argb) << p.x << "," << p.y;
}

TEST(Drawing, PathsPensAndBrushesFillAndStrokeWhereTheySay) {
    constexpr uint32_t kBlue = 0xFF2F7CD8;
    Canvas canvas(100, 40);
    canvas.graphics.FillPath(GDIPBrush::FromArgb(kBlue), RoundedRect(0, 0, 40, 30, 8));
    // A pen draws with its own alpha, not its colour's; a stroke two pixels wide does not fill.
    canvas.graphics.DrawPath(GDIPPen(Colour::FromArgb(0x0AFF0000), 2, 255),
                             RoundedRect(51, 1, 38, 28, 6));
    canvas.graphics.FillRectangle(GDIPBrush::FromArgb(0x800000FF), RectF{94, 34, 4, 4});
    ExpectPixels(canvas.bitmap, {{1, 1, 0}, {39, 29, 0}, {20, 0, kBlue}, {0, 15, kBlue}});
    int rows = 0;
    for (int y = 0; y < 6; ++y) rows += ArgbAlpha(canvas.bitmap.GetPixel(70, y)) > 128;
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(canvas.bitmap.GetPixel(70, 15), 0u);
    const uint32_t half = canvas.bitmap.GetPixel(95, 35);
    EXPECT_LE(std::abs(int{ArgbAlpha(half)} - 0x80), 2) << std::hex << half;
}

TEST(Drawing, TextIsDrawnFromItsTopLeftPointWithinItsMeasure) {
    Canvas canvas(200, 40);
    const GDIPFontFamily family("DejaVu Sans");
    const GDIPFont font(family, 20);
    canvas.graphics.DrawString("Tarvik", font, GDIPBrush::FromArgb(0xFF000000), 40, 5);
    const RectF box = canvas.graphics.MeasureString("Tarvik", font);
    int inked = 0;
    int outside = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (ArgbAlpha(canvas.bitmap.GetPixel(x, y)) == 0) continue;
            ++inked;
            outside += x < 40 || x > 40 + box.Width || y < 5 || y > 5 + box.Height;
        }
    }
    EXPECT_GT(inked, 40);
    EXPECT_EQ(outside, 0);
    const float word = canvas.graphics.MeasureStringWidth("Tarvik", font);
    EXPECT_LE(word, box.Width);
    EXPECT_GT(canvas.graphics.MeasureStringWidth("Tarvik Tarvik", font), 1.5f * word);
}

TEST(Drawing, ImagesOfCopiedPixelsDrawWholeOrInPartsAndBadFilesDoNotLoad) {
    // 16 × 16 in four 8 × 8 quadrants: red, green / blue, white; rows of 68 bytes, copied.
    const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    std::vector<uint8_t> pixels(16 * 68);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            std::memcpy(&pixels[y * 68 + x * 4], &colours[y / 8 * 2 + x / 8], 4);
        }
    }
    const GDIPBitmap quadrants =
        GDIPBitmap::CreateFromSizeFormatData(16, 16, 68, kPixelFormat32bppARGB, pixels);
    pixels.assign(pixels.size(), 0);
    const GDIPImage& image = quadrants.Image();

    Canvas canvas(80, 40);
    canvas.graphics.SetInterpolationMode(kInterpolationModeHighQualityBicubic);
    canvas.graphics.DrawImage(image, 4, 4, 32, 32);
    canvas.graphics.DrawImageRect(image, 50, 10, 16, 16, 8, 0, 8, 8);
    ExpectPixels(canvas.bitmap, {{12, 12, colours[0]},
                                 {28, 12, colours[1]},
                                 {12, 28, colours[2]},
                                 {28, 28, colours[3]},
                                 {58, 18, colours[1]},
                                 {2, 2, 0},
                                 {40, 20, 0}});

    const TempFolder folder;
    std::ofstream(folder.Path() / "text.png") << "not a picture";
    for (const char* name : {"none.bmp", "text.png"}) {
        const GDIPImage bad = GDIPImage::FromFile((folder.Path() / name).string());
        EXPECT_FALSE(bad.IsLoaded()) << name;
        EXPECT_NE(bad.LastStatus(), kGdipStatusOk) << name;
    }
}

}  // namespace
}  // namespace tarvik::test
