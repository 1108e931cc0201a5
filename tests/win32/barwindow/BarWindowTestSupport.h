#pragma once

// What the bar window's tests share: the program's own windows, real pointer input, and the
// bar's own pixels.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/graphics/GraphicsTypes.h"
#include "win32/platform/LayeredWindowSurface.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/support/PointerInput.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

// The visible top-level windows of this process of a window class.
std::vector<HWND> OwnWindowsOfClass(const wchar_t* className);

// A copy of a layered window's surface, one ARGB word (premultiplied) per pixel, top row first.
struct SurfacePixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
    // Pixels of the rectangle (clipped to the surface) that differ from the colour given.
    int CountDifferent(const RectI& area, uint32_t background) const;
};
SurfacePixels ReadSurface(const LayeredWindowSurface& surface);

// Sends the bar a mouse message at a point of its client area, as Windows would.
void SendMouse(HWND window, UINT message, int x, int y);

}  // namespace tarvik::test
