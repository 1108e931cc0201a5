// The search panel as a user drives it with the keyboard, over the real menu bar of a window of
// this program; saves build/screenshots/search-panel.png.
#include "win32/search/SearchPanel.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/shortcuts/CustomMenus.h"
#include "win32/support/BarHarness.h"
#include "win32/support/CommandTarget.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> Shown(const SearchPanel& panel) {
    std::vector<std::string> rows;
    for (const MenuCommand* command : panel.Search().Results()) {
        rows.push_back(command->path + " | " + command->shortcut);
    }
    return rows;
}

class SearchPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_harness.Ready());
        ShowWindow(m_target.Handle(), SW_SHOW);
        SetForegroundWindow(m_target.Handle());
        m_harness.Parts().settings.DeleteKey(RecentCommands::kSection, Program());
        PumpMessages(100ms);
    }
    void TearDown() override {
        m_harness.Parts().settings.DeleteKey(RecentCommands::kSection, Program());
    }
    std::string Program() {
        return ExecutableKeyFromPath(m_harness.Parts().shortcutWindows.ProcessImagePath(Target()));
    }
    WindowHandle Target() const { return reinterpret_cast<WindowHandle>(m_target.Handle()); }
    SearchPanel& Panel() { return m_harness.Parts().searchPanel; }
    void Open() {
        Panel().OpenFor(Target());
        ASSERT_TRUE(PumpUntil([&] { return Panel().IsVisible(); }, 1s));
    }
    void Type(const std::wstring& text) {
        for (const wchar_t unit : text) PostMessageW(Panel().Handle(), WM_CHAR, unit, 1);
        PumpMessages(100ms);
    }
    void Press(WPARAM key) {
        PostMessageW(Panel().Handle(), WM_KEYDOWN, key, 1);
        PumpMessages(100ms);
    }

    BarHarness m_harness;
    CommandTarget m_target;
};

TEST_F(SearchPanelTest, FindsRunsAndRemembersACommandByTheKeyboard) {
    Open();
    EXPECT_EQ(GetForegroundWindow(), Panel().Handle()) << "the panel takes the keyboard";
    EXPECT_TRUE(GetWindowLongW(Panel().Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    RECT panel = WindowRect(Panel().Handle());
    const RECT bar = WindowRect(m_harness.Window());
    EXPECT_EQ(panel.top, bar.bottom);
    EXPECT_NEAR((panel.left + panel.right) / 2, (bar.left + bar.right) / 2, 1);

    Type(L"undo");
    Press(VK_RETURN);  // a disabled command runs nothing
    EXPECT_TRUE(Panel().IsVisible());
    Type(L"\b\b\b\bzo");
    EXPECT_EQ(Shown(Panel()), (std::vector<std::string>{"View > Zoom > Zoom In | Ctrl+Plus",
                                                        "View > Zoom > Zoom Out | Ctrl+Minus",
                                                        "View > Zoom > Layout > Compact | "}));
    Press(VK_DOWN);
    panel = WindowRect(Panel().Handle());
    EXPECT_TRUE(
        SaveScreenshot(ScreenshotFolder() / L"search-panel.png",
                       RECT{panel.left - 20, panel.top, panel.right + 20, panel.bottom + 20}));
    Press(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !m_target.commands.empty(); }, 2s));
    EXPECT_EQ(m_target.commands, std::vector<WPARAM>{312});
    EXPECT_FALSE(Panel().IsVisible());
    EXPECT_EQ(GetForegroundWindow(), m_target.Handle()) << "the keyboard goes back";
    EXPECT_EQ(m_harness.Parts().settings.Read(RecentCommands::kSection, Program(), ""),
              "View > Zoom > Zoom Out");

    // Next time the command is offered before anything is typed; Escape closes the panel.
    Open();
    EXPECT_EQ(Shown(Panel()), std::vector<std::string>{"View > Zoom > Zoom Out | Ctrl+Minus"});
    Press(VK_ESCAPE);
    EXPECT_FALSE(Panel().IsVisible());
    EXPECT_EQ(GetForegroundWindow(), m_target.Handle());

    // Switching to another window closes the panel and leaves the keyboard there.
    Open();
    TestWindow elsewhere(900, 500, 80, 60);
    SetForegroundWindow(elsewhere.Handle());
    EXPECT_TRUE(PumpUntil([&] { return !Panel().IsVisible(); }, 2s));
    EXPECT_EQ(GetForegroundWindow(), elsewhere.Handle());
    EXPECT_EQ(m_target.commands, std::vector<WPARAM>{312});
}

}  // namespace
}  // namespace tarvik::test
