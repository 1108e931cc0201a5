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

using namespace std::chrono_literals;

LONG ExtendedStyle(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE);
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

DIBSECTION Dib(HBITMAP bitmap) {
    DIBSECTION dib{};
    EXPECT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    return dib;
}

// Fills the surface with horizontal bands: rows [previous end, end) get the band's colour.
// Colours are premultiplied 0xAARRGGBB words; the DIB stores its rows bottom-up.
struct Band {
    int endRow;
    uint32_t colour;
};

void PaintBands(const LayeredWindowSurface& surface, std::initializer_list<Band> bands) {
    const DIBSECTION dib = Dib(surface.mainBitmap);
    auto* bits = static_cast<uint32_t*>(dib.dsBm.bmBits);
    ASSERT_NE(bits, nullptr);
    const int width = dib.dsBm.bmWidth;
    const int height = dib.dsBm.bmHeight;
    int y = 0;
    for (const Band& band : bands) {
        for (; y < band.endRow && y < height; ++y) {
            uint32_t* row = bits + static_cast<size_t>(height - 1 - y) * width;
            std::fill(row, row + width, band.colour);
        }
    }
}

COLORREF ScreenPixel(int x, int y) {
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

class LayeredWindowTest : public ::testing::Test {
  protected:
    std::string Log() const { return ReadFile(m_folder.Path() / "errors.log"); }

    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    LayeredWindow m_surfaces{m_trace};
};

// An opaque window of one colour, painted by its class background brush.
class BackdropWindow {
  public:
    BackdropWindow(int x, int y, int width, int height, COLORREF colour)
        : m_brush(CreateSolidBrush(colour)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(m_brush.Get());
        wc.lpszClassName = L"TarvikBackdropTestWindow";
        RegisterClassExW(&wc);
        m_window.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"backdrop",
                                       WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr, nullptr,
                                       wc.hInstance, nullptr));
        UpdateWindow(m_window.Get());
    }
    ~BackdropWindow() {
        m_window.Reset();
        UnregisterClassW(L"TarvikBackdropTestWindow", GetModuleHandleW(nullptr));
    }

  private:
    UniqueHandle<HGDIOBJ, GdiObjectDeleter> m_brush;
    UniqueWindow m_window;
};

TEST_F(LayeredWindowTest, APaintedSurfaceShowsOnScreen) {
    // Opaque bands show their colours; pixels of alpha 0 let the backdrop through. The picture
    // can come from the surface's own DC or from another one.
    const COLORREF backdropColour = RGB(0x30, 0x90, 0x30);
    BackdropWindow backdrop(280, 180, 80, 70, backdropColour);
    TestWindow window(300, 200, 40, 30, WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    const auto surface = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(surface, nullptr);
    PaintBands(*surface, {{10, 0xFF2080C0}, {20, 0xFFC04010}, {30, 0x00000000}});
    surface->Update(window.Handle(), surface->theDC);
    PumpMessages(300ms);

    EXPECT_EQ(ScreenPixel(305, 205), RGB(0x20, 0x80, 0xC0));
    EXPECT_EQ(ScreenPixel(335, 215), RGB(0xC0, 0x40, 0x10));
    EXPECT_EQ(ScreenPixel(320, 225), backdropColour);
    EXPECT_EQ(ScreenPixel(290, 190), backdropColour);

    TestWindow elsewhere(0, 0, 40, 30, WS_POPUP);
    const auto source = m_surfaces.Create(elsewhere.Handle(), true, false);
    ASSERT_NE(source, nullptr);
    PaintBands(*source, {{30, 0xFF102030}});
    surface->Update(window.Handle(), surface->theDC, source->theDC);
    PumpMessages(300ms);
    EXPECT_EQ(ScreenPixel(305, 205), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(ScreenPixel(320, 225), RGB(0x10, 0x20, 0x30));
}

TEST_F(LayeredWindowTest, TheExtendedStyleBecomesLayeredAndClickThroughOnlyWhenAsked) {
    struct Case {
        bool clickThroughBefore;
        bool clickThrough;
        bool clickThroughAfter;
    };
    const Case cases[] = {
        {false, false, false},
        {true, false, true},
        {false, true, true},
        {true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.clickThroughBefore << " " << c.clickThrough);
        const DWORD before = WS_EX_TOOLWINDOW | (c.clickThroughBefore ? WS_EX_TRANSPARENT : 0);
        TestWindow window(20, 20, 30, 20, WS_POPUP, before);
        ASSERT_EQ(ExtendedStyle(window.Handle()) & WS_EX_LAYERED, 0);

        ASSERT_NE(m_surfaces.Create(window.Handle(), true, c.clickThrough), nullptr);
        const LONG after = ExtendedStyle(window.Handle());
        EXPECT_EQ(after & WS_EX_LAYERED, WS_EX_LAYERED);
        EXPECT_EQ((after & WS_EX_TRANSPARENT) != 0, c.clickThroughAfter);
        EXPECT_EQ(after & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    }
}

TEST_F(LayeredWindowTest, RecreatingReleasesTheOldSurfaceAndRegistersTheNewOne) {
    TestWindow window(20, 20, 30, 20, WS_POPUP);
    const auto first = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(first, nullptr);
    const HDC firstDc = first->DC();
    const HBITMAP firstBitmap = first->mainBitmap;
    EXPECT_EQ(GetObjectType(firstDc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(firstBitmap), static_cast<DWORD>(OBJ_BITMAP));

    const auto second = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_TRUE(first->Released());
    EXPECT_EQ(GetObjectType(firstDc), 0u);
    EXPECT_EQ(GetObjectType(firstBitmap), 0u);
    EXPECT_EQ(GetObjectType(second->DC()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(m_surfaces.Registered(window.Handle()), second);
    EXPECT_EQ(m_surfaces.Count(), 1u);
}

TEST_F(LayeredWindowTest, WithoutRecreateTheSameSurfaceComesBackAndTheWindowIsLayeredAgain) {
    TestWindow window(20, 20, 30, 20, WS_POPUP);
    const auto first = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(first, nullptr);
    const HDC dc = first->DC();
    SetWindowLongW(window.Handle(), GWL_EXSTYLE, ExtendedStyle(window.Handle()) & ~WS_EX_LAYERED);

    // Asking for click-through on this path does not touch that bit.
    const auto again = m_surfaces.Create(window.Handle(), false, true);
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->DC(), dc);
    EXPECT_FALSE(again->Released());
    EXPECT_EQ(ExtendedStyle(window.Handle()) & WS_EX_LAYERED, WS_EX_LAYERED);
    EXPECT_EQ(ExtendedStyle(window.Handle()) & WS_EX_TRANSPARENT, 0);
    EXPECT_EQ(m_surfaces.Count(), 1u);

    // With nothing registered yet, the same call makes a surface.
    TestWindow other(60, 20, 30, 20, WS_POPUP);
    const auto made = m_surfaces.Create(other.Handle(), false, false);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(m_surfaces.Registered(other.Handle()), made);
    EXPECT_EQ(m_surfaces.Count(), 2u);
}

TEST_F(LayeredWindowTest, ReleaseFreesTheHandlesOnce) {
    TestWindow window(20, 20, 30, 20, WS_POPUP);
    const auto surface = m_surfaces.Create(window.Handle(), true, false);
    ASSERT_NE(surface, nullptr);
    const HDC dc = surface->DC();
    const HBITMAP bitmap = surface->mainBitmap;

    surface->Release();
    EXPECT_TRUE(surface->Released());
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(GetObjectType(bitmap), 0u);

    // New objects may reuse the freed handle values; a second release must leave them alone.
    UniqueMemoryDc newDc(CreateCompatibleDC(nullptr));
    UniqueBitmap newBitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    surface->Release();
    surface->Update(window.Handle(), nullptr);
    EXPECT_EQ(GetObjectType(newDc.Get()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(newBitmap.Get()), static_cast<DWORD>(OBJ_BITMAP));
}

TEST_F(LayeredWindowTest, TheSurfaceHasTheClientSizeAsARightSideUp32BitDib) {
    // A framed window's client area is smaller than the window; a resized window gets a surface
    // of its new size.
    struct Case {
        DWORD style;
        int width;
        int height;
        int newWidth;
        int newHeight;
    };
    const Case cases[] = {
        {WS_POPUP, 120, 24, 300, 40},
        {WS_OVERLAPPEDWINDOW, 200, 150, 90, 260},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        TestWindow window(40, 40, c.width, c.height, c.style, 0);
        for (int round = 0; round < 2; ++round) {
            if (round == 1) {
                SetWindowPos(window.Handle(), nullptr, 0, 0, c.newWidth, c.newHeight,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            const SIZE client = ClientSize(window.Handle());
            ASSERT_GT(client.cx, 0);
            const auto surface = m_surfaces.Create(window.Handle(), true, false);
            ASSERT_NE(surface, nullptr);
            EXPECT_EQ(surface->GetSize().cx, client.cx);
            EXPECT_EQ(surface->GetSize().cy, client.cy);
            EXPECT_EQ(surface->GetPoint().x, 0);
            EXPECT_EQ(surface->GetPoint().y, 0);
            const DIBSECTION dib = Dib(surface->mainBitmap);
            EXPECT_EQ(dib.dsBmih.biWidth, client.cx);
            EXPECT_EQ(dib.dsBmih.biHeight, client.cy);
            EXPECT_EQ(dib.dsBmih.biBitCount, 32);
            EXPECT_EQ(dib.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
            EXPECT_EQ(GetCurrentObject(surface->DC(), OBJ_BITMAP), surface->mainBitmap);
        }
    }
}

TEST_F(LayeredWindowTest, AWindowWithoutAreaGetsNoSurfaceAndOneLogLine) {
    TestWindow window(20, 20, 0, 0, WS_POPUP);
    ASSERT_EQ(ClientSize(window.Handle()).cx, 0);
    EXPECT_EQ(m_surfaces.Create(window.Handle(), true, false), nullptr);
    EXPECT_EQ(m_surfaces.Create(window.Handle(), false, false), nullptr);
    EXPECT_EQ(m_surfaces.Registered(window.Handle()), nullptr);
    EXPECT_EQ(m_surfaces.Count(), 0u);

    // Each attempt tried again and wrote its own line; no half-made surface was kept.
    const std::string log = Log();
    const std::string line = R"(,0,"LayeredWindowSupport","Create","CreateDIBSection failed")"
                             "\r\n";
    size_t lines = 0;
    for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++lines;
    EXPECT_EQ(lines, 2u) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
}

TEST(LayeredWindowKeyTest, TheKeyIsTheSignedDecimalHandle) {
    struct Case {
        intptr_t handle;
        const char* key;
    };
    const Case cases[] = {
        {66, "66_hwnd"},
        {0x7FFFFFFF, "2147483647_hwnd"},
        {-16, "-16_hwnd"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LayeredWindow::Key(reinterpret_cast<HWND>(c.handle)), c.key);
    }
}

}  // namespace
}  // namespace tarvik::test
