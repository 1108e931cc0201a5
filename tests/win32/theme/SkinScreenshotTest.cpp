// Every default skin in its states on a piece of bar over a desktop, drawn with real GDI+ and
// saved as build/screenshots/skins.png for a person to look at.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "ThemePixelSupport.h"
#include "core/theme/GlassStyle.h"
#include "core/theme/Skin.h"
#include "core/theme/SkinButton.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

constexpr std::array kSkins{"start",        "tray", "clipboard", "timer",   "spotlight", "volume",
                            "volume-muted", "news", "app",       "weather", "stats"};
constexpr std::array kStates{kButtonStateNormal, kButtonStateHover, kButtonStatePressed};
constexpr int kMargin = 12;
constexpr int kRowPitch = 44;

GDIPImage LoadSkinImage(const std::string& name) {
    const std::u8string path = (ResourcesFolder() / (name + ".png")).u8string();
    return GDIPImage::FromFile(std::string(path.begin(), path.end()));
}

// One drawing scale: its skins and where its buttons (a widget's least width of 50, on a bar of
// 23 visible pixels, 2 apart) go.
struct Section {
    Dpi dpi;
    int left = 0;
    std::vector<SkinButton> skins;
    int Width() const { return 3 * dpi.Scale(50) + 2 * dpi.Scale(2); }
    RectI Button(size_t row, size_t column) const {
        const int height = dpi.Scale(23);
        return {left + static_cast<int>(column) * (dpi.Scale(50) + dpi.Scale(2)),
                kMargin + static_cast<int>(row) * kRowPitch + (kRowPitch - height) / 2,
                dpi.Scale(50), height};
    }
};

// A blue-to-violet desktop, the bar strips and their buttons; the pressed state shows on the
// selection as the bar draws it under the mouse. Without icons for the comparison picture.
void Paint(GDIPGraphics& graphics, int width, int height, const std::vector<Section>& sections,
           bool icons) {
    for (int x = 0; x < width; ++x) {
        const auto mix = [x, width](int from, int to) {
            return static_cast<uint8_t>(from + (to - from) * x / width);
        };
        graphics.FillRectangle(
            GDIPBrush::FromArgb(PackArgb(255, mix(0x2B, 0x6A), mix(0x58, 0x3F), mix(0x76, 0x8C))),
            RectF{static_cast<float>(x), 0, 1, static_cast<float>(height)});
    }
    for (const Section& section : sections) {
        GlassStyle glass;
        glass.SelectionRadius = section.dpi.Scale(glass.SelectionRadius);
        for (size_t row = 0; row < kSkins.size(); ++row) {
            const RectI bar = section.Button(row, 0);
            graphics.FillRectangle(GDIPBrush::FromArgb(0x6EFFFFFF),
                                   RectF{bar.X - 6.0f, static_cast<float>(bar.Y),
                                         section.Width() + 12.0f, static_cast<float>(bar.Height)});
            for (size_t column = 0; column < kStates.size(); ++column) {
                const RectI button = section.Button(row, column);
                if (kStates[column] == kButtonStatePressed) glass.PaintSelection(&graphics, button);
                const GDIPImage* frame = section.skins[row].frame(kStates[column]);
                if (!icons || frame == nullptr) continue;
                section.skins[row].Draw(kStates[column], &graphics,
                                        {button.X + (button.Width - frame->width()) / 2,
                                         button.Y + (button.Height - frame->Height()) / 2,
                                         frame->width(), frame->Height()});
            }
        }
    }
}

int Luma(uint32_t argb) {
    return (299 * ArgbRed(argb) + 587 * ArgbGreen(argb) + 114 * ArgbBlue(argb)) / 1000;
}

TEST(SkinScreenshot, EveryDefaultSkinShowsInEveryStateAtBothScales) {
    StartGdiPlus();
    std::vector<Section> sections;
    int left = kMargin;
    for (const char* percent : {"100", "150"}) {
        Section section{DrawingAt(percent), left, {}};
        for (const char* name : kSkins) {
            ReadSkinFrames(LoadSkinImage(name), "normal hover pressed", section.dpi,
                           section.skins.emplace_back());
            ASSERT_FALSE(section.skins.back().IsEmpty()) << name;
        }
        left += section.Width() + 2 * kMargin;
        sections.push_back(std::move(section));
    }
    const int width = left - kMargin;
    const int height = 2 * kMargin + static_cast<int>(kSkins.size()) * kRowPitch;
    Canvas shot(width, height);
    Canvas bare(width, height);
    Paint(shot.graphics, width, height, sections, true);
    Paint(bare.graphics, width, height, sections, false);
    EXPECT_TRUE(SavePng(shot.bitmap.Image(), ScreenshotFolder() / "skins.png"));

    // Each button shows its icon: dark strokes on the bar, light ones on the selection.
    for (const Section& section : sections) {
        for (size_t row = 0; row < kSkins.size(); ++row) {
            for (size_t column = 0; column < kStates.size(); ++column) {
                const RectI button = section.Button(row, column);
                const bool onSelection = kStates[column] == kButtonStatePressed;
                int strokes = 0;
                for (int y = button.Y; y < button.Y + button.Height; ++y) {
                    for (int x = button.X; x < button.X + button.Width; ++x) {
                        const int with = Luma(shot.bitmap.GetPixel(x, y));
                        const int without = Luma(bare.bitmap.GetPixel(x, y));
                        strokes += onSelection ? (with > without + 60 && with > 200)
                                               : (with < without - 60 && with < 90);
                    }
                }
                EXPECT_GT(strokes, 20) << kSkins[row] << " state " << kStates[column] << " at "
                                       << section.dpi.DrawScale();
            }
        }
    }

    // At scale one the frames are exact slices of the 20 × 60 image, top to bottom.
    const GDIPImage source = LoadSkinImage("start");
    const SkinButton& start = sections[0].skins[0];
    for (const int32_t state : kStates) {
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const uint32_t expected = PixelOf(source, x, (state - 1) * 20 + y);
                const uint32_t actual = PixelOf(*start.frame(state), x, y);
                const int alpha = ArgbAlpha(expected);
                ASSERT_TRUE(std::abs(ArgbAlpha(actual) - alpha) <= 1 &&
                            (alpha < 8 || std::abs(Luma(actual) - Luma(expected)) < 3))
                    << "state " << state << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace tarvik::test
