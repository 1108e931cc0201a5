// Programs that draw their own menu bar: the bar reads it through the program's accessibility
// interface (from another process, as on a user's desktop), shows it, and runs picked rows there.
#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "win32/support/BarHarness.h"

namespace tarvik::test {
namespace {

// The default theme's drop-down: rows 21 high from y 4, separators 10, 6 below the last row.
constexpr int kRowTop = 4, kRowHeight = 21, kSeparatorHeight = 10, kBottomPad = 6;

int Height(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

TEST(AccessibleMenus, ADrawnMenuBarShowsOnTheStripWithItsRowsAndRunsThePickedOne) {
    StartGdiPlus();
    const TempFolder folder;
    const auto log = folder.Path() / L"invoked.txt";
    MenuFixtureProcess fixture(L"AccessibleMenuFixture.exe", L"TarvikAccessibleFixture",
                               L"Drawn Menus", log.wstring());
    ASSERT_NE(fixture.Window(), nullptr);
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.Start(L"", {}) && tarvik.WaitForWindow(L"Tarvik_Bar"));
    // The program's title, then File, Edit and View: no "Shortcuts" for a program with menus.
    std::vector<Title> titles;
    PumpUntil([&] { return (titles = StripTitles(0, L"accessible-strip.png")).size() == 4; }, 3s);
    ASSERT_EQ(titles.size(), 4u);

    // File: New, Save As..., a separator, Recent (a cascade) and Exit. (The program's log, checked
    // whole below, shows that reading the titles opened nothing and that each title read was
    // opened and closed.)
    MovePointer((titles[1].left + titles[1].right) / 2, 10);
    ClickPointer();
    const HWND dropDown = tarvik.WaitForWindow(L"Tarvik_DropDownMenu", 5s);
    ASSERT_NE(dropDown, nullptr);
    EXPECT_EQ(Height(dropDown), kRowTop + 4 * kRowHeight + kSeparatorHeight + kBottomPad);
    // Edit: Undo (disabled: a click on it runs nothing and leaves the drop-down open), Copy, Paste.
    MovePointer((titles[2].left + titles[2].right) / 2, 10);
    EXPECT_TRUE(
        PumpUntil([&] { return Height(dropDown) == kRowTop + 3 * kRowHeight + kBottomPad; }, 2s));
    RECT list{};
    GetWindowRect(dropDown, &list);
    MovePointer(list.left + 50, list.top + kRowTop + kRowHeight / 2);
    PumpMessages(100ms);
    ClickPointer();
    PumpMessages(300ms);
    EXPECT_TRUE(IsWindowVisible(dropDown));
    // View: Status Bar and Toolbar, the hidden row left out (its state is read from the program).
    MovePointer((titles[3].left + titles[3].right) / 2, 10);
    EXPECT_TRUE(
        PumpUntil([&] { return Height(dropDown) == kRowTop + 2 * kRowHeight + kBottomPad; }, 2s));
    GetWindowRect(dropDown, &list);
    SaveScreenshot(ScreenshotFolder() / L"accessible-dropdown.png",
                   {list.left - 10, 0, list.right + 40, list.bottom + 20});

    // Back in File, Recent opens its cascade of two rows beside it; then picking Save As... runs
    // it in the program (which opens the way to it).
    MovePointer((titles[1].left + titles[1].right) / 2, 10);
    PumpUntil([&] { return Height(dropDown) > kRowTop + 3 * kRowHeight + kBottomPad; }, 2s);
    GetWindowRect(dropDown, &list);
    MovePointer(list.left + 50, list.top + kRowTop + 2 * kRowHeight + kSeparatorHeight + 10);
    EXPECT_TRUE(PumpUntil(
        [&] {
            for (HWND w = nullptr;
                 (w = FindWindowExW(nullptr, w, L"Tarvik_DropDownMenu", nullptr));)
                if (w != dropDown && IsWindowVisible(w) &&
                    Height(w) == kRowTop + 2 * kRowHeight + kBottomPad)
                    return true;
            return false;
        },
        2s))
        << "the Recent cascade did not open";
    MovePointer(list.left + 50, list.top + kRowTop + kRowHeight + kRowHeight / 2);
    PumpMessages(100ms);
    ClickPointer();
    EXPECT_TRUE(PumpUntil([&] { return ReadFile(log).ends_with("invoke Save &As...\r\n"); }, 3s))
        << ReadFile(log);
    EXPECT_EQ(ReadFile(log),
              "open &File\r\nclose &File\r\nopen &Edit\r\nclose &Edit\r\nopen &View\r\n"
              "close &View\r\nopen &File\r\nclose &File\r\nopen &File\r\ninvoke Save &As...\r\n");

    // The menu search over the same program: its hotkey, a query, Enter runs the row there.
    MovePointer(350, 330);  // onto the program's window: it comes to the front
    ClickPointer();
    MovePointer(350, 600);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == fixture.Window(); }, 2s));
    const auto searched = ReadFile(log).size();
    Chord({VK_LWIN, VK_MENU, VK_SPACE});
    const HWND search = tarvik.WaitForWindow(L"Tarvik_SearchPanel", 5s);
    ASSERT_NE(search, nullptr) << "Win+Alt+Space opens the search";
    // Typed once the panel has the keyboard; Enter once the search has read every title's rows
    // (the program opened and closed each).
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == search; }, 2s));
    // "sa" finds Save As alone by its first letters ("a" alone would find a.txt first), and so
    // does "sav as" by words.
    Chord({'S'});
    Chord({'A'});
    PumpUntil([&] { return ReadFile(log).ends_with("close &View\r\n"); }, 3s);
    PumpMessages(100ms);
    const int oneResult = Height(search);
    for (const BYTE key : std::initializer_list<BYTE>{'V', VK_SPACE, 'A', 'S'}) Chord({key});
    RECT panel{};
    GetWindowRect(search, &panel);
    SaveScreenshot(ScreenshotFolder() / L"accessible-search.png",
                   {panel.left - 20, 0, panel.right + 20, panel.bottom + 20});
    EXPECT_EQ(Height(search), oneResult);
    Chord({VK_RETURN});
    EXPECT_TRUE(PumpUntil([&] { return ReadFile(log).ends_with("invoke Save &As...\r\n"); }, 3s));
    EXPECT_EQ(ReadFile(log).substr(searched),
              "open &File\r\nclose &File\r\nopen &Edit\r\nclose &Edit\r\nopen &View\r\n"
              "close &View\r\nopen &File\r\ninvoke Save &As...\r\n");
    EXPECT_FALSE(IsWindowVisible(search));
    EXPECT_EQ(Stored(L"Recent", L"accessiblemenufixture.exe"), L"File > Save As...");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Tarvik\\Recent",
                       L"accessiblemenufixture.exe");
}

TEST(AccessibleMenus, AProgramThatStopsAnsweringLeavesTheBarResponsiveWithItsShortcuts) {
    StartGdiPlus();
    MenuFixtureProcess fixture(L"AccessibleMenuFixture.exe", L"TarvikAccessibleFixture",
                               L"Hung Menus", L"NUL", L"hang");
    ASSERT_NE(fixture.Window(), nullptr);
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.Start(L"", {}));
    const HWND bar = tarvik.WaitForWindow(L"Tarvik_Bar");
    ASSERT_NE(bar, nullptr);
    PumpMessages(1500ms);
    // Another program in front, then the hung one again: the bar asks it again and answers its
    // own messages meanwhile, within the time limit and a little.
    MenuFixtureProcess other(L"Other Program");
    PumpMessages(800ms);
    SetForegroundWindow(fixture.Window());
    auto slowest = 0ms;
    const auto end = std::chrono::steady_clock::now() + 2500ms;
    while (std::chrono::steady_clock::now() < end) {
        const auto before = std::chrono::steady_clock::now();
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(bar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
        slowest = std::max(slowest, std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - before));
        PumpMessages(20ms);
    }
    EXPECT_LT(slowest, 1000ms);
    // The program's title and "Shortcuts".
    EXPECT_EQ(StripTitles(0, L"accessible-hung-strip.png").size(), 2u);
    const std::string trace = ReadFile(tarvik.LogFile());
    EXPECT_NE(trace.find("did not answer its accessibility requests within 500 ms"),
              std::string::npos)
        << trace;
}

}  // namespace
}  // namespace tarvik::test
