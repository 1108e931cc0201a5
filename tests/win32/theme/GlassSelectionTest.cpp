// The rounded selection the skins are pressed on, through real GDI+.
#include <gtest/gtest.h>

#include "core/graphics/GDIPBitmap.h"
#include "core/theme/GlassStyle.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

TEST(GlassSelection, HasRoundCorners) {
    StartGdiPlus();
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
