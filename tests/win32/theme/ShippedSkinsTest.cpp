// The shipped skin images through real GDI+, and the rounded selection they are pressed on.
#include <gtest/gtest.h>

#include <string>

#include "core/bar/Dpi.h"
#include "core/theme/GlassStyle.h"
#include "core/theme/Skin.h"
#include "core/theme/SkinButton.h"
#include "core/theme/Theme.h"
#include "win32/support/Screenshot.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

TEST(ShippedSkins, EveryDefaultSkinCutsIntoItsFramesAndTheSelectionHasRoundCorners) {
    StartGdiPlus();
    const Dpi dpi;
    for (const std::string_view name : Theme::kSkinNames) {
        const std::u8string file =
            (TestProgramFolder() / "resources" / (std::string(name) + ".png")).u8string();
        SkinButton skin;
        ReadSkinFrames(GDIPImage::FromFile(std::string(file.begin(), file.end())),
                       "normal hover pressed", dpi, skin);
        EXPECT_FALSE(skin.IsEmpty()) << name;
    }
    GDIPBitmap shot = GDIPBitmap::CreateFromSizeFormat(80, 40);
    GDIPGraphics graphics;
    graphics.FromImage(shot.Image());
    graphics.ApplySurfaceSettings();
    graphics.Clear(0xFFC8D4E0);
    const GlassStyle glass;
    glass.PaintSelection(&graphics, {10, 4, 50, 23});
    EXPECT_EQ(shot.GetPixel(11, 8), glass.Selection);
    EXPECT_NE(shot.GetPixel(10, 4), glass.Selection);
}

}  // namespace
}  // namespace tarvik::test
