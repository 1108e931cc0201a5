// The drawing objects over real GDI+: native handles, pixels, text, images and errors.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <vector>

#include "core/app/Error.h"
#include "core/theme/GlassStyle.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/support/Screenshot.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// A 32-bit top-down DIB selected into its own memory DC.
struct DibDc {
    DibDc(int pixelsWide, int pixelsHigh) : width(pixelsWide) {
        BITMAPINFO info{};
        info.bmiHeader = {
            sizeof(BITMAPINFOHEADER), width, -pixelsHigh, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        bitmap.Reset(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
        bits = static_cast<uint32_t*>(pixels);
        old = SelectObject(dc.Get(), bitmap.Get());
    }
    ~DibDc() { SelectObject(dc.Get(), old); }
    uint32_t Pixel(int x, int y) const { return GdiFlush(), bits[y * width + x]; }

    int width;
    UniqueMemoryDc dc{CreateCompatibleDC(nullptr)};
    UniqueBitmap bitmap;
    uint32_t* bits = nullptr;
    HGDIOBJ old = nullptr;
};

struct Probe {
    int x;
    int y;
    uint32_t argb;
};

void ExpectPixels(GDIPBitmap& bitmap, std::initializer_list<Probe> probes) {
    for (const Probe& p : probes) {
        EXPECT_EQ(bitmap.GetPixel(p.x, p.y), p.argb) << p.x << "," << p.y;
    }
}

TEST(Drawing, BitmapsComeFromIconsGdiBitmapsAndCopiedPixels) {
    StartGdiPlus();
    DibDc colour(16, 16);
    const UniqueBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.Get(), colour.bitmap.Get()};
    const UniqueIcon icon(CreateIconIndirect(&info));
    EXPECT_EQ(GDIPBitmap::CreateFromHICON(icon.Get()).width(), 16);
    DibDc wide(24, 12);
    const GDIPBitmap fromBitmap = GDIPBitmap::CreateFromHBITMAP(wide.bitmap.Get());
    EXPECT_EQ(fromBitmap.width() * 100 + fromBitmap.Height(), 2412);
    EXPECT_FALSE(GDIPBitmap::CreateFromHBITMAP(nullptr).IsLoaded());

    std::vector<uint8_t> pixels{1, 2, 3, 0x80, 4,  5,  6,  0xFF, 0, 0, 0, 0,
                                7, 8, 9, 0,    10, 11, 12, 0x40, 0, 0, 0, 0};
    GDIPBitmap copy = GDIPBitmap::CreateFromSizeFormatData(2, 2, 12, kPixelFormat32bppARGB, pixels);
    pixels.assign(pixels.size(), 0xEE);
    ExpectPixels(copy, {{0, 0, 0x80030201}, {1, 0, 0xFF060504}, {1, 1, 0x400C0B0A}});
}

TEST(Drawing, FontFamiliesResolveInstalledNamesOnly) {
    StartGdiPlus();
    const GDIPFontFamily family("dejavu sans");
    EXPECT_TRUE(family.Exists());
    EXPECT_EQ(family.Name(), "DejaVu Sans");
    const GDIPFontFamily missing("No Such Family Anywhere");
    EXPECT_FALSE(missing.Exists());
    EXPECT_EQ(GDIPFont(missing, 12).NativeHandle(), nullptr);
}

TEST(Drawing, AFailingCallRaisesItsStatusUnlessSuppressed) {
    StartGdiPlus();
    SetGDIPlusErrorsSuppressed(false);
    try {
        GDIPBitmap::CreateFromSizeFormat(0, 0);
        ADD_FAILURE() << "not raised";
    } catch (const Error& error) {
        EXPECT_EQ(error.Number(), 1048 + kGdipStatusInvalidParameter);
    }
    SetGDIPlusErrorsSuppressed(true);
    EXPECT_EQ(GDIPBitmap::CreateFromSizeFormat(0, 0).LastStatus(), kGdipStatusInvalidParameter);
}

TEST(Drawing, ShapesPensBrushesAndExcludedAreas) {
    constexpr uint32_t kBlue = 0xFF2F7CD8;
    Canvas rounded(40, 30);
    rounded.graphics.FillPath(GDIPBrush::FromArgb(kBlue), RoundedRect(0, 0, 40, 30, 8));
    ExpectPixels(rounded.bitmap, {{0, 0, 0},
                                  {39, 29, 0},
                                  {1, 1, 0},
                                  {20, 15, kBlue},
                                  {20, 0, kBlue},
                                  {0, 15, kBlue},
                                  {39, 15, kBlue}});

    // A pen draws with its own alpha, not its colour's; a stroke does not fill.
    Canvas canvas(30, 30);
    canvas.graphics.DrawRectangle(GDIPPen(Colour::FromArgb(0x0AFF0000), 3, 255), 4, 4, 8, 8);
    canvas.graphics.FillRectangle(GDIPBrush::FromArgb(0x800000FF), RectF{14, 14, 4, 4});
    EXPECT_EQ(canvas.bitmap.GetPixel(8, 4), 0xFFFF0000u);
    EXPECT_EQ(canvas.bitmap.GetPixel(8, 8), 0u);
    const uint32_t half = canvas.bitmap.GetPixel(15, 15);
    EXPECT_LE(std::abs(int{ArgbAlpha(half)} - 0x80), 2) << std::hex << half;

    // A path stroked with a pen two pixels wide: two rows along the top edge, hollow inside.
    Canvas stroked(40, 30);
    stroked.graphics.DrawPath(GDIPPen(Colour::FromArgb(0xFFFF0000), 2, 255),
                              RoundedRect(1, 1, 38, 28, 6));
    int rows = 0;
    for (int y = 0; y < 6; ++y) rows += ArgbAlpha(stroked.bitmap.GetPixel(20, y)) > 128;
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(stroked.bitmap.GetPixel(20, 15), 0u);

    Canvas excluded(30, 30);
    excluded.graphics.Exclude(RectF{10, 10, 10, 10});
    excluded.graphics.Clear(0xFF00FF00);
    ExpectPixels(excluded.bitmap, {{5, 5, 0xFF00FF00}, {15, 15, 0}, {20, 20, 0xFF00FF00}});
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
    EXPECT_GT(word, 20);
    EXPECT_LE(word, box.Width);
    EXPECT_GT(canvas.graphics.MeasureStringWidth("Tarvik Tarvik", font), 1.5f * word);
    EXPECT_GE(canvas.graphics.MeasureStringWidth("Tarvik", GDIPFont(family, 20, kFontStyleBold)),
              word);
}

TEST(Drawing, ImageFilesDrawWholeOrInPartsAndBadFilesDoNotLoad) {
    // 16 × 16 in four 8 × 8 quadrants: red, green / blue, white.
    Canvas quadrants(16, 16);
    const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int i = 0; i < 4; ++i) {
        quadrants.graphics.FillRectangle(GDIPBrush::FromArgb(colours[i]),
                                         RectF{i % 2 * 8.0f, i / 2 * 8.0f, 8, 8});
    }
    const TempFolder folder;
    ASSERT_TRUE(SavePng(quadrants.bitmap.Image(), folder.Path() / "quadrants.png"));
    const GDIPImage image = GDIPImage::FromFile((folder.Path() / "quadrants.png").string());
    ASSERT_EQ(image.width() * 100 + image.Height(), 1616);

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

    std::ofstream(folder.Path() / "text.png") << "not a picture";
    for (const char* name : {"none.bmp", "text.png"}) {
        EXPECT_FALSE(GDIPImage::FromFile((folder.Path() / name).string()).IsLoaded()) << name;
    }
}

TEST(Drawing, ASurfaceBoundToADeviceContextLetsItGoWhenBoundElsewhereOrReleased) {
    StartGdiPlus();
    DibDc first(8, 8);
    DibDc second(8, 8);
    GDIPGraphics graphics;
    graphics.FromHDC(first.dc.Get());
    graphics.FromHDC(second.dc.Get());
    EXPECT_EQ(graphics.BoundDC(), second.dc.Get());
    graphics.Clear(0xFF00FF00);
    graphics.ReleaseHDC(second.dc.Get());
    EXPECT_FALSE(graphics.IsBound());
    EXPECT_EQ(second.Pixel(3, 3) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(first.Pixel(3, 3), 0u);

    // The first context is free again for plain GDI.
    const UniqueRegion all(CreateRectRgn(0, 0, 8, 8));
    const UniqueHandle<HGDIOBJ, GdiObjectDeleter> red(CreateSolidBrush(RGB(255, 0, 0)));
    EXPECT_NE(FillRgn(first.dc.Get(), all.Get(), static_cast<HBRUSH>(red.Get())), 0);
    EXPECT_EQ(first.Pixel(3, 3) & 0xFFFFFF, 0xFF0000u);
    graphics.Clear(0xFFFFFFFF);
    EXPECT_EQ(graphics.LastStatus(), kGdipStatusInvalidParameter);
}

}  // namespace
}  // namespace tarvik::test
