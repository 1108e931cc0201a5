// The real bar window in this process: what only Windows can show. Real messages reach the strip
// (strictly inside, every button), the shell's notices are followed but not forged ones, a real
// press opens the drop-down under its title, the housekeeping tick puts the window back, and
// closing from inside a drop-down's command is safe.
// Saves build/screenshots/bar-inprocess-menus.png for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "win32/bar/BackdropWindow.h"
#include "win32/menus/DropDownMenu.h"
#include "win32/support/BarHarness.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

WindowHandle HandleOf(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

// Sends the bar a mouse message at a point of its client area, as Windows would.
void SendMouse(HWND window, UINT message, int x, int y) {
    SendMessageW(window, message, 0, MAKELPARAM(x, y));
}

class BarWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ParkPointer();
        ASSERT_TRUE(m_harness.Ready());
        // Windows of this process are never followed on their own; the strip is shown the
        // fixture's menus directly, as the bar does for a window it tracks.
        Strip().PopulateFromhWnd(HandleOf(m_fixture.Handle()));
        PumpMessages(100ms);
    }
    void TearDown() override {
        if (m_harness.Window()) DropDown().closeMe();
        ParkPointer();
    }

    MenuStrip& Strip() { return m_harness.Bar().Strip(); }
    DropDownMenu& DropDown() { return m_harness.Bar().StripDropDown(); }
    // The middle of a title's text, in bar pixels.
    POINT TitleCentre(size_t index) {
        const MenuItem& title = *Strip().Titles().at(index);
        return {Strip().Bounds().X + static_cast<LONG>(std::lround(title.Left + title.width / 2)),
                m_harness.Bar().BarHeight() / 2};
    }

    BarHarness m_harness;
    CommandTarget m_fixture{L"Fixture Notes"};
};

TEST_F(BarWindowTest, PressesReachTheStripStrictlyInsideWithEveryButton) {
    const POINT file = TitleCentre(1);
    struct Case {
        const char* name;
        UINT message;
        int x, y;
        bool opens;
    };
    const Case cases[] = {
        {"top pixel row", WM_LBUTTONDOWN, file.x, 0, false},
        {"left press on the title", WM_LBUTTONDOWN, file.x, file.y, true},
        {"left double-click", WM_LBUTTONDBLCLK, file.x, file.y, true},
        {"right press", WM_RBUTTONDOWN, file.x, file.y, true},
        {"second right press in quick succession", WM_RBUTTONDBLCLK, file.x, file.y, true},
        {"middle press", WM_MBUTTONDOWN, file.x, file.y, true},
        {"second middle press in quick succession", WM_MBUTTONDBLCLK, file.x, file.y, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SendMouse(m_harness.Window(), WM_MOUSEMOVE, file.x, file.y);
        ASSERT_EQ(Strip().Hover(), Strip().Titles()[1]);
        SendMouse(m_harness.Window(), c.message, c.x, c.y);
        EXPECT_EQ(DropDown().Shown(), c.opens);
        DropDown().closeMe();
    }
}

TEST_F(BarWindowTest, FollowsTheShellsNoticesButNotItsOwnWindowsOrForgedNotices) {
    MenuFixtureProcess other(L"Other Program");
    ASSERT_NE(other.Window(), nullptr);
    const HWND backdrop = FindWindowW(BackdropWindow::kClassName, nullptr);
    ASSERT_NE(backdrop, nullptr);
    const UINT shellHook = RegisterWindowMessageW(L"SHELLHOOK");
    struct Case {
        const char* name;
        UINT message;
        WPARAM code;
        HWND window;
        bool followed;
    };
    const Case cases[] = {
        {"window activated", shellHook, HSHELL_WINDOWACTIVATED, other.Window(), true},
        {"rude application activated", shellHook, HSHELL_RUDEAPPACTIVATED, other.Window(), true},
        {"the bar itself", shellHook, HSHELL_WINDOWACTIVATED, m_harness.Window(), false},
        {"the backdrop", shellHook, HSHELL_RUDEAPPACTIVATED, backdrop, false},
        // Private message numbers mean nothing to the bar: anyone may send them.
        {"a forged foreground notice", WM_APP + 1, reinterpret_cast<WPARAM>(other.Window()),
         nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Strip().PopulateFromhWnd(HandleOf(m_fixture.Handle()));
        SendMessageW(m_harness.Window(), c.message, c.code, reinterpret_cast<LPARAM>(c.window));
        EXPECT_EQ(Strip().TrackedWindow(),
                  HandleOf(c.followed ? other.Window() : m_fixture.Handle()));
    }
}

TEST_F(BarWindowTest, ARealPressOpensTheRowsBeneathTheTitle) {
    const POINT file = TitleCentre(1);
    MovePointer(file.x, file.y);
    ClickPointer();
    ASSERT_TRUE(PumpUntil([&] { return DropDown().IsVisible(); }, 2s));
    EXPECT_EQ(DropDown().List().Items().size(), 6u);
    // Where it opens is checked end to end; here the picture shows a real menu's rows.
    RECT rect{};
    GetWindowRect(DropDown().Handle(), &rect);
    MovePointer(rect.right + 200, rect.bottom + 150);
    PumpMessages(200ms);
    EXPECT_TRUE(SaveScreenshot(ScreenshotFolder() / L"bar-inprocess-menus.png",
                               RECT{0, 0, 900, std::max<LONG>(rect.bottom + 40, 300)}));
}

TEST_F(BarWindowTest, TheTimerPutsAMovedBarBackWithinATick) {
    RECT wanted{};
    GetWindowRect(m_harness.Window(), &wanted);
    SetWindowPos(m_harness.Window(), nullptr, 120, 300, 640, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil(
        [&] {
            RECT now{};
            GetWindowRect(m_harness.Window(), &now);
            return EqualRect(&now, &wanted) != FALSE;
        },
        2s));
    EXPECT_EQ(Strip().Bounds().Width, m_harness.Bar().StripBounds().Width);
}

TEST_F(BarWindowTest, ACommandThatClosesTheBarFromInsideADropDownIsCarriedOutAfterIt) {
    // A row whose command closes the bar, as Exit and widget commands do.
    auto row = std::make_shared<MenuItem>();
    row->text = "Close the bar";
    int widgetToken = 0;
    row->OwnerWidget = reinterpret_cast<IWidget*>(&widgetToken);
    const MenuItemList rows{row};
    bool closedInside = false;
    m_harness.Parts().nativeMenu.SetWidgetCommand([&](IWidget&, const MenuItem&) {
        m_harness.Bar().Close();
        closedInside = IsWindow(m_harness.Window()) && DropDown().Handle() != nullptr;
    });
    DropDown().ShowList(rows, {300, 100});
    ASSERT_TRUE(PumpUntil([&] { return DropDown().IsVisible(); }, 2s));
    RECT rect{};
    GetWindowRect(DropDown().Handle(), &rect);
    MovePointer((rect.left + rect.right) / 2, rect.top + DropDown().RowTop(1) + 5);
    ClickPointer();
    ASSERT_TRUE(PumpUntil([&] { return m_harness.Window() == nullptr; }, 3s));
    EXPECT_TRUE(closedInside) << "the bar and its drop-down outlived the drop-down's handler";
}

}  // namespace
}  // namespace tarvik::test
