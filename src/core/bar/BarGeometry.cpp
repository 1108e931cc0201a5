#include "core/bar/BarGeometry.h"

#include <algorithm>

namespace tarvik {

RectI BarWindowRect(int32_t screenWidth, int32_t barTopOffset, const ThemeLayout& layout) {
    return RectI{0, barTopOffset, screenWidth, layout.BarHeight};
}

int32_t VisibleBarHeight(const ThemeLayout& layout) {
    return std::max(layout.BarHeight - layout.BarShadow, 0);
}

RectI MenuStripBounds(int32_t stripLeft, int32_t stripRight, int32_t clientHeight,
                      const ThemeLayout& layout) {
    const int32_t left = std::max(stripLeft, layout.MenuLeft);
    const int32_t right = stripRight - layout.StatusGap;
    return RectI{left, 0, std::max(right - left, 0), clientHeight};
}

}  // namespace tarvik
