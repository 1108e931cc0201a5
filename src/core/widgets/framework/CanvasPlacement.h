#pragma once

#include <cstdint>

namespace tarvik {

// Where a widget's canvas window goes across the screen, and its size.
struct CanvasPlacement {
    int64_t left = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const CanvasPlacement&) const = default;
};

// A canvas asks for its size; it gets at least one pixel each way, centred on the anchor's x
// (half the width, truncated) and moved left to end at the right edge of a screen screenWidth
// pixels wide. No other edge is checked.
CanvasPlacement PlaceCanvas(int32_t anchorX, int32_t width, int32_t height, int32_t screenWidth);

}  // namespace tarvik
