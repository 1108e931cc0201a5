// Real Win32 menus read into rows, and picks posted to a real window.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/app/Trace.h"
#include "core/menus/NativeMenu.h"
#include "core/theme/ThemeLayout.h"
#include "win32/app/SystemClock.h"
#include "win32/menus/Win32MenuPorts.h"
#include "win32/support/CommandTarget.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

// The tree one item per line, indented by depth: "text id" (or "---"), "off" when disabled.
void Describe(const MenuItemList& items, const std::string& indent, std::string& out) {
    for (const auto& item : items) {
        out += indent +
               (item->IsSeparator ? "---"
                                  : item->text + " " + std::to_string(item->CommandId) +
                                        (item->IsEnabled ? "" : " off")) +
               "\n";
        Describe(item->Children, indent + "  ", out);
    }
}

const MenuItem* Find(const MenuItemList& items, const std::string& text) {
    for (const auto& item : items) {
        if (item->text == text) return item.get();
        if (const MenuItem* found = Find(item->Children, text)) return found;
    }
    return nullptr;
}

// The drop-down a leaf row is picked from: picking a leaf never asks it for anything.
class LeafOnlyMenu final : public IDropDownMenu {
  public:
    void ShowList(const MenuItemList&, ScreenPoint) override { ADD_FAILURE(); }
    bool IsVisible() const override { return true; }
    void Hide() override {}
    void closeMe() override {}
    void closeAncestors() override {}
    int32_t RowTop(int32_t) const override { return 0; }
    ListPlacement Position() const override { return {}; }
    int32_t ClientWidth() const override { return 0; }
    IDropDownMenu* ChildMenu() const override { return nullptr; }
    IDropDownMenu& OpenChildMenu() override { return *this; }
    void CloseChildMenu() override {}
};

class NativeMenuWin32 : public ::testing::Test {
  protected:
    MenuItemList ReadMenuBar(HWND window) {
        MenuItemList items;
        m_native.ReadMenuBar(items, reinterpret_cast<WindowHandle>(window));
        return items;
    }
    std::string Log() const { return ReadFile(m_folder.Path() / L"errors.log"); }

    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace{m_folder.Path() / L"errors.log", m_clock};
    Win32MenuReader m_reader;
    Win32CommandPoster m_poster;
    Win32MessageBox m_box;
    ThemeLayout m_layout;
    NativeMenu m_native{m_reader, m_poster, m_box, m_trace, m_layout};
    CommandTarget m_target;
    LeafOnlyMenu m_menu;
};

TEST_F(NativeMenuWin32, ReadsARealMenuBarAndTitle) {
    const MenuItemList items = ReadMenuBar(m_target.Handle());
    std::string tree;
    Describe(items, "", tree);
    EXPECT_EQ(tree,
              "File -1\n  New 101\n  Open... 102\n  ---\n  Recent -1\n    a.txt 111\n"
              "    b.txt 112\n  ---\n  Exit 103\n"
              "Edit -1\n  Undo 201 off\n  Cut 202\n  Copy 203\n  Paste 204 off\n"
              "  Save & Close 205\n"
              "View -1\n  Status Bar 301\n  Zoom -1\n    Zoom In 311\n    Zoom Out 312\n"
              "    Layout -1\n      Compact 321\n");
    EXPECT_EQ(Find(items, "Compact")->hWnd, reinterpret_cast<WindowHandle>(m_target.Handle()));
    SetWindowTextW(m_target.Handle(), (std::wstring(29, L'b') + L"\U0001F600c").c_str());
    EXPECT_EQ(m_native.ShortWindowTitle(reinterpret_cast<WindowHandle>(m_target.Handle())),
              std::string(29, 'b') + "...");
    EXPECT_EQ(Log(), "");
}

TEST_F(NativeMenuWin32, PicksArriveAsWmCommandAndAPostToAGoneWindowIsLogged) {
    const MenuItemList items = ReadMenuBar(m_target.Handle());
    for (const char* text : {"Paste", "Undo", "Save & Close", "b.txt"}) {
        bool closeAll = false;
        m_native.HandleMenuItem(*Find(items, text), m_menu, 1, closeAll);
        EXPECT_TRUE(closeAll) << text;
    }
    // The disabled entries sent nothing; the others arrive in order.
    EXPECT_TRUE(PumpUntil([&] { return m_target.commands.size() >= 2; }, 2s));
    EXPECT_EQ(m_target.commands, (std::vector<WPARAM>{fixture::kSaveAndClose, fixture::kRecentB}));

    // The rows are data: they outlive the window and its menu.
    CommandTarget gone(L"Gone");
    const MenuItemList goneItems = ReadMenuBar(gone.Handle());
    const auto handle = reinterpret_cast<WindowHandle>(gone.Handle());
    DestroyWindow(gone.Handle());
    bool closeAll = false;
    m_native.HandleMenuItem(*Find(goneItems, "Cut"), m_menu, 2, closeAll);
    EXPECT_NE(Log().find(",1400,\"NativeMenu\",\"HandleMenuItem\",\"could not post command "
                         "202 (Cut) to window " +
                         std::to_string(handle) + " - if the code is 5"),
              std::string::npos)
        << Log();
    EXPECT_EQ(m_native.PendingFailureWindow(), 0u);
}

}  // namespace
}  // namespace tarvik::test
