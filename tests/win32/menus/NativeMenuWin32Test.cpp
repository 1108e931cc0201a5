// Real Win32 menus and window titles read into rows, and a post the system refuses.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/menus/NativeMenu.h"
#include "core/support/MenuRows.h"
#include "core/theme/ThemeLayout.h"
#include "win32/menus/Win32MenuPorts.h"
#include "win32/support/CommandTarget.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

class NativeMenuWin32 : public ::testing::Test {
  protected:
    TestLog m_log;
    Win32MenuReader m_reader;
    Win32CommandPoster m_poster;
    Win32MessageBox m_box;
    ThemeLayout m_layout;
    NativeMenu m_native{m_reader, m_poster, m_box, m_log.trace, m_layout};
    CommandTarget m_target;
};

TEST_F(NativeMenuWin32, ReadsARealMenuBarAndTitle) {
    MenuItemList items;
    m_native.ReadMenuBar(items, reinterpret_cast<WindowHandle>(m_target.Handle()));
    EXPECT_EQ(MenuRows(items),
              (std::vector<std::string>{
                  "File -1",          "  New 101",        "  Open... 102",      "  -",
                  "  Recent -1",      "    a.txt 111",    "    b.txt 112",      "  -",
                  "  Exit 103",       "Edit -1",          "  Undo 201 off",     "  Cut 202",
                  "  Copy 203",       "  Paste 204 off",  "  Save & Close 205", "View -1",
                  "  Status Bar 301", "  Zoom -1",        "    Zoom In 311",    "    Zoom Out 312",
                  "    Layout -1",    "      Compact 321"}));
    const MenuItem& compact = *items.at(2)->Children.at(1)->Children.at(2)->Children.at(0);
    EXPECT_EQ(compact.hWnd, reinterpret_cast<WindowHandle>(m_target.Handle()));
    EXPECT_EQ(m_native.ShortWindowTitle(reinterpret_cast<WindowHandle>(m_target.Handle())),
              "Tarvik Menu Fixture");
    EXPECT_EQ(m_log.Text(), "");
}

// Picks reaching a window as WM_COMMAND are shown by the drop-down tests; a refused post
// carries the system's code, which the menus log.
TEST_F(NativeMenuWin32, APostToAWindowThatIsGoneReportsTheSystemsCode) {
    const auto handle = reinterpret_cast<WindowHandle>(m_target.Handle());
    DestroyWindow(m_target.Handle());
    const PostResult result = m_poster.PostCommand(handle, 202);
    EXPECT_FALSE(result.posted);
    EXPECT_EQ(result.errorCode, ERROR_INVALID_WINDOW_HANDLE);
}

// The notice of a refused command runs its loop on a thread of its own: the caller (the bar's
// tick) goes on at once, and nothing of the bar can be closed under it.
TEST_F(NativeMenuWin32, TheNoticeReturnsAtOnceAndStaysUpUntilClosed) {
    const auto box = [] { return FindWindowW(L"#32770", L"Tarvik"); };
    const auto start = std::chrono::steady_clock::now();
    m_box.Show("Tarvik", "Windows would not let Tarvik run it.", NativeMenu::kFailureBoxFlags);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_TRUE(PumpUntil([&] { return box() != nullptr; }, 2s));
    PumpMessages(300ms);
    ASSERT_NE(box(), nullptr) << "the notice went by itself";
    PostMessageW(box(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return box() == nullptr; }, 5s));
}

}  // namespace
}  // namespace tarvik::test
