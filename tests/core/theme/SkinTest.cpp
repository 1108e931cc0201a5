#include "core/theme/Skin.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/app/CommandLine.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/support/Fakes.h"
#include "core/support/RecordingGraphics.h"
#include "core/theme/SkinButton.h"

namespace tarvik::test {
namespace {

Dpi DrawingAt(const char* percent) {
    FakeEnvironment environment;
    environment.variables["TARVIK_SCALE"] = percent;
    CommandLine commandLine(environment);
    Dpi dpi;
    dpi.Start(96, commandLine);
    return dpi;
}

void PutBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// The start of a PNG file: enough for the recording backend to know the picture's size.
std::string PngHeader(uint32_t width, uint32_t height) {
    std::string png("\x89PNG\r\n\x1A\n", 8);
    PutBigEndian(png, 13);
    png += "IHDR";
    PutBigEndian(png, width);
    PutBigEndian(png, height);
    png += std::string("\x08\x06\x00\x00\x00", 5);
    PutBigEndian(png, 0);  // checksum, not read
    return png;
}

class SkinTest : public ::testing::Test {
  protected:
    GDIPImage Picture(int width, int height) {
        const auto path = m_folder.Path() / ("skin" + std::to_string(m_files++) + ".png");
        std::ofstream(path, std::ios::binary) << PngHeader(width, height);
        GDIPImage image = GDIPImage::FromFile(path.string());
        EXPECT_TRUE(image.IsLoaded());
        return image;
    }

    ScopedDrawingErrors m_errors{true};
    TempFolder m_folder;
    int m_files = 0;
    Dpi m_oneToOne;
};

// Where a frame drawn at scale 1 came from: the source rectangle of its one image draw.
RectF SliceOf(const GDIPImage* frame) {
    if (!frame) return RectF{-1, -1, -1, -1};
    const auto& calls = RecordedCalls(*frame);
    if (calls.size() != 2 || calls[0].kind != DrawKind::Clear || calls[0].argb != 0 ||
        calls[1].kind != DrawKind::DrawImageRect) {
        return RectF{-2, -2, -2, -2};
    }
    // The slice is drawn unscaled at the bitmap's top left.
    if (calls[1].rect != (RectF{0, 0, calls[1].source.Width, calls[1].source.Height})) {
        return RectF{-3, -3, -3, -3};
    }
    return calls[1].source;
}

TEST(ButtonStateOfWord, NamesTheStatesRegardlessOfCaseAndSpaces) {
    struct Case {
        const char* word;
        int32_t state;
    };
    const Case cases[] = {
        {"normal", kButtonStateNormal},     {"hover", kButtonStateHover},
        {"over", kButtonStateHover},        {"pressed", kButtonStatePressed},
        {" PRESSED ", kButtonStatePressed}, {"Attention", kButtonStateAttention},
        {"notice", kButtonStateAttention},  {"idle", kButtonStateNormal},
        {"", kButtonStateNormal},           {"press", kButtonStateNormal},
        {"hovered", kButtonStateNormal},
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
        std::vector<Frame> frames;
    };
    const Case cases[] = {
        {"normal hover pressed",
         20,
         60,
         {{1, {0, 0, 20, 20}}, {2, {0, 20, 20, 20}}, {3, {0, 40, 20, 20}}, {4, {0, 0, 20, 20}}}},
        {"normal hover", 20, 41, {{1, {0, 0, 20, 20}}, {2, {0, 20, 20, 20}}}},
        {"hover over", 20, 60, {{1, {0, 0, 20, 30}}, {2, {0, 0, 20, 30}}, {3, {0, 0, 20, 30}}}},
        {"normal  pressed",
         20,
         60,
         {{1, {0, 0, 20, 20}}, {2, {0, 0, 20, 20}}, {3, {0, 40, 20, 20}}}},
        {" PRESSED ", 16, 16, {{3, {0, 0, 16, 16}}, {1, {0, 0, 16, 16}}}},
        {"idle", 16, 16, {{1, {0, 0, 16, 16}}}},
        {"pressed normal pressed hover",
         10,
         40,
         {{3, {0, 0, 10, 10}}, {1, {0, 10, 10, 10}}, {2, {0, 30, 10, 10}}}},
        {"normal attention", 12, 24, {{4, {0, 12, 12, 12}}, {2, {0, 0, 12, 12}}}},
    };
    for (const Case& c : cases) {
        SkinButton skin;
        ReadSkinFrames(Picture(c.width, c.height), c.states, m_oneToOne, skin);
        ASSERT_FALSE(skin.IsEmpty()) << c.states;
        ASSERT_NE(skin.Image(), nullptr) << c.states;
        EXPECT_EQ(skin.Image()->Height(), c.height) << c.states;
        for (const Frame& f : c.frames) {
            const GDIPImage* frame = skin.frame(f.state);
            EXPECT_EQ(SliceOf(frame), f.slice) << c.states << " state " << f.state;
            ASSERT_NE(frame, nullptr);
            EXPECT_EQ(frame->width(), f.slice.Width) << c.states;
            EXPECT_EQ(frame->Height(), f.slice.Height) << c.states;
        }
    }
}

TEST_F(SkinTest, TooManyWordsOrNoWordsLeaveTheSkinEmpty) {
    struct Case {
        const char* states;
        int height;
    };
    const Case cases[] = {
        {"normal hover pressed attention", 3},  // more words than rows
        {"normal hover", 1},
        {"", 20},     // nothing named
        {"   ", 20},  // nothing named
    };
    for (const Case& c : cases) {
        SkinButton skin;
        ReadSkinFrames(Picture(20, c.height), c.states, m_oneToOne, skin);
        EXPECT_TRUE(skin.IsEmpty()) << '"' << c.states << '"';
        EXPECT_EQ(skin.frame(kButtonStateNormal), nullptr) << '"' << c.states << '"';
    }
    SkinButton skin;
    ReadSkinFrames(GDIPImage{}, "normal", m_oneToOne, skin);
    EXPECT_TRUE(skin.IsEmpty());
    EXPECT_EQ(skin.Image(), nullptr);
}

TEST_F(SkinTest, FramesAreResampledToTheDrawingScaleOnce) {
    struct Case {
        const char* percent;
        int width, height;
        const char* states;
        int side;  // of every frame, which is square
    };
    const Case cases[] = {
        {"125", 20, 60, "normal hover pressed", 25},
        {"150", 15, 30, "normal hover", 22},  // 22.5 rounds to the even 22
        {"200", 20, 40, "normal hover", 40},
    };
    for (const Case& c : cases) {
        const Dpi dpi = DrawingAt(c.percent);
        SkinButton skin;
        ReadSkinFrames(Picture(c.width, c.height), c.states, dpi, skin);
        for (int32_t state : {kButtonStateNormal, kButtonStateHover}) {
            const GDIPImage* frame = skin.frame(state);
            ASSERT_NE(frame, nullptr) << c.percent;
            EXPECT_EQ(frame->width(), c.side) << c.percent;
            EXPECT_EQ(frame->Height(), c.side) << c.percent;
            const auto& calls = RecordedCalls(*frame);
            ASSERT_EQ(calls.size(), 2u) << c.percent;
            EXPECT_EQ(calls[0].kind, DrawKind::Clear);
            EXPECT_EQ(calls[0].argb, 0u);
            EXPECT_EQ(calls[1].kind, DrawKind::DrawImage);
            const float side = static_cast<float>(c.side);
            EXPECT_EQ(calls[1].rect, (RectF{0, 0, side, side})) << c.percent;
            // The whole cut slice, bicubic with high-quality smoothing and pixel offsets.
            EXPECT_EQ(calls[1].image.width, c.width) << c.percent;
            EXPECT_EQ(calls[1].image.height, c.width) << c.percent;  // square slices
            EXPECT_EQ(calls[1].settings.interpolationMode, kInterpolationModeHighQualityBicubic);
            EXPECT_EQ(calls[1].settings.smoothingMode, kSmoothingModeHighQuality);
            EXPECT_EQ(calls[1].settings.pixelOffsetMode, kPixelOffsetModeHighQuality);
        }
    }
}

TEST_F(SkinTest, ScaleOneKeepsTheImageItself) {
    GDIPImage image = Picture(20, 20);
    const uint64_t id = RecordedImageId(image);
    const GDIPImage kept = ScaleImage(std::move(image), m_oneToOne);
    EXPECT_EQ(RecordedImageId(kept), id);
    EXPECT_TRUE(RecordedCalls(kept).empty());
}

TEST_F(SkinTest, CropNeedsAnImageAndAWholePixel) {
    const GDIPImage image = Picture(20, 60);
    EXPECT_FALSE(Crop(GDIPImage{}, {0, 0, 20, 20}).has_value());
    EXPECT_FALSE(Crop(image, {0, 0, 0, 20}).has_value());
    EXPECT_FALSE(Crop(image, {0, 0, 20, 0}).has_value());
    const std::optional<GDIPImage> cut = Crop(image, {3, 7, 5, 9});
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(SliceOf(&*cut), (RectF{3, 7, 5, 9}));
    EXPECT_EQ(RecordedCalls(*cut)[1].image.id, RecordedImageId(image));
}

TEST_F(SkinTest, DrawShowsTheStatesFrameScaledIntoTheRectangle) {
    SkinButton skin;
    ReadSkinFrames(Picture(20, 60), "hover over", m_oneToOne, skin);
    const uint64_t only = RecordedImageId(*skin.frame(kButtonStateHover));

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
    EXPECT_EQ(calls[0].kind, DrawKind::DrawImage);
    EXPECT_EQ(calls[0].image.id, only);
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
    EXPECT_EQ(skin.Image()->width(), 8);
}

}  // namespace
}  // namespace tarvik::test
