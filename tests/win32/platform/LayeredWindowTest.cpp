#include "win32/platform/LayeredWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/app/Trace.h"
#include "win32/app/SystemClock.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

LONG ExtendedStyle(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE);
}

DIBSECTION Dib(HBITMAP bitmap) {
    DIBSECTION dib{};
    GetObjectW(bitmap, sizeof dib, &dib);
    return dib;
}

// Fills rows [previous end, end) with the band's premultiplied 0xAARRGGBB colour.
void PaintBands(const LayeredWindowSurface& surface,
                std::initializer_list<std::pair<int, uint32_t>> bands) {
    const BITMAP bitmap = Dib(surface.mainBitmap).dsBm;
    auto* bits = static_cast<uint32_t*>(bitmap.bmBits);
    int y = 0;
    for (const auto& [end, colour] : bands) {
        for (; y < end; ++y) {
            uint32_t* row = bits + static_cast<size_t>(bitmap.bmHeight - 1 - y) * bitmap.bmWidth;
            std::fill(row, row + bitmap.bmWidth, colour);
        }
    }
}

COLORREF ScreenPixel(int x, int y) {
    const WindowDc screen(nullptr);
    return GetPixel(screen.Get(), x, y);
}

class LayeredWindowTest : public ::testing::Test {
  protected:
    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    LayeredWindow m_surfaces{m_trace};
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
    PaintBands(*surface, {{10, 0xFF2080C0}, {20, 0xFFC04010}, {30, 0x00000000}});
    surface->Update(window.Handle(), surface->theDC);
    PumpMessages(std::chrono::milliseconds(300));
    EXPECT_EQ(ScreenPixel(305, 205), RGB(0x20, 0x80, 0xC0));
    EXPECT_EQ(ScreenPixel(335, 215), RGB(0xC0, 0x40, 0x10));
    EXPECT_EQ(ScreenPixel(320, 225), RGB(0x30, 0x90, 0x30));

    // The picture may come from another DC.
    TestWindow elsewhere(0, 0, 40, 30, WS_POPUP);
    const auto source = m_surfaces.Create(elsewhere.Handle(), true, false);
    ASSERT_NE(source, nullptr);
    PaintBands(*source, {{30, 0xFF102030}});
    surface->Update(window.Handle(), surface->theDC, source->theDC);
    PumpMessages(std::chrono::milliseconds(300));
    EXPECT_EQ(ScreenPixel(320, 225), RGB(0x10, 0x20, 0x30));
}

TEST_F(LayeredWindowTest, ASurfaceIsAClientSizedDibOnALayeredWindowClickThroughOnlyWhenAsked) {
    struct Case {
        DWORD style;
        DWORD exStyle;
        bool clickThrough;
        bool clickThroughAfter;
    };
    const Case cases[] = {
        {WS_POPUP, WS_EX_TOOLWINDOW, false, false},
        {WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, false, true},
        {WS_POPUP, WS_EX_TOOLWINDOW, true, true},
        {WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, false, false},  // client smaller than the window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.style << " " << c.exStyle << " " << c.clickThrough);
        TestWindow window(40, 40, 200, 150, c.style, c.exStyle);
        for (int round = 0; round < 2; ++round) {
            if (round == 1) {  // resized: the new surface has the new size
                SetWindowPos(window.Handle(), nullptr, 0, 0, 90, 260, SWP_NOMOVE | SWP_NOZORDER);
            }
            RECT client{};
            GetClientRect(window.Handle(), &client);
            const auto surface = m_surfaces.Create(window.Handle(), true, c.clickThrough);
            ASSERT_NE(surface, nullptr);
            EXPECT_EQ(surface->GetSize().cx * 1000 + surface->GetSize().cy,
                      client.right * 1000 + client.bottom);
            const BITMAPINFOHEADER header = Dib(surface->mainBitmap).dsBmih;
            EXPECT_EQ(header.biWidth * 1000 + header.biHeight, client.right * 1000 + client.bottom);
            EXPECT_EQ(header.biBitCount, 32);
            EXPECT_EQ(GetCurrentObject(surface->DC(), OBJ_BITMAP), surface->mainBitmap);
        }
        const LONG after = ExtendedStyle(window.Handle());
        EXPECT_EQ(after & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), WS_EX_LAYERED | WS_EX_TOOLWINDOW);
        EXPECT_EQ((after & WS_EX_TRANSPARENT) != 0, c.clickThroughAfter);
    }
}

TEST_F(LayeredWindowTest, RecreatingReplacesTheSurfaceAndWithoutRecreateItComesBack) {
    TestWindow window(20, 20, 30, 20, WS_POPUP);
    const auto first = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(first, nullptr);
    const HDC firstDc = first->DC();
    const HBITMAP firstBitmap = first->mainBitmap;
    const auto second = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(first->Released());
    EXPECT_EQ(GetObjectType(firstDc) + GetObjectType(firstBitmap), 0u);
    EXPECT_EQ(m_surfaces.Registered(window.Handle()), second);

    // The same surface, and the window layered again; click-through is left as it was.
    SetWindowLongW(window.Handle(), GWL_EXSTYLE, ExtendedStyle(window.Handle()) & ~WS_EX_LAYERED);
    EXPECT_EQ(m_surfaces.Create(window.Handle(), false, true), second);
    EXPECT_EQ(ExtendedStyle(window.Handle()) & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED);
    EXPECT_EQ(m_surfaces.Count(), 1u);

    // A second release leaves alone new objects that reuse the freed handle values.
    const UniqueMemoryDc newDc(CreateCompatibleDC(nullptr));
    const UniqueBitmap newBitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    first->Release();
    EXPECT_EQ(GetObjectType(newDc.Get()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(newBitmap.Get()), static_cast<DWORD>(OBJ_BITMAP));
}

TEST_F(LayeredWindowTest, AGoneWindowIsForgottenAndItsHandleValueStartsWithoutASurface) {
    TestWindow window(20, 20, 30, 20, WS_POPUP);
    window.onGone = [&] { m_surfaces.Forget(window.Handle()); };
    TestWindow other(60, 20, 30, 20, WS_POPUP);
    const HWND gone = window.Handle();
    const auto surface = m_surfaces.Create(gone, true, false);
    ASSERT_NE(m_surfaces.Create(other.Handle(), false, false), nullptr);
    const HDC dc = surface->DC();
    window.Destroy();

    EXPECT_EQ(m_surfaces.Registered(gone), nullptr);
    EXPECT_EQ(m_surfaces.Count(), 1u);
    EXPECT_TRUE(surface->Released());
    EXPECT_EQ(GetObjectType(dc), 0u);
    // Whatever window bears that handle value next gets a surface of its own, not the old one.
    EXPECT_EQ(m_surfaces.Create(gone, false, false), nullptr);
    m_surfaces.Forget(gone);
    EXPECT_NE(m_surfaces.Registered(other.Handle()), nullptr);
}

TEST_F(LayeredWindowTest, AWindowWithoutAreaGetsNoSurfaceAndEachAttemptOneLogLine) {
    TestWindow window(20, 20, 0, 0, WS_POPUP);
    EXPECT_EQ(m_surfaces.Create(window.Handle(), true, false), nullptr);
    EXPECT_EQ(m_surfaces.Create(window.Handle(), false, false), nullptr);
    EXPECT_EQ(m_surfaces.Count(), 0u);
    const std::string line = R"(,0,"LayeredWindowSupport","Create","CreateDIBSection failed")"
                             "\r\n";
    std::string log = ReadFile(m_folder.Path() / "errors.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_TRUE(log.ends_with(line) && log.find(line) < log.size() - line.size()) << log;
}

TEST(LayeredWindowKey, IsTheSignedDecimalHandle) {
    for (const auto& [handle, key] : {std::pair<intptr_t, const char*>{66, "66_hwnd"},
                                      {0x7FFFFFFF, "2147483647_hwnd"},
                                      {-16, "-16_hwnd"}}) {
        EXPECT_EQ(LayeredWindow::Key(reinterpret_cast<HWND>(handle)), key);
    }
}

}  // namespace
}  // namespace tarvik::test
