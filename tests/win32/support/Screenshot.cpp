#include "win32/support/Screenshot.h"

#include <algorithm>

#include "core/graphics/GDIPlus.h"
#include "win32/graphics/GdiPlusNative.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

void StartGdiPlus() {
    static const bool started = GDIPlusCreate(true);
    (void)started;
}

uint32_t PixelOf(const GDIPImage& image, int x, int y) {
    Gdiplus::ARGB argb = 0;
    gdip::flat::GdipBitmapGetPixel(gdip::Native<Gdiplus::GpBitmap>(image.NativeHandle()), x, y,
                                   &argb);
    return argb;
}

std::filesystem::path ScreenshotFolder() {
    // The test programs live in build/windows.
    const std::filesystem::path folder = TestProgramFolder().parent_path() / L"screenshots";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

bool SaveScreenshot(const std::filesystem::path& path, RECT region) {
    // Wine copies nothing at all from a region that reaches past the screen.
    region.right = std::min<LONG>(region.right, GetSystemMetrics(SM_CXSCREEN));
    region.bottom = std::min<LONG>(region.bottom, GetSystemMetrics(SM_CYSCREEN));
    const int width = region.right - region.left;
    const int height = region.bottom - region.top;
    HDC screen = GetDC(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
    const HGDIOBJ old = SelectObject(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width, height, screen, region.left, region.top, SRCCOPY);
    SelectObject(memory.Get(), old);
    ReleaseDC(nullptr, screen);
    GDIPBitmap picture = GDIPBitmap::CreateFromHBITMAP(bitmap.Get());
    // The PNG encoder of GDI+.
    const CLSID png{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    return picture.width() == width &&
           gdip::flat::GdipSaveImageToFile(
               gdip::Native<Gdiplus::GpImage>(picture.Image().NativeHandle()),
               path.wstring().c_str(), &png, nullptr) == Gdiplus::Ok;
}

}  // namespace tarvik::test
