#include "core/theme/Skin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bar/Dpi.h"
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

// Where a frame drawn at scale 1 came from: the source rectangle of its one image draw.
RectF SliceOf(const GDIPImage* frame) {
    if (!frame) return RectF{-1, -1, -1, -1};
    const auto& calls = RecordedCalls(*frame);
    if (calls.size() != 2 || calls[0].kind != DrawKind::Clear || calls[0].argb != 0 ||
        calls[1].kind != DrawKind::DrawImageRect ||
        calls[1].rect != (RectF{0, 0, calls[1].source.Width, calls[1].source.Height})) {
        return RectF{-2, -2, -2, -2};
    }
    return calls[1].source;
}

TEST(ButtonStateOfWord, NamesTheStatesRegardlessOfCaseAndSpaces) {
    struct Case {
        const char* word;
        int32_t state;
    };
    const Case cases[] = {
        {"over", kButtonStateHover},       {" PRESSED ", kButtonStatePressed},
        {"notice", kButtonStateAttention}, {"Attention", kButtonStateAttention},
        {"press", kButtonStateNormal},     {"hovered", kButtonStateNormal},
    };
    for (const Case& c : cases) EXPECT_EQ(ButtonStateOfWord(c.word), c.state) << c.word;
}

TEST_F(SkinTest, StateWordsCutTheImageIntoFrames) {
    struct Frame {
        int32_t state;
        RectF slice;  // the part of the image the state shows (a fallback shows another's)
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
         {{1, {0, 0, 20, 20}}, {2, {0, 20, 20, 20}}, {3, {0, 40, 20, 20}}, {4, {0, 0, 20, 20}}}},
        {"normal hover", 20, 41, {{1, {0, 0, 20, 20}}, {2, {0, 20, 20, 20}}}},
        {"normal  pressed", 20, 60, {{2, {0, 0, 20, 20}}, {3, {0, 40, 20, 20}}}},
        {" PRESSED ", 16, 16, {{3, {0, 0, 16, 16}}, {1, {0, 0, 16, 16}}}},
        {"pressed normal pressed hover", 10, 40, {{3, {0, 0, 10, 10}}, {2, {0, 30, 10, 10}}}},
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
    SkinButton skin;
    ReadSkinFrames(GDIPImage{}, "normal", m_oneToOne, skin);
    EXPECT_TRUE(skin.IsEmpty());
}

TEST_F(SkinTest, FramesAreResampledToTheDrawingScaleOnce) {
    struct Case {
        const char* percent;
        int width, height;
        int side;  // of every frame, which is square
    };
    const Case cases[] = {{"125", 20, 40, 25}, {"150", 15, 30, 22}};  // 22.5 to the even 22
    for (const Case& c : cases) {
        ThemeLoad scaled;  // a drawing scale is read once per program run
        ASSERT_TRUE(scaled.Load("<t/>", c.percent));
        SkinButton skin;
        ReadSkinFrames(Picture(c.width, c.height), "normal hover", scaled.GetDpi(), skin);
        const GDIPImage* frame = skin.frame(kButtonStateHover);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->width(), c.side) << c.percent;
        const auto& calls = RecordedCalls(*frame);
        ASSERT_EQ(calls.size(), 2u) << c.percent;
        EXPECT_EQ(calls[0].kind, DrawKind::Clear);
        EXPECT_EQ(calls[1].kind, DrawKind::DrawImage);
        const float side = static_cast<float>(c.side);
        EXPECT_EQ(calls[1].rect, (RectF{0, 0, side, side})) << c.percent;
        EXPECT_EQ(calls[1].image.height, c.width) << c.percent;  // the whole cut square slice
        EXPECT_EQ(calls[1].settings.interpolationMode, kInterpolationModeHighQualityBicubic);
    }
}

TEST_F(SkinTest, CropNeedsAnImageAndAWholePixel) {
    const GDIPImage image = Picture(20, 60);
    EXPECT_FALSE(Crop(GDIPImage{}, {0, 0, 20, 20}).has_value());
    EXPECT_FALSE(Crop(image, {0, 0, 0, 20}).has_value());
    EXPECT_FALSE(Crop(image, {0, 0, 20, 0}).has_value());
    const std::optional<GDIPImage> cut = Crop(image, {3, 7, 5, 9});
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(SliceOf(&*cut), (RectF{3, 7, 5, 9}));
}

TEST_F(SkinTest, DrawShowsTheStatesFrameScaledIntoTheRectangle) {
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
