#include "core/theme/Skin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/graphics/GDIPGraphics.h"
#include "core/support/ThemeLoad.h"
#include "core/theme/SkinButton.h"

namespace tarvik::test {
namespace {

class SkinTest : public ::testing::Test {
  protected:
    GDIPImage Picture(int width, int height) {
        const std::string name = "skin" + std::to_string(m_files++) + ".png";
        m_load.WritePng(name, width, height);
        return GDIPImage::FromFile((m_load.programFolder / "resources" / name).string());
    }

    ThemeLoad m_load;
    int m_files = 0;
    Dpi m_oneToOne;
};

// The part of the image a frame drawn at scale 1 shows: the source of its one image draw.
RectF SliceOf(const GDIPImage* frame) {
    if (!frame) return RectF{-1, -1, -1, -1};
    const auto& calls = RecordedCalls(*frame);
    if (calls.size() != 2 || calls[0].kind != DrawKind::Clear || calls[0].argb != 0 ||
        calls[1].rect != (RectF{0, 0, calls[1].source.Width, calls[1].source.Height})) {
        return RectF{-2, -2, -2, -2};
    }
    return calls[1].source;
}

TEST_F(SkinTest, StateWordsCutTheImageIntoFrames) {
    struct Frame {
        int32_t state;
        RectF slice;  // a missing state shows another state's frame
    };
    struct Case {
        const char* states;
        int width, height;
        std::vector<Frame> frames;  // empty: the skin stays empty
    };
    const Case cases[] = {
        {"normal hover pressed",
         20,
         60,
         {{2, {0, 20, 20, 20}}, {3, {0, 40, 20, 20}}, {4, {0, 0, 20, 20}}}},
        {"normal hover", 20, 41, {{1, {0, 0, 20, 20}}, {2, {0, 20, 20, 20}}}},
        {"normal  pressed", 20, 60, {{2, {0, 0, 20, 20}}, {3, {0, 40, 20, 20}}}},
        {" PRESSED ", 16, 16, {{3, {0, 0, 16, 16}}, {1, {0, 0, 16, 16}}}},
        {"pressed normal pressed over", 10, 40, {{3, {0, 0, 10, 10}}, {2, {0, 30, 10, 10}}}},
        {"normal Attention", 10, 20, {{4, {0, 10, 10, 10}}}},
        {"normal notice", 10, 20, {{4, {0, 10, 10, 10}}}},
        {"pressed hovered", 10, 20, {{1, {0, 10, 10, 10}}}},  // not a state word: normal
        {"pressed press", 10, 20, {{1, {0, 10, 10, 10}}}},
        {"normal hover pressed attention", 20, 3, {}},  // more words than rows
        {"   ", 20, 20, {}},
    };
    for (const Case& c : cases) {
        SkinButton skin;
        ReadSkinFrames(Picture(c.width, c.height), c.states, m_oneToOne, skin);
        EXPECT_EQ(skin.IsEmpty(), c.frames.empty()) << c.states;
        for (const Frame& f : c.frames) {
            EXPECT_EQ(SliceOf(skin.frame(f.state)), f.slice) << c.states << " state " << f.state;
        }
    }
}

TEST_F(SkinTest, FramesAreResampledToTheDrawingScaleOnce) {
    ThemeLoad scaled;  // a drawing scale is read once per program run
    ASSERT_TRUE(scaled.Load("<t/>", "150"));
    SkinButton skin;
    ReadSkinFrames(Picture(15, 30), "normal hover", scaled.dpi, skin);
    const GDIPImage* frame = skin.frame(kButtonStateHover);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->width(), 22);  // 22.5 to the even 22
    const auto& calls = RecordedCalls(*frame);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].kind, DrawKind::DrawImage);
    EXPECT_EQ(calls[1].rect, (RectF{0, 0, 22, 22}));
    EXPECT_EQ(calls[1].image.height, 15);  // the whole cut square slice
    EXPECT_EQ(calls[1].settings.interpolationMode, kInterpolationModeHighQualityBicubic);
}

TEST_F(SkinTest, CropAndDrawNeedAnImageASurfaceAndWholePixels) {
    const GDIPImage image = Picture(20, 60);
    EXPECT_FALSE(Crop(GDIPImage{}, {0, 0, 20, 20}).has_value());
    EXPECT_FALSE(Crop(image, {0, 0, 0, 20}).has_value());
    EXPECT_FALSE(Crop(image, {0, 0, 20, 0}).has_value());
    const std::optional<GDIPImage> cut = Crop(image, {3, 7, 5, 9});
    EXPECT_EQ(SliceOf(cut ? &*cut : nullptr), (RectF{3, 7, 5, 9}));

    SkinButton skin;
    ReadSkinFrames(Picture(20, 60), "hover over", m_oneToOne, skin);
    GDIPBitmap target = GDIPBitmap::CreateFromSizeFormat(100, 40);
    GDIPGraphics graphics;
    graphics.FromImage(target);
    skin.Draw(kButtonStatePressed, &graphics, {10, 4, 30, 30});  // falls back to hover
    skin.Draw(kButtonStateNormal, nullptr, {10, 4, 30, 30});
    skin.Draw(kButtonStateNormal, &graphics, {10, 4, 0, 30});
    skin.Draw(kButtonStateNormal, &graphics, {10, 4, 30, 0});
    SkinButton{}.Draw(kButtonStateNormal, &graphics, {10, 4, 30, 30});
    const auto& calls = RecordedCalls(graphics);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].image.id, RecordedImageId(*skin.frame(kButtonStateHover)));
    EXPECT_EQ(calls[0].rect, (RectF{10, 4, 30, 30}));
}

TEST_F(SkinTest, LoadKeepsTheFirstFrameOfAStateInOrder) {
    std::vector<SkinButton::Frame> frames;
    frames.emplace_back(kButtonStatePressed, Picture(4, 4));
    frames.emplace_back(kButtonStateNormal, Picture(5, 5));
    frames.emplace_back(kButtonStatePressed, Picture(6, 6));
    SkinButton skin;
    skin.Load(Picture(8, 8), std::move(frames));
    EXPECT_EQ(skin.frame(kButtonStatePressed)->width(), 4);
    EXPECT_EQ(skin.frame(kButtonStateNormal)->width(), 5);
    EXPECT_EQ(skin.frame(kButtonStateHover)->width(), 4);  // the first stored frame
}

}  // namespace
}  // namespace tarvik::test
