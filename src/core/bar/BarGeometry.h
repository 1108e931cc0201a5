#pragma once

#include <cstdint>

#include "core/graphics/GraphicsTypes.h"
#include "core/theme/ThemeLayout.h"

namespace tarvik {

// The bar's hit test: a point on any edge is outside.
constexpr bool StrictlyInside(const RectI& r, int32_t x, int32_t y) {
    return x > r.X && x < r.X + r.Width && y > r.Y && y < r.Y + r.Height;
}

// The bar window: across the primary screen, the offset below its top, shadow strip included.
RectI BarWindowRect(int32_t screenWidth, int32_t barTopOffset, const ThemeLayout& layout);

// The painted part of the bar above its shadow strip (never negative).
int32_t VisibleBarHeight(const ThemeLayout& layout);

// The menu strip's bounds between the widgets at both ends of the bar.
RectI MenuStripBounds(int32_t stripLeft, int32_t stripRight, int32_t clientHeight,
                      const ThemeLayout& layout);

// A point of a mouse message: two signed 16-bit numbers packed in the message's lParam.
struct MousePoint {
    int16_t x = 0;
    int16_t y = 0;
};
constexpr MousePoint MousePointOf(uint32_t packed) {
    return MousePoint{static_cast<int16_t>(packed & 0xFFFF),
                      static_cast<int16_t>((packed >> 16) & 0xFFFF)};
}

}  // namespace tarvik
