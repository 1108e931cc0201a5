// All default skins in their states on a piece of bar over a desktop, saved as
// build/screenshots/skins.png for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "ThemePixelSupport.h"
#include "core/theme/GlassStyle.h"
#include "core/theme/Skin.h"
#include "core/theme/SkinButton.h"

namespace tarvik::test {
namespace {

using SkinScreenshot = ThemePixelTest;

constexpr std::array kSkins{"start",        "tray", "clipboard", "timer",   "spotlight", "volume",
                            "volume-muted", "news", "app",       "weather", "stats"};
constexpr std::array kStates{kButtonStateNormal, kButtonStateHover, kButtonStatePressed};
constexpr uint32_t kBarTint = 0x6EFFFFFF;
constexpr int kMargin = 12;
constexpr int kSectionGap = 24;
constexpr int kRowPitch = 44;
constexpr int kVisibleBar = 23;   // bar height less its shadow strip
constexpr int kButtonWidth = 50;  // a widget's least width
constexpr int kButtonGap = 2;

// One drawing scale: its skins and where its buttons go.
struct Section {
    Dpi dpi;
    int left = 0;
    std::vector<SkinButton> skins;
    int ButtonWidth() const { return dpi.Scale(kButtonWidth); }
    int Gap() const { return dpi.Scale(kButtonGap); }
    int BarHeight() const { return dpi.Scale(kVisibleBar); }
    int Width() const { return 3 * ButtonWidth() + 2 * Gap(); }
    int BarTop(int row) const { return kMargin + row * kRowPitch + (kRowPitch - BarHeight()) / 2; }
    RectI Button(int row, int column) const {
        return {left + column * (ButtonWidth() + Gap()), BarTop(row), ButtonWidth(), BarHeight()};
    }
};

// A wallpaper of blues and violets with two soft discs, like a desktop behind the bar.
void PaintDesktop(GDIPGraphics& graphics, int width, int height) {
    for (int x = 0; x < width; ++x) {
        const float t = static_cast<float>(x) / static_cast<float>(width);
        const auto mix = [t](int from, int to) {
            return static_cast<uint8_t>(static_cast<float>(from) +
                                        (static_cast<float>(to) - static_cast<float>(from)) * t);
        };
        graphics.FillRectangle(
            GDIPBrush::FromArgb(PackArgb(255, mix(0x2B, 0x6A), mix(0x58, 0x3F), mix(0x76, 0x8C))),
            RectF{static_cast<float>(x), 0, 1, static_cast<float>(height)});
    }
    for (const auto& [argb, x, y, d] :
         {std::tuple{0x70FF9F43u, 0.7f, 0.25f, 0.8f}, std::tuple{0x6043D8C9u, 0.1f, 0.8f, 0.9f}}) {
        GDIPGraphicPath disc(kFillModeWinding);
        disc.AddEllipse(x * width - d * height / 2, y * height - d * height / 2, d * height,
                        d * height);
        graphics.FillPath(GDIPBrush::FromArgb(argb), disc);
    }
}

// The bar strips with their buttons; a hot button shows the selection and the pressed-state
// frame, as the bar draws it under the mouse. Without icons for the comparison picture.
void PaintBars(GDIPGraphics& graphics, const std::vector<Section>& sections, bool icons) {
    for (const Section& section : sections) {
        GlassStyle glass;
        glass.SelectionRadius = section.dpi.Scale(glass.SelectionRadius);
        for (size_t row = 0; row < kSkins.size(); ++row) {
            const RectI first = section.Button(static_cast<int>(row), 0);
            graphics.FillRectangle(
                GDIPBrush::FromArgb(kBarTint),
                RectF{static_cast<float>(section.left - kMargin / 2), static_cast<float>(first.Y),
                      static_cast<float>(section.Width() + kMargin),
                      static_cast<float>(first.Height)});
            for (size_t column = 0; column < kStates.size(); ++column) {
                const RectI button =
                    section.Button(static_cast<int>(row), static_cast<int>(column));
                const int32_t state = kStates[column];
                if (state == kButtonStatePressed) glass.PaintSelection(&graphics, button);
                const SkinButton& skin = section.skins[row];
                const GDIPImage* frame = skin.frame(state);
                if (!icons || frame == nullptr) continue;
                skin.Draw(state, &graphics,
                          {button.X + (button.Width - frame->width()) / 2,
                           button.Y + (button.Height - frame->Height()) / 2, frame->width(),
                           frame->Height()});
            }
        }
    }
}

int Luma(uint32_t argb) {
    return (299 * ArgbRed(argb) + 587 * ArgbGreen(argb) + 114 * ArgbBlue(argb)) / 1000;
}

bool SavePng(GDIPImage& image, const std::filesystem::path& path) {
    // The PNG encoder of GDI+.
    const CLSID png{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    return gdip::flat::GdipSaveImageToFile(gdip::Native<Gdiplus::GpImage>(image.NativeHandle()),
                                           path.wstring().c_str(), &png, nullptr) == Gdiplus::Ok;
}

TEST_F(SkinScreenshot, EveryDefaultSkinShowsInEveryStateAtBothScales) {
    std::vector<Section> sections;
    int left = kMargin;
    for (const char* percent : {"100", "150"}) {
        Section section{DrawingAt(percent), left, {}};
        for (const char* name : kSkins) {
            section.skins.emplace_back();
            ReadSkinFrames(LoadSkinImage(std::string(name) + ".png"), "normal hover pressed",
                           section.dpi, section.skins.back());
            EXPECT_FALSE(section.skins.back().IsEmpty()) << name;
        }
        left += section.Width() + kSectionGap;
        sections.push_back(std::move(section));
    }
    const int width = left - kSectionGap + kMargin;
    const int height = 2 * kMargin + static_cast<int>(kSkins.size()) * kRowPitch;

    PixelCanvas shot(width, height);
    PixelCanvas bare(width, height);
    for (PixelCanvas* canvas : {&shot, &bare}) {
        PaintDesktop(canvas->graphics, width, height);
        PaintBars(canvas->graphics, sections, canvas == &shot);
    }

    const std::filesystem::path folder = TestProgramFolder().parent_path() / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(SavePng(shot.bitmap.Image(), folder / "skins.png")) << folder;

    // Each button shows its icon: dark strokes on the bar, light ones on the selection.
    for (const Section& section : sections) {
        for (size_t row = 0; row < kSkins.size(); ++row) {
            for (size_t column = 0; column < kStates.size(); ++column) {
                const RectI button =
                    section.Button(static_cast<int>(row), static_cast<int>(column));
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
}

}  // namespace
}  // namespace tarvik::test
