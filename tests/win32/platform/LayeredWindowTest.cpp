#include "win32/platform/LayeredWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <regex>
#include <string>

#include "win32/platform/UniqueHandle.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

BITMAP Bitmap(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return info;
}

TEST(LayeredWindow, ASurfaceOfTheClientSizeShowsOnScreenAndIsReplacedOnlyWhenRecreated) {
    TestLog log;
    LayeredWindow surfaces(log.trace);
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
    const auto surface = surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(surface, nullptr);
    // Rows top to bottom, premultiplied: blue, orange, transparent (the DIB is bottom-up).
    const BITMAP bitmap = Bitmap(surface->mainBitmap);
    auto* bits = static_cast<uint32_t*>(bitmap.bmBits);
    for (int y = 0; y < 30; ++y) {
        const uint32_t colour = y < 10 ? 0xFF2080C0 : y < 20 ? 0xFFC04010 : 0;
        std::fill_n(bits + (29 - y) * bitmap.bmWidth, bitmap.bmWidth, colour);
    }
    surface->Update(window.Handle(), surface->theDC);
    PumpMessages(std::chrono::milliseconds(300));
    const WindowDc screen(nullptr);
    EXPECT_EQ(GetPixel(screen.Get(), 305, 205), RGB(0x20, 0x80, 0xC0));
    EXPECT_EQ(GetPixel(screen.Get(), 335, 215), RGB(0xC0, 0x40, 0x10));
    EXPECT_EQ(GetPixel(screen.Get(), 320, 225), RGB(0x30, 0x90, 0x30));

    // A framed window, whose client area is smaller than the window (one more surface kept).
    TestWindow framed(40, 40, 200, 150, WS_OVERLAPPEDWINDOW);
    const auto first = surfaces.Create(framed.Handle(), true, false);
    ASSERT_NE(first, nullptr);
    RECT client{};
    GetClientRect(framed.Handle(), &client);
    const BITMAP framedBitmap = Bitmap(first->mainBitmap);
    EXPECT_EQ(std::pair(framedBitmap.bmWidth, framedBitmap.bmHeight),
              std::pair(client.right, client.bottom));

    // Recreated: the old surface's objects are deleted. Without recreate the same one comes back.
    const HDC firstDc = first->DC();
    const HBITMAP firstBitmap = first->mainBitmap;
    const auto second = surfaces.Create(framed.Handle(), true, false);
    EXPECT_TRUE(first->Released());
    EXPECT_EQ(GetObjectType(firstDc) + GetObjectType(firstBitmap), 0u);
    EXPECT_EQ(surfaces.Create(framed.Handle(), false, true), second);
    EXPECT_EQ(surfaces.Count(), 2u);

    // A second release leaves alone new objects that reuse the freed handle values.
    const UniqueMemoryDc newDc(CreateCompatibleDC(nullptr));
    const UniqueBitmap newBitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    first->Release();
    EXPECT_EQ(GetObjectType(newDc.Get()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(newBitmap.Get()), static_cast<DWORD>(OBJ_BITMAP));

    // A window without area gets no surface, nothing is kept, and each attempt is logged.
    TestWindow empty(20, 20, 0, 0, WS_POPUP);
    EXPECT_EQ(surfaces.Create(empty.Handle(), true, true), nullptr);
    EXPECT_EQ(surfaces.Create(empty.Handle(), false, true), nullptr);
    EXPECT_EQ(surfaces.Count(), 2u);
    const std::string line = R"(,0,"LayeredWindowSupport","Create","CreateDIBSection failed")";
    EXPECT_EQ(std::regex_replace(log.Text(), std::regex("#[^#]*#"), ""),
              line + "\r\n" + line + "\r\n");
}

}  // namespace
}  // namespace tarvik::test
