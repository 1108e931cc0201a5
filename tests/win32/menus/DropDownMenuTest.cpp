// Real drop-down windows driven by real pointer input: placement, looks, hot rows, cascades,
// commands and closing. Saves build/screenshots/dropdown-cascade.png for a person to look at.
#include "win32/menus/DropDownMenu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/app/Trace.h"
#include "core/menus/NativeMenu.h"
#include "win32/app/SystemClock.h"
#include "win32/menus/Win32MenuPorts.h"
#include "win32/support/PointerInput.h"
#include "win32/support/WindowsTestSupport.h"
#include "win32/theme/ThemePixelSupport.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

// Every WM_COMMAND wParam the target window received.
std::vector<WPARAM> g_commands;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        g_commands.push_back(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A hidden window of this program that receives the commands of the rows.
class TargetWindow {
  public:
    TargetWindow() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TargetProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TarvikDropDownTarget";
        RegisterClassExW(&wc);
        m_window.Reset(CreateWindowExW(0, wc.lpszClassName, L"target", WS_OVERLAPPED, 0, 0, 10, 10,
                                       nullptr, nullptr, wc.hInstance, nullptr));
        g_commands.clear();
    }
    HWND Handle() const { return m_window.Get(); }

  private:
    UniqueWindow m_window;
};

// An opaque window of one colour behind the menus, so that their glass has something to show.
class Backdrop {
  public:
    Backdrop(RECT area, COLORREF colour) : m_brush(CreateSolidBrush(colour)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(m_brush.Get());
        wc.lpszClassName = L"TarvikDropDownBackdrop";
        RegisterClassExW(&wc);
        m_window.Reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName,
                                       L"backdrop", WS_POPUP, area.left, area.top,
                                       area.right - area.left, area.bottom - area.top, nullptr,
                                       nullptr, wc.hInstance, nullptr));
        ShowWindow(m_window.Get(), SW_SHOWNOACTIVATE);
        UpdateWindow(m_window.Get());
    }
    ~Backdrop() {
        m_window.Reset();
        UnregisterClassW(L"TarvikDropDownBackdrop", GetModuleHandleW(nullptr));
    }

  private:
    UniqueHandle<HGDIOBJ, GdiObjectDeleter> m_brush;
    UniqueWindow m_window;
};

std::shared_ptr<MenuItem> Row(std::string text, int32_t command, HWND target, bool enabled = true) {
    auto item = std::make_shared<MenuItem>();
    item->text = std::move(text);
    item->CommandId = command;
    item->hWnd = reinterpret_cast<WindowHandle>(target);
    item->IsEnabled = enabled;
    return item;
}

std::shared_ptr<MenuItem> Separator() {
    auto item = std::make_shared<MenuItem>();
    item->IsSeparator = true;
    return item;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

COLORREF ScreenPixel(int x, int y) {
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool Near(COLORREF colour, uint32_t argb) {
    const auto close = [](int a, int b) { return std::abs(a - b) <= 3; };
    return close(GetRValue(colour), ArgbRed(argb)) && close(GetGValue(colour), ArgbGreen(argb)) &&
           close(GetBValue(colour), ArgbBlue(argb));
}

bool SavePng(GDIPImage& image, const std::filesystem::path& path) {
    // The PNG encoder of GDI+.
    const CLSID png{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    return gdip::flat::GdipSaveImageToFile(gdip::Native<Gdiplus::GpImage>(image.NativeHandle()),
                                           path.wstring().c_str(), &png, nullptr) == Gdiplus::Ok;
}

// Copies a part of the screen into a PNG file.
bool SaveScreen(const RECT& area, const std::filesystem::path& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    GDIPBitmap picture = GDIPBitmap::CreateFromHBITMAP(bitmap);
    const bool saved = SavePng(picture.Image(), path);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

class DropDownMenuTest : public ThemePixelTest {
  protected:
    void SetUp() override {
        m_com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        const ScaleEnvironment environment("100");
        const CommandLine commandLine(environment);
        m_dpi = DrawingAt("100");
        ASSERT_TRUE(m_theme.Initialize(m_parser, ResourcesFolder().parent_path(), m_trace,
                                       commandLine, m_dpi));
        m_brushes = std::make_unique<Brushes>(m_theme.TextColour, m_theme.HighlightTextColour,
                                              m_theme.DisabledTextColour);
        m_native = std::make_unique<NativeMenu>(m_reader, m_poster, m_box, m_trace, m_theme.Layout,
                                                ScreenTwipsPerPixel());
        m_actions = std::make_unique<NativeMenuRowActions>(*m_native);
        m_menu = std::make_unique<DropDownMenu>(Services());
        m_menu->Closed = [this] { ++m_closed; };

        // File-like rows; the second opens a cascade of two commands.
        HWND target = m_target.Handle();
        auto recent = Row("Recent Files", -1, target);
        recent->Children = {Row("First.txt", 201, target), Row("Second.txt", 202, target)};
        m_items = {Row("New", 101, target), recent, Separator(),
                   Row("Properties", 103, target, false), Row("Exit", 104, target)};
        MovePointer(5, GetSystemMetrics(SM_CYSCREEN) - 5);
    }
    void TearDown() override {
        m_menu.reset();
        PumpMessages(50ms);
        if (m_com) CoUninitialize();
    }

    DropDownServices Services() {
        return DropDownServices{m_theme,       *m_brushes, m_trace,    m_surfaces,
                                m_composition, m_subclass, *m_actions, ScreenTwipsPerPixel()};
    }

    // Shows the rows with the window's top-left corner at (left, top) in pixels.
    void Show(DropDownMenu& menu, const MenuItemList& items, int left, int top) {
        menu.ShowList(items, static_cast<int32_t>(top * ScreenTwipsPerPixel().y), left);
        PumpMessages(200ms);
    }

    // A point on the caption of a 1-based row, and one inside its highlight left of the text.
    POINT RowPoint(const DropDownMenu& menu, int32_t row) const {
        const RECT rect = WindowRect(menu.Handle());
        return {rect.left + m_theme.Layout.RowText.X + 5,
                rect.top + menu.RowTop(row) + m_theme.Layout.RowHeight / 2};
    }
    POINT HighlightPoint(const DropDownMenu& menu, int32_t row) const {
        const RECT rect = WindowRect(menu.Handle());
        const Padding& highlight = m_theme.Layout.RowHighlight;
        return {rect.left + highlight.X + 5,
                rect.top + menu.RowTop(row) - highlight.Y_Overflow + highlight.Height / 2};
    }
    void Hover(const DropDownMenu& menu, int32_t row) {
        const POINT at = RowPoint(menu, row);
        MovePointer(at.x, at.y);
    }
    bool RowLooksSelected(const DropDownMenu& menu, int32_t row) const {
        const POINT at = HighlightPoint(menu, row);
        return Near(ScreenPixel(at.x, at.y), m_theme.Glass.Selection);
    }

    // The size the rows need: the widest caption as GDI+ measures it, and the row heights.
    SIZE ExpectedSize(const MenuItemList& items) {
        GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(1, 1);
        GDIPGraphics graphics;
        graphics.FromImage(bitmap.Image());
        float widest = 0;
        int height = 0;
        for (const auto& item : items) {
            widest = std::max(widest, graphics.MeasureString(item->text, m_theme.TextFont).Width);
            height += item->IsSeparator ? m_theme.Layout.SeparatorHeight : m_theme.Layout.RowHeight;
        }
        const ThemeLayout& layout = m_theme.Layout;
        return {static_cast<LONG>(std::nearbyint(widest)) + layout.RowText.X + layout.RowPadRight,
                height + layout.RowText.Y + layout.RowPadBottom};
    }

    bool m_com = false;
    const MsXmlParser m_parser;
    TempFolder m_log;
    SystemClock m_clock;
    Trace m_trace{m_log.Path() / "errors.log", m_clock};
    Dpi m_dpi;
    Theme m_theme;
    std::unique_ptr<Brushes> m_brushes;
    LayeredWindow m_surfaces{m_trace};
    WindowComposition m_composition{WindowsVersion{10, 22631}, m_trace};
    WindowSubclass m_subclass{m_trace};
    Win32MenuReader m_reader;
    Win32CommandPoster m_poster;
    Win32MessageBox m_box;
    std::unique_ptr<NativeMenu> m_native;
    std::unique_ptr<NativeMenuRowActions> m_actions;
    TargetWindow m_target;
    MenuItemList m_items;
    std::unique_ptr<DropDownMenu> m_menu;
    int m_closed = 0;
};

TEST_F(DropDownMenuTest, AShownListIsALayeredTopmostToolWindowWhereAndAsLargeAsComputed) {
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    ASSERT_EQ(screen, 1920);
    const SIZE size = ExpectedSize(m_items);
    struct Case {
        const char* name;
        int left;
        int top;
        int expectedLeft;
    };
    const Case cases[] = {
        {"inside the screen", 200, 150, 200},
        {"touching the right edge", screen - size.cx, 60, screen - size.cx},
        {"past the right edge", screen - 20, 90, screen - size.cx},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DropDownMenu menu(Services());
        Show(menu, m_items, c.left, c.top);
        ASSERT_NE(menu.Handle(), nullptr);
        const RECT rect = WindowRect(menu.Handle());
        EXPECT_EQ(rect.left, c.expectedLeft);
        EXPECT_EQ(rect.top, c.top);
        EXPECT_EQ(rect.right - rect.left, size.cx);
        EXPECT_EQ(rect.bottom - rect.top, size.cy);
        EXPECT_TRUE(IsWindowVisible(menu.Handle()));
        const LONG exStyle = GetWindowLongW(menu.Handle(), GWL_EXSTYLE);
        EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
                  WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        const LONG style = GetWindowLongW(menu.Handle(), GWL_STYLE);
        EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
        EXPECT_DOUBLE_EQ(menu.LeftTwips(), c.expectedLeft * ScreenTwipsPerPixel().x);
    }

    // The list already shown stays where it is; an empty list is only the margins.
    Show(*m_menu, m_items, 300, 200);
    Show(*m_menu, m_items, 700, 400);
    EXPECT_EQ(WindowRect(m_menu->Handle()).left, 300);
    EXPECT_EQ(WindowRect(m_menu->Handle()).top, 200);
    const MenuItemList empty;
    Show(*m_menu, empty, 700, 400);
    const RECT rect = WindowRect(m_menu->Handle());
    const ThemeLayout& layout = m_theme.Layout;
    EXPECT_EQ(rect.left, 700);
    EXPECT_EQ(rect.right - rect.left, layout.RowText.X + layout.RowPadRight);
    EXPECT_EQ(rect.bottom - rect.top, layout.RowText.Y + layout.RowPadBottom);
}

TEST_F(DropDownMenuTest, ThePointerMakesEnabledRowsHotAndLeavingClearsThem) {
    Backdrop backdrop({250, 130, 600, 400}, RGB(0x30, 0x60, 0x90));
    Show(*m_menu, m_items, 300, 150);
    EXPECT_FALSE(RowLooksSelected(*m_menu, 1));

    Hover(*m_menu, 1);
    EXPECT_EQ(m_menu->List().HotItem(), m_items[0]);
    EXPECT_TRUE(RowLooksSelected(*m_menu, 1));

    // The disabled row takes the highlight away and never gets it.
    Hover(*m_menu, 4);
    EXPECT_EQ(m_menu->List().HotItem(), nullptr);
    EXPECT_FALSE(RowLooksSelected(*m_menu, 1));
    EXPECT_FALSE(RowLooksSelected(*m_menu, 4));
    ClickPointer();
    EXPECT_TRUE(g_commands.empty());
    EXPECT_TRUE(m_menu->IsVisible());
    EXPECT_EQ(m_closed, 0);

    Hover(*m_menu, 5);
    EXPECT_TRUE(RowLooksSelected(*m_menu, 5));
    MovePointer(700, 600);  // away from the window: it hears that the pointer left
    PumpUntil([&] { return m_menu->List().HotItem() == nullptr; }, 1s);
    EXPECT_EQ(m_menu->List().HotItem(), nullptr);
    EXPECT_FALSE(RowLooksSelected(*m_menu, 5));
    EXPECT_TRUE(m_menu->IsVisible());
}

TEST_F(DropDownMenuTest, HoveringARowWithChildrenOpensTheCascadeBesideItLevelWithTheRow) {
    Backdrop backdrop({250, 130, 900, 450}, RGB(0x30, 0x60, 0x90));
    Show(*m_menu, m_items, 300, 150);
    Hover(*m_menu, 2);
    DropDownMenu* cascade = m_menu->ChildDropDown();
    ASSERT_NE(cascade, nullptr);
    ASSERT_NE(cascade->Handle(), nullptr);
    EXPECT_TRUE(cascade->IsVisible());
    EXPECT_EQ(cascade->ParentMenu(), m_menu.get());

    const RECT parent = WindowRect(m_menu->Handle());
    const RECT child = WindowRect(cascade->Handle());
    EXPECT_EQ(child.left, parent.right);
    EXPECT_EQ(child.top + cascade->RowTop(1), parent.top + m_menu->RowTop(2));
    EXPECT_TRUE(RowLooksSelected(*m_menu, 2));

    Hover(*cascade, 2);
    EXPECT_TRUE(RowLooksSelected(*cascade, 2));
    EXPECT_TRUE(m_menu->IsVisible()) << "the parent stays open while its cascade is";

    const std::filesystem::path folder = TestProgramFolder().parent_path() / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(SaveScreen({parent.left - 30, parent.top - 20, child.right + 30,
                            std::max(parent.bottom, child.bottom) + 20},
                           folder / "dropdown-cascade.png"));

    // A leaf row of the parent closes the cascade; the separator leaves it alone.
    Hover(*m_menu, 3);
    EXPECT_NE(m_menu->ChildDropDown(), nullptr);
    Hover(*m_menu, 1);
    EXPECT_EQ(m_menu->ChildDropDown(), nullptr);
    EXPECT_TRUE(m_menu->IsVisible());
    EXPECT_EQ(m_closed, 0);
}

TEST_F(DropDownMenuTest, ReleasingOnALeafSendsItsCommandAndClosesTheWholeChain) {
    Show(*m_menu, m_items, 300, 150);
    Hover(*m_menu, 2);
    DropDownMenu* cascade = m_menu->ChildDropDown();
    ASSERT_NE(cascade, nullptr);
    int cascadeClosed = 0;
    cascade->Closed = [&] { ++cascadeClosed; };
    const HWND cascadeWindow = cascade->Handle();

    Hover(*cascade, 2);
    ClickPointer();
    PumpUntil([] { return !g_commands.empty(); }, 1s);
    EXPECT_EQ(g_commands, std::vector<WPARAM>{202});
    EXPECT_FALSE(m_menu->IsVisible());
    EXPECT_FALSE(m_menu->Shown());
    EXPECT_EQ(m_menu->ChildDropDown(), nullptr);
    EXPECT_FALSE(IsWindow(cascadeWindow)) << "a closed cascade is unloaded";
    EXPECT_EQ(m_closed, 1);
    EXPECT_EQ(cascadeClosed, 1);

    // The same top-level window opens again and picks from its own rows.
    Show(*m_menu, m_items, 300, 150);
    EXPECT_TRUE(m_menu->IsVisible());
    Hover(*m_menu, 5);
    ClickPointer();
    PumpUntil([] { return g_commands.size() == 2; }, 1s);
    EXPECT_EQ(g_commands, (std::vector<WPARAM>{202, 104}));
    EXPECT_FALSE(m_menu->IsVisible());
    EXPECT_EQ(m_closed, 2);
}

TEST_F(DropDownMenuTest, ReleasingOnARowWithChildrenKeepsTheWindowOpenWithItsCascade) {
    Show(*m_menu, m_items, 300, 150);
    Hover(*m_menu, 2);
    ASSERT_NE(m_menu->ChildDropDown(), nullptr);
    ClickPointer();
    EXPECT_TRUE(m_menu->IsVisible());
    ASSERT_NE(m_menu->ChildDropDown(), nullptr);
    EXPECT_TRUE(m_menu->ChildDropDown()->IsVisible());
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(m_closed, 0);
}

TEST_F(DropDownMenuTest, ActivatingAnotherWindowOrProgramClosesEveryWindowOnce) {
    struct Case {
        const char* name;
        bool otherProgram;
    };
    for (const Case& c : {Case{"a click elsewhere", false}, Case{"another program", true}}) {
        SCOPED_TRACE(c.name);
        m_closed = 0;
        Show(*m_menu, m_items, 300, 150);
        Hover(*m_menu, 2);
        DropDownMenu* cascade = m_menu->ChildDropDown();
        ASSERT_NE(cascade, nullptr);
        int cascadeClosed = 0;
        cascade->Closed = [&] { ++cascadeClosed; };
        if (c.otherProgram) {
            // What Windows tells every top-level window of a program that loses the activation.
            const HWND cascadeWindow = cascade->Handle();
            SendMessageW(cascadeWindow, WM_ACTIVATEAPP, FALSE, 0);
            SendMessageW(m_menu->Handle(), WM_ACTIVATEAPP, FALSE, 0);
        } else {
            TestWindow elsewhere(1000, 600, 80, 60, WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW);
            SetForegroundWindow(elsewhere.Handle());
            SetActiveWindow(elsewhere.Handle());
            PumpMessages(200ms);
        }
        PumpMessages(100ms);
        EXPECT_FALSE(m_menu->IsVisible());
        EXPECT_EQ(m_menu->ChildDropDown(), nullptr);
        EXPECT_EQ(m_closed, 1);
        EXPECT_EQ(cascadeClosed, 1);
        EXPECT_TRUE(g_commands.empty());
    }
}

TEST_F(DropDownMenuTest, ADoubleClickUnloadsTheWindowAndTheNextShowListMakesItAgain) {
    Show(*m_menu, m_items, 300, 150);
    Hover(*m_menu, 4);  // the disabled row: the clicks pick nothing
    ClickPointer();
    ClickPointer();
    PumpMessages(100ms);
    EXPECT_EQ(m_menu->Handle(), nullptr);
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(m_closed, 1) << "the strip must hear that its drop-down is gone";

    Show(*m_menu, m_items, 320, 160);
    ASSERT_NE(m_menu->Handle(), nullptr);
    EXPECT_TRUE(m_menu->IsVisible());
    EXPECT_EQ(WindowRect(m_menu->Handle()).left, 320);
    Hover(*m_menu, 1);
    EXPECT_TRUE(RowLooksSelected(*m_menu, 1));

    // A double-click in a cascade removes only the cascade; the window above forgets it and so
    // still closes when the user clicks elsewhere.
    Hover(*m_menu, 2);
    DropDownMenu* cascade = m_menu->ChildDropDown();
    ASSERT_NE(cascade, nullptr);
    const RECT area = WindowRect(cascade->Handle());
    MovePointer(area.left + 5, area.bottom - 2);  // below the last row: the clicks pick nothing
    ClickPointer();
    ClickPointer();
    EXPECT_EQ(m_menu->ChildDropDown(), nullptr);
    EXPECT_TRUE(m_menu->IsVisible());
    TestWindow elsewhere(1000, 600, 80, 60, WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW);
    SetForegroundWindow(elsewhere.Handle());
    SetActiveWindow(elsewhere.Handle());
    PumpMessages(200ms);
    EXPECT_FALSE(m_menu->IsVisible());
    EXPECT_EQ(m_closed, 2);
}

TEST_F(DropDownMenuTest, HidingAWindowHidesItsCascadeToo) {
    Show(*m_menu, m_items, 300, 150);
    Hover(*m_menu, 2);
    DropDownMenu* cascade = m_menu->ChildDropDown();
    ASSERT_NE(cascade, nullptr);
    const HWND cascadeWindow = cascade->Handle();
    m_menu->Hide();
    PumpMessages(100ms);
    EXPECT_FALSE(m_menu->IsVisible());
    EXPECT_FALSE(IsWindow(cascadeWindow) && IsWindowVisible(cascadeWindow));
}

}  // namespace
}  // namespace tarvik::test
