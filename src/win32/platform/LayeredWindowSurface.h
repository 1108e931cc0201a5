#pragma once

#include <windows.h>

namespace tarvik {

// The off-screen picture of a per-pixel-alpha window: a 32-bit DIB with premultiplied alpha,
// selected into a memory DC. A frame is drawn into the DC and pushed to the window in one piece.
// LayeredWindow::Create fills the handles; the surface frees them once.
class LayeredWindowSurface {
  public:
    LayeredWindowSurface() = default;
    LayeredWindowSurface(const LayeredWindowSurface&) = delete;
    LayeredWindowSurface& operator=(const LayeredWindowSurface&) = delete;
    ~LayeredWindowSurface() { Release(); }

    // The memory DC that holds the DIB; all drawing goes here.
    HDC theDC = nullptr;
    // Whatever was selected into theDC before the DIB; put back on release.
    HGDIOBJ oldBitmap = nullptr;
    // The DIB section.
    HBITMAP mainBitmap = nullptr;

    HDC DC() const { return theDC; }

    // Shows the picture in the window, which keeps its position. A null sourceDC means theDC.
    // With a dirty rectangle (surface pixels) only that part of the window is replaced; the rest
    // keeps what it showed.
    void Update(HWND window, HDC destinationDC, HDC sourceDC = nullptr,
                const RECT* dirty = nullptr);

    void SetSize(SIZE size) { m_size = size; }
    SIZE GetSize() const { return m_size; }
    void SetPoint(POINT point) { m_point = point; }
    POINT GetPoint() const { return m_point; }

    // Frees the DC and the DIB the first time; later calls do nothing.
    void Release();
    bool Released() const { return m_released; }

  private:
    SIZE m_size{};
    POINT m_point{};
    bool m_released = false;
    BLENDFUNCTION m_blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
};

}  // namespace tarvik
