#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/Trace.h"
#include "core/menus/NativeMenu.h"
#include "core/theme/ThemeLayout.h"
#include "fixtures/FixtureMenu.h"
#include "win32/menus/Win32MenuPorts.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/platform/WideText.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik {
namespace {

using namespace std::chrono_literals;
using test::ReadFile;
using test::TempFolder;

class FixedClock final : public IClock {
  public:
    LocalTime Now() const override { return {2026, 5, 4, 9, 15, 2, 1}; }
};

// A drop-down that is never asked for anything: the rows picked here have no children.
class NoDropDown final : public IDropDownMenu {
  public:
    void ShowList(const MenuItemList&, int32_t, int32_t) override {}
    bool IsVisible() const override { return false; }
    void Hide() override {}
    void closeMe() override {}
    void closeAncestors() override {}
    int32_t RowTop(int32_t) const override { return 0; }
    double LeftTwips() const override { return 0; }
    double TopTwips() const override { return 0; }
    int32_t ClientWidth() const override { return 0; }
    IDropDownMenu* ChildMenu() const override { return nullptr; }
    IDropDownMenu& OpenChildMenu() override { return *this; }
    void CloseChildMenu() override {}
};

// Every WM_COMMAND wParam the target windows of this program received.
std::vector<WPARAM> g_commands;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        g_commands.push_back(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window with the fixture's menu bar, as another program would show it.
UniqueWindow CreateTarget(const wchar_t* title) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TargetProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TarvikMenuTarget";
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    return UniqueWindow(CreateWindowExW(0, L"TarvikMenuTarget", title, WS_OVERLAPPEDWINDOW, 100,
                                        100, 400, 300, nullptr, fixture::BuildFixtureMenu(),
                                        GetModuleHandleW(nullptr), nullptr));
}

// The tree one item per line, indented by depth: "text id" (or "---"), "off" when disabled.
void Describe(const MenuItemList& items, const std::string& indent, std::string& out) {
    for (const auto& item : items) {
        if (item->IsSeparator) {
            out += indent + "---\n";
        } else {
            out += indent + item->text + " " + std::to_string(item->CommandId) +
                   (item->IsEnabled ? "" : " off") + "\n";
        }
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

class NativeMenuWin32 : public ::testing::Test {
  protected:
    void SetUp() override { g_commands.clear(); }

    MenuItemList Read(HWND window) {
        MenuItemList items;
        m_native.PopulateMenuFromHandle(items, reinterpret_cast<MenuHandle>(GetMenu(window)),
                                        reinterpret_cast<WindowHandle>(window));
        return items;
    }
    std::string Log() const { return ReadFile(m_folder.Path() / L"errors.log"); }

    TempFolder m_folder;
    FixedClock m_clock;
    Trace m_trace{m_folder.Path() / L"errors.log", m_clock};
    Win32MenuReader m_reader;
    Win32CommandPoster m_poster;
    Win32MessageBox m_box;
    ThemeLayout m_layout;
    NativeMenu m_native{m_reader, m_poster, m_box, m_trace, m_layout, TwipsPerPixel{}};
};

TEST_F(NativeMenuWin32, ReadsTheFixtureMenuBarIntoItsTree) {
    UniqueWindow target = CreateTarget(L"Tarvik Menu Fixture");
    ASSERT_TRUE(target);
    const MenuItemList items = Read(target.Get());

    std::string tree;
    Describe(items, "", tree);
    EXPECT_EQ(tree,
              "File -1\n"
              "  New 101\n"
              "  Open... 102\n"
              "  ---\n"
              "  Recent -1\n"
              "    a.txt 111\n"
              "    b.txt 112\n"
              "  ---\n"
              "  Exit 103\n"
              "Edit -1\n"
              "  Undo 201 off\n"
              "  Cut 202\n"
              "  Copy 203\n"
              "  Paste 204 off\n"
              "  Save & Close 205\n"
              "View -1\n"
              "  Status Bar 301\n"
              "  Zoom -1\n"
              "    Zoom In 311\n"
              "    Zoom Out 312\n"
              "    Layout -1\n"
              "      Compact 321\n");
    const MenuItem* compact = Find(items, "Compact");
    ASSERT_NE(compact, nullptr);
    EXPECT_EQ(compact->hWnd, reinterpret_cast<WindowHandle>(target.Get()));
    EXPECT_EQ(Log(), "");
}

TEST_F(NativeMenuWin32, ShortTitleOfARealWindow) {
    const std::wstring emoji = L"\U0001F600";
    struct Case {
        std::wstring title;
        std::wstring shown;
    };
    const Case cases[] = {
        {L"Tarvik Menu Fixture", L"Tarvik Menu Fixture"},
        {std::wstring(30, L'a'), std::wstring(30, L'a')},
        {std::wstring(31, L'a'), std::wstring(30, L'a') + L"..."},
        {std::wstring(29, L'b') + emoji + L"c", std::wstring(29, L'b') + L"..."},
        {std::wstring(400, L'd'), std::wstring(30, L'd') + L"..."},
        {L"", L""},
    };
    UniqueWindow target = CreateTarget(L"");
    ASSERT_TRUE(target);
    for (const Case& c : cases) {
        SetWindowTextW(target.Get(), c.title.c_str());
        EXPECT_EQ(m_native.ShortWindowTitle(reinterpret_cast<WindowHandle>(target.Get())),
                  Narrow(c.shown))
            << c.title.size();
    }
}

TEST_F(NativeMenuWin32, APickReachesTheWindowAsWmCommandWithItsIdentifier) {
    UniqueWindow target = CreateTarget(L"Tarvik Menu Fixture");
    ASSERT_TRUE(target);
    const MenuItemList items = Read(target.Get());
    NoDropDown menu;

    for (const char* text : {"Paste", "Undo", "Save & Close", "b.txt"}) {
        const MenuItem* item = Find(items, text);
        ASSERT_NE(item, nullptr) << text;
        bool closeAll = false;
        m_native.HandleMenuItem(*item, menu, 1, closeAll);
        EXPECT_TRUE(closeAll) << text;
    }
    // The disabled and grayed entries sent nothing; the others arrive in order.
    const std::vector<WPARAM> expected{fixture::kSaveAndClose, fixture::kRecentB};
    EXPECT_TRUE(test::PumpUntil([&] { return g_commands.size() >= 2; }, 2000ms));
    test::PumpMessages(100ms);
    EXPECT_EQ(g_commands, expected);
    EXPECT_EQ(Log(), "");
}

TEST_F(NativeMenuWin32, APostToADestroyedWindowIsLoggedWithTheSystemCodeAndNotQueued) {
    UniqueWindow target = CreateTarget(L"Tarvik Menu Fixture");
    ASSERT_TRUE(target);
    const WindowHandle handle = reinterpret_cast<WindowHandle>(target.Get());
    const MenuItemList items = Read(target.Get());
    target.Reset();  // the items are data: they outlive the window and its menu

    const MenuItem* cut = Find(items, "Cut");
    ASSERT_NE(cut, nullptr);
    NoDropDown menu;
    bool closeAll = false;
    m_native.HandleMenuItem(*cut, menu, 2, closeAll);
    EXPECT_TRUE(closeAll);
    EXPECT_EQ(Log(),
              "#2026-05-04 09:15:02#,1400,\"NativeMenu\",\"HandleMenuItem\",\"could not "
              "post command 202 (Cut) to window " +
                  std::to_string(handle) +
                  " - if the code is 5 the target is running elevated and Tarvik is not, "
                  "which UIPI does not allow and nothing here can work around\"\r\n");
    EXPECT_EQ(m_native.PendingFailureWindow(), 0u);
}

// What the timer saw of the box while it was open.
struct SeenBox {
    bool found = false;
    bool topmost = false;
    std::wstring text;
    int ticks = 0;
};
SeenBox g_seen;

BOOL CALLBACK CollectMessageText(HWND child, LPARAM) {
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    if (std::wstring_view(text).starts_with(L"Windows would not")) g_seen.text = text;
    return TRUE;
}

// Runs inside the box's own message loop: reads the box, then presses its OK button.
void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR, DWORD) {
    ++g_seen.ticks;
    HWND box = FindWindowW(L"#32770", L"Tarvik");
    if (box == nullptr) return;
    g_seen.found = true;
    g_seen.topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    EnumChildWindows(box, CollectMessageText, 0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(NativeMenuWin32, TheRefusalNoticeIsARealSystemModalBox) {
    UniqueWindow target = CreateTarget(L"Tarvik Menu Fixture");
    ASSERT_TRUE(target);
    g_seen = {};
    m_native.QueuePendingCommandFailure(reinterpret_cast<WindowHandle>(target.Get()), "Refresh");

    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseTheBox);
    ASSERT_NE(timer, 0u);
    m_native.ShowPendingCommandFailure();  // returns once the timer has closed the box
    KillTimer(nullptr, timer);

    EXPECT_TRUE(g_seen.found);
    EXPECT_TRUE(g_seen.topmost);
    std::wstring expected = Widen(NativeMenu::FailureMessage("Refresh", "Tarvik Menu Fixture"));
    EXPECT_EQ(Narrow(g_seen.text), Narrow(expected));
    EXPECT_EQ(m_native.PendingFailureWindow(), 0u);
    EXPECT_EQ(Log(), "");
}

TEST_F(NativeMenuWin32, TheFixtureProgramLogsEveryCommandItReceivesAndEndsOnClose) {
    const std::filesystem::path program = test::TestProgramFolder() / L"MenuFixture.exe";
    ASSERT_TRUE(std::filesystem::exists(program)) << "build the MenuFixture target first";
    const std::filesystem::path log = m_folder.Path() / L"commands.log";
    std::wstring commandLine = L"\"" + program.wstring() + L"\" \"" + log.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process));
    UniqueKernelHandle processHandle(process.hProcess);
    UniqueKernelHandle threadHandle(process.hThread);

    HWND window = nullptr;
    EXPECT_TRUE(test::PumpUntil(
        [&] { return (window = FindWindowW(L"TarvikMenuFixture", L"Tarvik Menu Fixture")); },
        10000ms));
    ASSERT_NE(window, nullptr);
    EXPECT_NE(GetMenu(window), nullptr);
    const auto handle = reinterpret_cast<WindowHandle>(window);
    EXPECT_TRUE(m_poster.PostCommand(handle, fixture::kSaveAndClose).posted);
    EXPECT_TRUE(m_poster.PostCommand(handle, fixture::kRecentA).posted);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(ReadFile(log), "205\r\n111\r\n");
}

}  // namespace
}  // namespace tarvik
