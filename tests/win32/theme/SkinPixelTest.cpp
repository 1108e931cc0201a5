// Skin images cut and resampled on real GDI+ pixels, with the program's own skin files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ThemePixelSupport.h"
#include "core/theme/Skin.h"
#include "core/theme/SkinButton.h"

namespace tarvik::test {
namespace {

using SkinPixels = ThemePixelTest;

// Colour channels only matter where a pixel is not (almost) transparent.
bool SamePixel(uint32_t a, uint32_t b) {
    if (std::abs(int{ArgbAlpha(a)} - int{ArgbAlpha(b)}) > 1) return false;
    if (ArgbAlpha(a) < 8) return true;
    for (const auto channel : {ArgbRed, ArgbGreen, ArgbBlue}) {
        if (std::abs(int{channel(a)} - int{channel(b)}) > 2) return false;
    }
    return true;
}

TEST_F(SkinPixels, FramesAreTheSlicesOfTheImageAtScaleOne) {
    const GDIPImage source = LoadSkinImage("start.png");
    ASSERT_EQ(source.width(), 20);
    ASSERT_EQ(source.Height(), 60);

    SkinButton skin;
    ReadSkinFrames(LoadSkinImage("start.png"), "normal hover pressed", Dpi{}, skin);
    ASSERT_FALSE(skin.IsEmpty());
    for (int32_t state : {kButtonStateNormal, kButtonStateHover, kButtonStatePressed}) {
        const GDIPImage* frame = skin.frame(state);
        ASSERT_NE(frame, nullptr);
        ASSERT_EQ(frame->width(), 20);
        ASSERT_EQ(frame->Height(), 20);
        const int top = (state - 1) * 20;
        int opaque = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const uint32_t expected = PixelOf(source, x, top + y);
                const uint32_t actual = PixelOf(*frame, x, y);
                EXPECT_TRUE(SamePixel(actual, expected))
                    << "state " << state << " at " << x << "," << y << ": " << std::hex << actual
                    << " instead of " << expected;
                if (ArgbAlpha(actual) > 128) ++opaque;
            }
        }
        EXPECT_GT(opaque, 40) << "state " << state;  // the icon is there, not a blank frame
    }
}

TEST_F(SkinPixels, FramesAreResampledAtOneAndAHalf) {
    SkinButton skin;
    ReadSkinFrames(LoadSkinImage("start.png"), "normal hover pressed", DrawingAt("150"), skin);
    for (int32_t state : {kButtonStateNormal, kButtonStateHover, kButtonStatePressed}) {
        const GDIPImage* frame = skin.frame(state);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->width(), 30);
        EXPECT_EQ(frame->Height(), 30);
        int opaque = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) opaque += ArgbAlpha(PixelOf(*frame, x, y)) > 128;
        }
        // About 1.5² times the pixels of the 20-pixel icon, and transparent around it.
        EXPECT_GT(opaque, 100) << "state " << state;
        EXPECT_EQ(ArgbAlpha(PixelOf(*frame, 0, 0)), 0) << "state " << state;
    }
}

TEST_F(SkinPixels, DrawPutsTheFrameIntoTheButtonRectangle) {
    SkinButton skin;
    ReadSkinFrames(LoadSkinImage("start.png"), "normal hover pressed", Dpi{}, skin);
    PixelCanvas canvas(60, 30);
    skin.Draw(kButtonStateNormal, &canvas.graphics, {20, 5, 20, 20});
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            EXPECT_TRUE(SamePixel(canvas.bitmap.GetPixel(20 + x, 5 + y),
                                  PixelOf(*skin.frame(kButtonStateNormal), x, y)))
                << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.bitmap.GetPixel(10, 15), 0u);
    EXPECT_EQ(canvas.bitmap.GetPixel(50, 15), 0u);
}

}  // namespace
}  // namespace tarvik::test
