// The glass painters on real GDI+ pixels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ThemePixelSupport.h"
#include "core/theme/GlassStyle.h"

namespace tarvik::test {
namespace {

using GlassStylePixels = ThemePixelTest;

bool Near(uint32_t actual, uint32_t expected, int tolerance = 2) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) return false;
    }
    return true;
}

int Brightness(uint32_t argb) {
    return ArgbRed(argb) + ArgbGreen(argb) + ArgbBlue(argb);
}

// How many of the pixels from (x, y) stepping (dx, dy) pass the test. A hairline stroked half
// a pixel inside the edge covers the outermost pixel on Windows; Wine draws pens without
// anti-aliasing and snaps such a line one pixel inwards, so the tests count a few pixels in.
template <typename Test>
int CountAlong(GDIPBitmap& bitmap, int x, int y, int dx, int dy, int count, Test test) {
    int passed = 0;
    for (int i = 0; i < count; ++i) passed += test(bitmap.GetPixel(x + i * dx, y + i * dy));
    return passed;
}

TEST_F(GlassStylePixels, SelectionCornersFollowTheRadius) {
    struct Case {
        const char* name;
        int32_t radius;
        uint32_t corner;  // pixel (0, 0)
    };
    const GlassStyle glass;
    const Case cases[] = {{"rounded", 4, 0}, {"square", 0, glass.Selection}};
    for (const Case& c : cases) {
        GlassStyle style;
        style.SelectionRadius = c.radius;
        PixelCanvas canvas(60, 20);
        style.PaintSelection(&canvas.graphics, {0, 0, 60, 20});
        EXPECT_EQ(canvas.bitmap.GetPixel(0, 0), c.corner) << c.name;
        EXPECT_EQ(canvas.bitmap.GetPixel(59, 19), c.corner) << c.name;
        for (const auto& [x, y] : {std::pair{30, 10}, {30, 0}, {0, 10}, {59, 10}, {30, 19}}) {
            EXPECT_EQ(canvas.bitmap.GetPixel(x, y), style.Selection)
                << c.name << " " << x << "," << y;
        }
    }
}

TEST_F(GlassStylePixels, HotButtonsChangeTheirBody) {
    const GlassStyle style;
    PixelCanvas canvas(200, 30);
    style.PaintButton(&canvas.graphics, {0, 0, 40, 30}, true, false);
    style.PaintButton(&canvas.graphics, {50, 0, 40, 30}, true, true);
    style.PaintButton(&canvas.graphics, {100, 0, 40, 30}, false, false);
    style.PaintButton(&canvas.graphics, {150, 0, 40, 30}, false, true);

    const uint32_t coldAccent = canvas.bitmap.GetPixel(20, 15);
    const uint32_t hotAccent = canvas.bitmap.GetPixel(70, 15);
    EXPECT_EQ(coldAccent, style.Selection);
    // The black veil at 30/255 over the opaque accent.
    const auto veiled = [](uint8_t channel) { return channel * 225 / 255; };
    EXPECT_TRUE(Near(hotAccent, PackArgb(255, veiled(0x2F), veiled(0x7C), veiled(0xD8))))
        << std::hex << hotAccent;
    EXPECT_LT(Brightness(hotAccent), Brightness(coldAccent));

    EXPECT_TRUE(Near(canvas.bitmap.GetPixel(120, 15), 0xAFFFFFFF))
        << std::hex << canvas.bitmap.GetPixel(120, 15);
    EXPECT_TRUE(Near(canvas.bitmap.GetPixel(170, 15), 0xE6FFFFFF))
        << std::hex << canvas.bitmap.GetPixel(170, 15);
    // The hairline border darkens one of the top rows of the plain buttons only.
    const auto darkened = [](uint32_t argb) { return Brightness(argb) < 3 * 0xF0; };
    EXPECT_EQ(CountAlong(canvas.bitmap, 120, 0, 0, 1, 3, darkened), 1);
    EXPECT_EQ(CountAlong(canvas.bitmap, 170, 0, 0, 1, 3, darkened), 1);
    EXPECT_EQ(canvas.bitmap.GetPixel(20, 0), style.Selection);
    EXPECT_EQ(canvas.bitmap.GetPixel(20, 1), style.Selection);
}

TEST_F(GlassStylePixels, PopupBodyAndBorder) {
    const GlassStyle style;
    struct Case {
        bool glassBehind;
        uint32_t body;
    };
    for (const Case& c : {Case{false, style.Tint}, Case{true, 0x01FFFFFF}}) {
        PixelCanvas canvas(80, 40);
        style.Paint(&canvas.graphics, 80, 40, c.glassBehind);
        EXPECT_EQ(canvas.bitmap.GetPixel(0, 0), 0u) << c.glassBehind;
        EXPECT_TRUE(Near(canvas.bitmap.GetPixel(40, 20), c.body, 3))
            << c.glassBehind << " " << std::hex << canvas.bitmap.GetPixel(40, 20);
        // The border runs along the edges, darker and more opaque than the body. (Wine snaps
        // the bottom and right lines, at 39.5 and 79.5, to the row and column past the window.)
        const auto border = [&c](uint32_t argb) {
            return ArgbAlpha(argb) > ArgbAlpha(c.body) && ArgbRed(argb) < 0xF0;
        };
        EXPECT_EQ(CountAlong(canvas.bitmap, 40, 0, 0, 1, 3, border), 1) << c.glassBehind;
        EXPECT_EQ(CountAlong(canvas.bitmap, 0, 20, 1, 0, 3, border), 1) << c.glassBehind;
        EXPECT_LE(CountAlong(canvas.bitmap, 40, 39, 0, -1, 3, border), 1) << c.glassBehind;
        EXPECT_LE(CountAlong(canvas.bitmap, 79, 20, -1, 0, 3, border), 1) << c.glassBehind;
    }
}

TEST_F(GlassStylePixels, FocusedFieldBorderIsSelectionColouredAndWider) {
    const GlassStyle style;
    PixelCanvas canvas(120, 30);
    style.PaintField(&canvas.graphics, {0, 0, 50, 30}, false);
    style.PaintField(&canvas.graphics, {60, 0, 50, 30}, true);
    const auto grey = [](uint32_t argb) {
        return ArgbAlpha(argb) > 0x70 && ArgbRed(argb) < 0xF0 && ArgbRed(argb) == ArgbBlue(argb);
    };
    const auto blue = [](uint32_t argb) { return ArgbBlue(argb) > ArgbRed(argb) + 60; };
    // Unfocused: a one-pixel grey hairline. Focused: two pixels of the selection colour.
    EXPECT_EQ(CountAlong(canvas.bitmap, 25, 0, 0, 1, 4, grey), 1);
    EXPECT_EQ(CountAlong(canvas.bitmap, 25, 0, 0, 1, 4, blue), 0);
    EXPECT_EQ(CountAlong(canvas.bitmap, 85, 0, 0, 1, 4, blue), 2);
    EXPECT_EQ(CountAlong(canvas.bitmap, 60, 15, 1, 0, 4, blue), 2);
    for (const int x : {25, 85}) {
        EXPECT_TRUE(Near(canvas.bitmap.GetPixel(x, 15), 0x6EFFFFFF, 3))
            << std::hex << canvas.bitmap.GetPixel(x, 15);
    }
}

}  // namespace
}  // namespace tarvik::test
