#include "win32/menus/ContextMenu.h"

#include <gtest/gtest.h>

#include <vector>

#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// While the menu is up, a timer on this thread looks at it and then answers with keys.
struct MenuAnswer {
    std::vector<WORD> keys;  // typed into the open menu
    RECT shownAt{};          // where the menu window appeared
    bool seen = false;
};
MenuAnswer* g_answer = nullptr;

void Type(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void CALLBACK AnswerMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu) || !g_answer) return;
    KillTimer(nullptr, timer);
    GetWindowRect(menu, &g_answer->shownAt);
    g_answer->seen = true;
    if (g_answer->keys.empty()) {
        EndMenu();
        return;
    }
    for (WORD key : g_answer->keys) Type(key);
}

class ContextMenuTest : public ::testing::Test {
  protected:
    int32_t Show(MenuAnswer& answer, int32_t& x, int32_t& y) {
        g_answer = &answer;
        SetTimer(nullptr, 0, 50, AnswerMenu);
        SetForegroundWindow(m_owner.Handle());
        const int32_t command = m_menu.ShowMenu(m_owner.Handle(), x, y);
        g_answer = nullptr;
        return command;
    }

    TestWindow m_owner{100, 100, 200, 100};
    ContextMenu m_menu;
};

TEST_F(ContextMenuTest, OpensAtTheCursorAndReturnsThePickedCommand) {
    m_menu.AddItem(1, "Exit");
    SetCursorPos(400, 300);
    MenuAnswer answer{{VK_DOWN, VK_RETURN}};
    int32_t x = 0;
    int32_t y = 0;
    EXPECT_EQ(Show(answer, x, y), 1);
    EXPECT_TRUE(answer.seen);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    EXPECT_EQ(answer.shownAt.left, 400);
    EXPECT_EQ(answer.shownAt.top, 300);
    // Dismissed, it picks nothing (0 would otherwise be taken for a command).
    MenuAnswer dismiss{};
    EXPECT_EQ(Show(dismiss, x, y), 0);
    EXPECT_TRUE(dismiss.seen);
    // Captions come back by command, in UTF-8.
    m_menu.AddItem(7,
                   "\xC3\x9C"
                   "ber \xE2\x9C\x93");
    EXPECT_EQ(m_menu.GetMenuText(7),
              "\xC3\x9C"
              "ber \xE2\x9C\x93");
    EXPECT_EQ(m_menu.GetMenuText(2), "");
}

}  // namespace
}  // namespace tarvik::test
