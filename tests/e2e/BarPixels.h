#pragma once

// Where the right-hand widget buttons of the real bar are, found from its pixels.

#include <windows.h>

#include "win32/support/Screenshot.h"

namespace tarvik::test {

// The default theme: the bar's visible part is 23 pixels of a 36-pixel window; buttons are at
// least 50 wide, 8 from either end, 2 apart, their content 4 in; the start button comes first.
constexpr int kBarHeight = 36, kVisibleBar = 23, kStartCentre = 8 + 25;

inline int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

// The x where the clock's text starts: the last run of dark columns of the bar's right part,
// runs merged across gaps narrower than 15 pixels (the spaces inside the text).
inline int ClockTextLeft(const wchar_t* pictureName) {
    const int from = ScreenWidth() - 400;
    const auto picture = ScreenshotFolder() / pictureName;
    SaveScreenshot(picture, RECT{from, 2, ScreenWidth(), kVisibleBar - 2});
    const GDIPImage bar = GDIPImage::FromFile(picture.string());
    int runLeft = -1, lastDark = -100;
    for (int x = 0; x < bar.width(); ++x) {
        for (int y = 0; y < bar.Height(); ++y) {
            const uint32_t p = PixelOf(bar, x, y);
            if (299 * (p >> 16 & 0xFF) + 587 * (p >> 8 & 0xFF) + 114 * (p & 0xFF) >= 60000)
                continue;
            if (x - lastDark >= 15) runLeft = x;
            lastDark = x;
            break;
        }
    }
    return runLeft < 0 ? -1 : from + runLeft;
}

}  // namespace tarvik::test
