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

// The part of the source image a frame shows: the source of its one image draw after a clear.
RectF SliceOf(const GDIPImage* frame) {
    if (!frame || RecordedCalls(*frame).size() != 2) return RectF{-1, -1, -1, -1};
    return RecordedCalls(*frame)[1].source;
}

TEST_F(SkinTest, StateWordsCutTheImageIntoFrames) {
    struct Frame {
        int32_t state;
        RectF slice;  // a missing state shows the first stored frame
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
        {"pressed hovered", 10, 20, {{1, {0, 10, 10, 10}}}},  // not a state word: normal
        {"normal hover pressed attention", 20, 3, {}},        // more words than rows
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

TEST_F(SkinTest, CropAndDrawNeedAnImageASurfaceAndWholePixels) {
    const GDIPImage image = Picture(20, 60);
    EXPECT_FALSE(Crop(GDIPImage{}, {0, 0, 20, 20}).has_value());
    EXPECT_FALSE(Crop(image, {0, 0, 0, 20}).has_value());
    EXPECT_FALSE(Crop(image, {0, 0, 20, 0}).has_value());

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
    EXPECT_EQ(calls[0].image, RecordedImageId(*skin.frame(kButtonStateHover)));
    EXPECT_EQ(calls[0].rect, (RectF{10, 4, 30, 30}));
}

}  // namespace
}  // namespace tarvik::test
