#include "win32/platform/LayeredWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "win32/platform/UniqueHandle.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

LONG ExtendedStyle(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE);
}

BITMAP Bitmap(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return info;
}

COLORREF ScreenPixel(int x, int y) {
    const WindowDc screen(nullptr);
    return GetPixel(screen.Get(), x, y);
}

class LayeredWindowTest : public ::testing::Test {
  protected:
    TestLog m_log;
    LayeredWindow m_surfaces{m_log.trace};
};

TEST_F(LayeredWindowTest, APaintedSurfaceShowsOnScreenOverWhatIsBehind) {
    // An opaque green window behind; pixels of alpha 0 let it through.
    const UniqueHandle<HGDIOBJ, GdiObjectDeleter> green(CreateSolidBrush(RGB(0x30, 0x90, 0x30)));
    TestWindow behind(280, 180, 80, 70, WS_POPUP);
    behind.answer = [&](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_ERASEBKGND) return std::nullopt;
        RECT all{0, 0, 80, 70};
        return FillRect(reinterpret_cast<HDC>(wParam), &all, static_cast<HBRUSH>(green.Get()));
    };
    ShowWindow(behind.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(behind.Handle());
    TestWindow window(300, 200, 40, 30, WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    const auto surface = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(surface, nullptr);
    // Rows top to bottom, premultiplied: blue, orange, transparent (the DIB is bottom-up).
    const BITMAP bitmap = Bitmap(surface->mainBitmap);
    auto* bits = static_cast<uint32_t*>(bitmap.bmBits);
    for (int y = 0; y < 30; ++y) {
        const uint32_t colour = y < 10 ? 0xFF2080C0 : y < 20 ? 0xFFC04010 : 0;
        std::fill_n(bits + (29 - y) * bitmap.bmWidth, bitmap.bmWidth, colour);
    }
    EXPECT_EQ(ExtendedStyle(window.Handle()) & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED);
    surface->Update(window.Handle(), surface->theDC);
    PumpMessages(std::chrono::milliseconds(300));
    EXPECT_EQ(ScreenPixel(305, 205), RGB(0x20, 0x80, 0xC0));
    EXPECT_EQ(ScreenPixel(335, 215), RGB(0xC0, 0x40, 0x10));
    EXPECT_EQ(ScreenPixel(320, 225), RGB(0x30, 0x90, 0x30));
}

TEST_F(LayeredWindowTest, ASurfaceHasTheClientSizeIsReplacedOnlyWhenRecreatedAndNeedsAnArea) {
    // The client area is smaller than the window; a window that is already click-through stays so.
    TestWindow window(40, 40, 200, 150, WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT);
    const auto first = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(first, nullptr);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    const BITMAP bitmap = Bitmap(first->mainBitmap);
    EXPECT_EQ(bitmap.bmWidth * 1000 + bitmap.bmHeight, client.right * 1000 + client.bottom);
    EXPECT_EQ(first->GetSize().cx * 1000 + first->GetSize().cy,
              client.right * 1000 + client.bottom);
    const LONG kLayeredClickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;
    EXPECT_EQ(ExtendedStyle(window.Handle()) & kLayeredClickThrough, kLayeredClickThrough);

    // Resized and recreated: the old surface's objects are deleted, the new one has the new size.
    SetWindowPos(window.Handle(), nullptr, 0, 0, 90, 260, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(window.Handle(), &client);
    const HDC firstDc = first->DC();
    const HBITMAP firstBitmap = first->mainBitmap;
    const auto second = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(first->Released());
    EXPECT_EQ(GetObjectType(firstDc) + GetObjectType(firstBitmap), 0u);
    EXPECT_EQ(second->GetSize().cx * 1000 + second->GetSize().cy,
              client.right * 1000 + client.bottom);

    // Without recreate the same surface comes back and the window is layered again.
    SetWindowLongW(window.Handle(), GWL_EXSTYLE, ExtendedStyle(window.Handle()) & ~WS_EX_LAYERED);
    EXPECT_EQ(m_surfaces.Create(window.Handle(), false, true), second);
    EXPECT_EQ(ExtendedStyle(window.Handle()) & WS_EX_LAYERED, WS_EX_LAYERED);
    EXPECT_EQ(m_surfaces.Count(), 1u);

    // A second release leaves alone new objects that reuse the freed handle values.
    const UniqueMemoryDc newDc(CreateCompatibleDC(nullptr));
    const UniqueBitmap newBitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    first->Release();
    EXPECT_EQ(GetObjectType(newDc.Get()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(newBitmap.Get()), static_cast<DWORD>(OBJ_BITMAP));

    // A window without area gets no surface, nothing is kept, and each attempt is logged.
    TestWindow empty(20, 20, 0, 0, WS_POPUP);
    EXPECT_EQ(m_surfaces.Create(empty.Handle(), true, true), nullptr);
    EXPECT_EQ(m_surfaces.Create(empty.Handle(), false, true), nullptr);
    EXPECT_EQ(m_surfaces.Count(), 1u);
    const std::string line = R"(,0,"LayeredWindowSupport","Create","CreateDIBSection failed")";
    const std::string log = m_log.Text();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_TRUE(log.ends_with(line + "\r\n") && log.find(line) < log.rfind(line)) << log;
}

}  // namespace
}  // namespace tarvik::test
