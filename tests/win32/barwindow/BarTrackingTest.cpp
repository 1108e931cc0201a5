// Which window's menus the real bar shows: the shell's activation notices (normal and rude), the
// program's own windows that are never followed, and a foreground change between two programs.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "BarWindowTestSupport.h"
#include "win32/bar/BackdropWindow.h"
#include "win32/menus/DropDownMenu.h"
#include "win32/support/BarHarness.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

WindowHandle HandleOf(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

class BarTrackingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ParkPointer();
        ASSERT_TRUE(m_harness.Ready());
    }
    void TearDown() override { m_harness.Bar().StripDropDown().closeMe(); }

    MenuStrip& Strip() { return m_harness.Bar().Strip(); }

    // Posts the shell's notice to the bar and handles that one message.
    void PostShellNotice(WPARAM code, HWND window) {
        const UINT message = RegisterWindowMessageW(L"SHELLHOOK");
        ASSERT_NE(message, 0u);
        ASSERT_TRUE(
            PostMessageW(m_harness.Window(), message, code, reinterpret_cast<LPARAM>(window)));
        MSG posted;
        ASSERT_TRUE(PeekMessageW(&posted, m_harness.Window(), message, message, PM_REMOVE));
        DispatchMessageW(&posted);
    }

    BarHarness m_harness;
    MenuFixtureWindow m_ownWindow{L"Own Fixture", RECT{200, 200, 600, 500}};
};

TEST_F(BarTrackingTest, ActivationNoticesAreFollowedExceptForTheProgramsOwnWindows) {
    MenuFixtureProcess other(L"Other Program");
    ASSERT_NE(other.Window(), nullptr);

    // A drop-down of the bar, opened once so that its window exists.
    Strip().PopulateFromhWnd(HandleOf(m_ownWindow.Handle()));
    DropDownMenu& dropDown = m_harness.Bar().StripDropDown();
    dropDown.ShowList(Strip().Titles()[1]->Children, 1500, 100);
    ASSERT_NE(dropDown.Handle(), nullptr);
    const HWND dropDownWindow = dropDown.Handle();
    dropDown.closeMe();
    const auto backdrops = OwnWindowsOfClass(BackdropWindow::kClassName);
    ASSERT_EQ(backdrops.size(), 1u);

    struct Case {
        const char* name;
        WPARAM code;
        HWND window;
        bool followed;
    };
    const Case cases[] = {
        {"window activated", HSHELL_WINDOWACTIVATED, other.Window(), true},
        {"rude application activated", HSHELL_RUDEAPPACTIVATED, other.Window(), true},
        {"window created is not an activation", HSHELL_WINDOWCREATED, other.Window(), false},
        {"redraw is not an activation", HSHELL_REDRAW, other.Window(), false},
        {"no window", HSHELL_WINDOWACTIVATED, nullptr, false},
        {"the bar itself", HSHELL_WINDOWACTIVATED, m_harness.Window(), false},
        {"the backdrop", HSHELL_RUDEAPPACTIVATED, backdrops.front(), false},
        {"a drop-down", HSHELL_WINDOWACTIVATED, dropDownWindow, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Strip().PopulateFromhWnd(HandleOf(m_ownWindow.Handle()));
        PostShellNotice(c.code, c.window);
        if (c.followed) {
            EXPECT_EQ(Strip().TrackedWindow(), HandleOf(c.window));
            EXPECT_EQ(Strip().ApplicationName(), "Other Program");
            EXPECT_EQ(Strip().Titles().front()->text, "Other Program");
        } else {
            EXPECT_EQ(Strip().TrackedWindow(), HandleOf(m_ownWindow.Handle()));
            EXPECT_EQ(Strip().ApplicationName(), "Own Fixture");
            EXPECT_EQ(Strip().Titles().size(), 4u);
        }
    }
}

TEST_F(BarTrackingTest, AForegroundChangeBetweenTwoProgramsChangesTheStrip) {
    MenuFixtureProcess alpha(L"Alpha Program");
    MenuFixtureProcess beta(L"Beta Program");
    ASSERT_NE(alpha.Window(), nullptr);
    ASSERT_NE(beta.Window(), nullptr);
    // Each fixture brings itself to the front once it has shown its window: the last one
    // started has to have done so before the test moves the foreground.
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == beta.Window(); }, 5s));
    // The test display's desktop is shared with other programs, which may take the foreground
    // back: the window is brought to the front again until it stays there.
    const auto bringToFrontAndWait = [this](HWND window, const char* name) {
        return PumpUntil(
            [&] {
                if (GetForegroundWindow() != window) SetForegroundWindow(window);
                return Strip().ApplicationName() == name;
            },
            3s);
    };
    for (const auto& [window, name] :
         {std::pair{alpha.Window(), "Alpha Program"}, std::pair{beta.Window(), "Beta Program"},
          std::pair{alpha.Window(), "Alpha Program"}}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(bringToFrontAndWait(window, name))
            << "foreground " << GetForegroundWindow() << ", tracked " << Strip().TrackedWindow();
        EXPECT_EQ(Strip().TrackedWindow(), HandleOf(window));
    }
    // The bar's own windows becoming active leave the strip on the last program.
    SetForegroundWindow(m_harness.Window());
    PumpMessages(600ms);
    EXPECT_EQ(Strip().ApplicationName(), "Alpha Program");
}

}  // namespace
}  // namespace tarvik::test
