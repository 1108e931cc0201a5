#pragma once

#include <cstdint>

namespace tarvik {

// The screen's twips per pixel (1440 / logical DPI), horizontally and vertically.
struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;
};

// From the screen's logical DPI; 15 (96 DPI) for an axis whose DPI is not positive.
TwipsPerPixel TwipsPerPixelFromDpi(int32_t dpiX, int32_t dpiY);

// A position on the screen in pixels, not yet rounded.
struct ScreenPoint {
    double x = 0;
    double y = 0;
};

// A drop-down window's client size in pixels.
struct ListSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const ListSize&) const = default;
};

// Where a drop-down window goes, in screen pixels.
struct ListPlacement {
    int32_t left = 0;
    int32_t top = 0;
    bool operator==(const ListPlacement&) const = default;
};

// Where a drop-down of the given size lands when asked to open at `at`. The menus have always
// positioned their windows in twips: the left edge rounds to a whole pixel, the top rounds to a
// whole twip and then to a whole pixel. A window that would run past the right edge of a screen
// screenWidth pixels wide is moved left to end exactly at that edge; no other edge is checked.
ListPlacement PlaceDropDown(ScreenPoint at, ListSize size, int32_t screenWidth,
                            TwipsPerPixel twipsPerPixel);

}  // namespace tarvik
