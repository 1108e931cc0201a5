#include "win32/platform/LayeredWindowSurface.h"

namespace tarvik {

void LayeredWindowSurface::Update(HWND window, HDC destinationDC, HDC sourceDC) {
    // A released surface has nothing to show; its old handle values may already name other
    // objects, so they are not handed to the system.
    if (m_released) return;
    UpdateLayeredWindow(window, destinationDC, nullptr, &m_size, sourceDC ? sourceDC : theDC,
                        &m_point, 0, &m_blend, ULW_ALPHA);
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
