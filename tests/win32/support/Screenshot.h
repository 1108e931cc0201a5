#pragma once

// Pictures in the Windows tests: GDI+ started, pixels of images, and PNG files under
// build/screenshots for a person to look at.

#include <windows.h>

#include <cstdint>
#include <filesystem>

#include "core/graphics/GDIPGraphics.h"

namespace tarvik::test {

// Starts GDI+ once per process, with errors suppressed as the program runs.
void StartGdiPlus();

// The ARGB word of a pixel of any bitmap-backed image (a loaded PNG is one).
uint32_t PixelOf(const GDIPImage& image, int x, int y);
// build/screenshots, beside the Windows build's folder; made when missing.
std::filesystem::path ScreenshotFolder();
// Saves what the screen shows in the region as a PNG file.
bool SaveScreenshot(const std::filesystem::path& path, RECT region);

}  // namespace tarvik::test
