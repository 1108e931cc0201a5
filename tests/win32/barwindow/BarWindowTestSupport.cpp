#include "BarWindowTestSupport.h"

#include <algorithm>

namespace tarvik::test {

using namespace std::chrono_literals;

namespace {

struct WindowSearch {
    DWORD process;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window)) return TRUE;
    if (search.className != nullptr) {
        wchar_t name[128] = {};
        GetClassNameW(window, name, 128);
        if (std::wstring(name) != search.className) return TRUE;
    }
    search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD process, const wchar_t* className) {
    WindowSearch search{process, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::vector<HWND> OwnWindowsOfClass(const wchar_t* className) {
    return VisibleWindowsOf(GetCurrentProcessId(), className);
}

int SurfacePixels::CountDifferent(const RectI& area, uint32_t background) const {
    int count = 0;
    const int right = std::min(width, area.X + area.Width);
    const int bottom = std::min(height, area.Y + area.Height);
    for (int y = std::max(0, area.Y); y < bottom; ++y) {
        for (int x = std::max(0, area.X); x < right; ++x) {
            if (At(x, y) != background) ++count;
        }
    }
    return count;
}

SurfacePixels ReadSurface(const LayeredWindowSurface& surface) {
    SurfacePixels pixels;
    DIBSECTION section{};
    if (surface.mainBitmap == nullptr ||
        GetObjectW(surface.mainBitmap, sizeof section, &section) != sizeof section ||
        section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 32) {
        return pixels;
    }
    GdiFlush();
    pixels.width = section.dsBm.bmWidth;
    pixels.height = section.dsBm.bmHeight;
    pixels.argb.resize(static_cast<size_t>(pixels.width) * pixels.height);
    const auto* bits = static_cast<const uint32_t*>(section.dsBm.bmBits);
    const bool bottomUp = section.dsBmih.biHeight > 0;
    for (int y = 0; y < pixels.height; ++y) {
        const int row = bottomUp ? pixels.height - 1 - y : y;
        std::copy_n(bits + static_cast<size_t>(row) * pixels.width, pixels.width,
                    pixels.argb.begin() + static_cast<ptrdiff_t>(y) * pixels.width);
    }
    return pixels;
}

void SendMouse(HWND window, UINT message, int x, int y) {
    const WPARAM keys = message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
    SendMessageW(window, message, keys, MAKELPARAM(x, y));
}

}  // namespace tarvik::test
