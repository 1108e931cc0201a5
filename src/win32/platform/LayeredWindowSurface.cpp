#include "win32/platform/LayeredWindowSurface.h"

namespace tarvik {

void LayeredWindowSurface::Update(HWND window, HDC destinationDC, HDC sourceDC, const RECT* dirty) {
    // A released surface has nothing to show; its old handle values may already name other
    // objects, so they are not handed to the system.
    if (m_released) return;
    if (!dirty) {
        UpdateLayeredWindow(window, destinationDC, nullptr, &m_size, sourceDC ? sourceDC : theDC,
                            &m_point, 0, &m_blend, ULW_ALPHA);
        return;
    }
    UPDATELAYEREDWINDOWINFO info{};
    info.cbSize = sizeof info;
    info.hdcDst = destinationDC;
    info.psize = &m_size;
    info.hdcSrc = sourceDC ? sourceDC : theDC;
    info.pptSrc = &m_point;
    info.pblend = &m_blend;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = dirty;
    UpdateLayeredWindowIndirect(window, &info);
}

void LayeredWindowSurface::Release() {
    if (m_released) return;
    m_released = true;
    if (theDC && oldBitmap) SelectObject(theDC, oldBitmap);
    if (mainBitmap) DeleteObject(mainBitmap);
    if (theDC) DeleteDC(theDC);
    // Dead handles are not kept: drawing into a stale value could reach a recycled object.
    theDC = nullptr;
    oldBitmap = nullptr;
    mainBitmap = nullptr;
}

}  // namespace tarvik
