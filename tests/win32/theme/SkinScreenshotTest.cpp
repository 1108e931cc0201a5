// Every default skin in its states on a strip of bar, at 100 % and 150 %, drawn with real GDI+
// from the shipped images and saved as build/screenshots/skins.png for a person to look at.
#include <gtest/gtest.h>

#include <string>

#include "core/app/CommandLine.h"
#include "core/bar/Dpi.h"
#include "core/support/Fakes.h"
#include "core/theme/GlassStyle.h"
#include "core/theme/Skin.h"
#include "core/theme/SkinButton.h"
#include "core/theme/Theme.h"
#include "win32/support/Screenshot.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

TEST(SkinScreenshot, EveryDefaultSkinShowsInEveryState) {
    const auto& skins = Theme::kSkinNames;
    StartGdiPlus();
    GDIPBitmap shot = GDIPBitmap::CreateFromSizeFormat(2 * 3 * 80, 11 * 40);
    GDIPGraphics graphics;
    graphics.FromImage(shot.Image());
    graphics.ApplySurfaceSettings();
    graphics.Clear(0xFFC8D4E0);  // the bar over a light desktop
    FakeEnvironment switches;
    switches.arguments = "ScaleOverride:150";
    Dpi scales[2];
    scales[1].Start(96, CommandLine(switches).Read());
    for (int row = 0; row < 11; ++row) {
        const std::u8string file =
            (TestProgramFolder() / "resources" / (std::string(skins[row]) + ".png")).u8string();
        for (int scale = 0; scale < 2; ++scale) {
            const Dpi& dpi = scales[scale];
            SkinButton skin;
            ReadSkinFrames(GDIPImage::FromFile(std::string(file.begin(), file.end())),
                           "normal hover pressed", dpi, skin);
            ASSERT_FALSE(skin.IsEmpty()) << skins[row] << " at " << dpi.DrawScale();
            for (int state = kButtonStateNormal; state <= kButtonStatePressed; ++state) {
                // A widget's least width on a bar of 23 visible pixels; pressed on the selection.
                const RectI button{(scale * 3 + state - 1) * 80 + 10, row * 40 + 4, dpi.Scale(50),
                                   dpi.Scale(23)};
                const GlassStyle glass;
                if (state == kButtonStatePressed) glass.PaintSelection(&graphics, button);
                const GDIPImage& frame = *skin.frame(state);
                skin.Draw(state, &graphics,
                          {button.X + (button.Width - frame.width()) / 2,
                           button.Y + (button.Height - frame.Height()) / 2, frame.width(),
                           frame.Height()});
                if (state != kButtonStatePressed) continue;
                // The selection fills its rectangle but for the rounded corners.
                EXPECT_EQ(shot.GetPixel(button.X + 1, button.Y + 4), glass.Selection);
                EXPECT_NE(shot.GetPixel(button.X, button.Y), glass.Selection);
            }
        }
    }
    EXPECT_TRUE(SavePng(shot.Image(), ScreenshotFolder() / "skins.png"));
}

}  // namespace
}  // namespace tarvik::test
