#include "ScreenReading.h"

#include "win32/support/PointerInput.h"

namespace tarvik::test {

std::vector<TextRun> DarkRuns(int x0, int x1, int y0, int y1, int minGap, int threshold) {
    const int width = x1 - x0;
    const int height = y1 - y0;
    std::vector<bool> dark(static_cast<size_t>(width), false);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, x0, y0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < height && pixels; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[y * width + x];
            const int luma =
                (299 * ((p >> 16) & 0xFF) + 587 * ((p >> 8) & 0xFF) + 114 * (p & 0xFF)) / 1000;
            if (luma < threshold) dark[static_cast<size_t>(x)] = true;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    std::vector<TextRun> runs;
    for (int x = 0; x < width; ++x) {
        if (!dark[static_cast<size_t>(x)]) continue;
        if (!runs.empty() && x0 + x - runs.back().right < minGap) {
            runs.back().right = x0 + x + 1;
        } else {
            runs.push_back(TextRun{x0 + x, x0 + x + 1});
        }
    }
    return runs;
}

void Click(int x, int y, bool right) {
    MovePointer(x, y);
    ClickPointer(right);
}

}  // namespace tarvik::test
