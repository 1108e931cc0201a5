// The real bar window in this process: every mouse button's message reaches the strip, the
// shell's notices are followed but not forged ones, the housekeeping tick puts the window back,
// and closing from inside a drop-down's command is safe.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cmath>
#include <tuple>

#include "win32/menus/DropDownMenu.h"
#include "win32/support/BarHarness.h"
#include "win32/support/PointerInput.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

WindowHandle HandleOf(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
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

TEST_F(BarWindowTest, PressesOfEveryButtonReachTheStrip) {
    const POINT file = TitleCentre(1);
    // A double-click message is a second press in quick succession. Where a press counts as
    // inside the strip is the model's (native) business.
    for (const UINT message : {WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_MBUTTONDBLCLK}) {
        SendMessageW(m_harness.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(file.x, file.y));
        ASSERT_EQ(Strip().Hover(), Strip().Titles()[1]);
        SendMessageW(m_harness.Window(), message, 0, MAKELPARAM(file.x, file.y));
        EXPECT_TRUE(DropDown().Shown()) << message;
        DropDown().closeMe();
    }
}

TEST_F(BarWindowTest, FollowsTheShellsNoticesButNotItsOwnWindowsOrForgedNotices) {
    MenuFixtureProcess other(L"Other Program");
    ASSERT_NE(other.Window(), nullptr);
    const UINT shell = RegisterWindowMessageW(L"SHELLHOOK");
    // The shell's other notices name windows too (anyone may send them): they move nothing.
    const std::tuple<UINT, WPARAM, HWND, bool> cases[] = {
        {shell, HSHELL_WINDOWACTIVATED, other.Window(), true},
        {shell, HSHELL_RUDEAPPACTIVATED, other.Window(), true},
        {shell, HSHELL_WINDOWACTIVATED, m_harness.Window(), false},
        {shell, HSHELL_WINDOWCREATED, other.Window(), false},
        {shell, HSHELL_REDRAW, other.Window(), false},
    };
    for (const auto& [message, code, window, followed] : cases) {
        Strip().PopulateFromhWnd(HandleOf(m_fixture.Handle()));
        SendMessageW(m_harness.Window(), message, code, reinterpret_cast<LPARAM>(window));
        EXPECT_EQ(Strip().TrackedWindow(), HandleOf(followed ? other.Window() : m_fixture.Handle()))
            << message << " " << code;
    }
}

TEST_F(BarWindowTest, TheTimerPutsAMovedBarBackWithinATick) {
    const RECT wanted = WindowRect(m_harness.Window());
    const int32_t stripWidth = Strip().Bounds().Width;
    SetWindowPos(m_harness.Window(), nullptr, 120, 300, 640, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil(
        [&] {
            const RECT now = WindowRect(m_harness.Window());
            return EqualRect(&now, &wanted) != FALSE;
        },
        2s));
    EXPECT_EQ(Strip().Bounds().Width, stripWidth) << "the strip was not laid out again";
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
    const RECT rect = WindowRect(DropDown().Handle());
    MovePointer((rect.left + rect.right) / 2, rect.top + DropDown().RowTop(1) + 5);
    ClickPointer();
    ASSERT_TRUE(PumpUntil([&] { return m_harness.Window() == nullptr; }, 3s));
    EXPECT_TRUE(closedInside) << "the bar and its drop-down outlived the drop-down's handler";
}

}  // namespace
}  // namespace tarvik::test
