#pragma once

// Helpers of the theme's pixel tests: real GDI+ surfaces, pixels of any image, the skin images
// beside the test program, and drawing scales.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/CommandLine.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/graphics/GDIPlus.h"
#include "win32/graphics/GdiPlusNative.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

// Starts the 2D library (once per process) as the program does, with errors suppressed.
class ThemePixelTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(GDIPlusCreate(true)); }
};

// A cleared 32-bit ARGB bitmap with a surface bound to it and the program's render settings.
struct PixelCanvas {
    PixelCanvas(int width, int height)
        : bitmap(GDIPBitmap::CreateFromSizeFormat(width, height, kPixelFormat32bppARGB)) {
        graphics.FromImage(bitmap);
        graphics.ApplySurfaceSettings();
        graphics.Clear();
    }
    GDIPBitmap bitmap;
    GDIPGraphics graphics;
};

// The ARGB word of a pixel of any bitmap-backed image (a loaded PNG is one).
inline uint32_t PixelOf(const GDIPImage& image, int x, int y) {
    Gdiplus::ARGB argb = 0;
    gdip::flat::GdipBitmapGetPixel(gdip::Native<Gdiplus::GpBitmap>(image.NativeHandle()), x, y,
                                   &argb);
    return argb;
}

// The skin images: copied beside the program by the build, else the repository's own.
inline std::filesystem::path ResourcesFolder() {
    const std::filesystem::path beside = TestProgramFolder() / "resources";
    if (std::filesystem::exists(beside / "start.png")) return beside;
    return TestProgramFolder().parent_path().parent_path() / "resources";
}

// A skin image of the program, loaded from its file.
inline GDIPImage LoadSkinImage(std::string_view name) {
    const std::u8string utf8 = (ResourcesFolder() / name).u8string();
    GDIPImage image = GDIPImage::FromFile(std::string(utf8.begin(), utf8.end()));
    EXPECT_TRUE(image.IsLoaded()) << name;
    return image;
}

// An environment that only sets the drawing scale override (a percentage such as "150").
class ScaleEnvironment final : public IEnvironment {
  public:
    explicit ScaleEnvironment(std::string percent) : m_percent(std::move(percent)) {}
    std::string ArgumentText() const override { return {}; }
    std::optional<std::string> Variable(std::string_view name) const override {
        if (name == "TARVIK_SCALE") return m_percent;
        return std::nullopt;
    }

  private:
    std::string m_percent;
};

inline Dpi DrawingAt(const char* percent) {
    ScaleEnvironment environment(percent);
    CommandLine commandLine(environment);
    Dpi dpi;
    dpi.Start(96, commandLine);
    return dpi;
}

}  // namespace tarvik::test
