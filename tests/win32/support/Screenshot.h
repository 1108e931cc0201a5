#pragma once

#include <windows.h>

#include <filesystem>

#include "core/graphics/GDIPImage.h"

namespace tarvik::test {

// build/screenshots, beside the Windows build's folder; made when missing.
std::filesystem::path ScreenshotFolder();
// Saves an image as a PNG file.
bool SavePng(const GDIPImage& image, const std::filesystem::path& path);
// Saves what the screen shows in the region (the whole screen by default) as a PNG file.
bool SaveScreenshot(const std::filesystem::path& path, RECT region = {});

}  // namespace tarvik::test
