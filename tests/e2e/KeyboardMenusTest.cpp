// The bar's menus worked from the keyboard, for a program in front: its hotkey, the arrows and
// Enter, and a new hotkey chosen on the App panel. Under Wine no other program's menu bar can be
// read, so the program's menus are its custom shortcut menu, whose rows press their chord in the
// program.
#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "win32/support/BarHarness.h"

namespace tarvik::test {
namespace {

constexpr const wchar_t* kCustomMenus = L"Software\\Tarvik\\CustomMenus";

TEST(KeyboardMenus, TheHotkeyOpensTheFirstMenuTheArrowsMoveAndEnterRunsTheRowInTheProgram) {
    StartGdiPlus();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarvik\\Hotkeys");  // the default chords
    const std::wstring menus = L"Shortcuts\036type j\037Ctrl+J\036type k\037Ctrl+K";
    RegSetKeyValueW(HKEY_CURRENT_USER, kCustomMenus, L"menufixture.exe", REG_SZ, menus.c_str(),
                    static_cast<DWORD>((menus.size() + 1) * sizeof(wchar_t)));
    const TempFolder folder;
    const auto keys = folder.Path() / L"keys.txt";
    MenuFixtureProcess fixture(L"Keyboard Target", keys.wstring());
    ASSERT_NE(fixture.Window(), nullptr);
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.Start(L"", {}) && tarvik.WaitForWindow(L"Tarvik_Bar"));
    // On a busy machine the program's window may not be on the screen yet, and under Wine without
    // a window manager the previous test's windows, going away late, can hand the keyboard to the
    // desktop after the click: the click is repeated until the program stays in front.
    for (int attempt = 0; attempt < 5 && GetForegroundWindow() != fixture.Window(); ++attempt) {
        PumpUntil(
            [&] {
                return GetAncestor(WindowFromPoint({360, 320}), GA_ROOT) == fixture.Window();
            },
            5s);
        MovePointer(360, 320);  // onto the program's window: it comes to the front
        ClickPointer();
        MovePointer(360, 600);  // and away from where the menu opens
        PumpMessages(600ms);
    }
    ASSERT_EQ(GetForegroundWindow(), fixture.Window());

    Chord({VK_LWIN, VK_MENU, 'M'});
    const HWND menu = tarvik.WaitForWindow(L"Tarvik_DropDownMenu", 5s);
    ASSERT_NE(menu, nullptr) << "Win+Alt+M opens the first menu";
    // The rows: "type j" (hot on opening), "type k", a separator, "Edit menu...".
    Chord({VK_DOWN});
    Chord({VK_DOWN});
    Chord({VK_UP});
    RECT rect{};
    GetWindowRect(menu, &rect);
    SaveScreenshot(ScreenshotFolder() / L"keyboard-menus.png",
                   {rect.left - 60, 0, rect.right + 60, rect.bottom + 10});
    Chord({VK_RETURN});
    EXPECT_TRUE(PumpUntil(
        [&] { return ReadFile(keys).ends_with("down 17\r\ndown 75\r\nup 75\r\nup 17\r\n"); }, 5s))
        << ReadFile(keys);
    EXPECT_FALSE(IsWindowVisible(menu));

    // Escape from the only open menu closes it; then the program has its keys again.
    Chord({VK_LWIN, VK_MENU, 'M'});
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(menu) != FALSE; }, 3s));
    Chord({VK_ESCAPE});
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(menu); }, 3s));
    Chord({VK_DOWN});
    EXPECT_EQ(GetForegroundWindow(), fixture.Window()) << "the program kept the keyboard";
    const std::string received = ReadFile(keys);
    for (const char* taken : {"down 38\r", "down 13\r", "down 27\r"}) {
        EXPECT_EQ(received.find(taken), std::string::npos) << taken << "went to the program";
    }
    EXPECT_TRUE(received.ends_with("down 40\r\nup 40\r\n")) << received;

    // A new chord for the menus, chosen on the App panel's widgets page: the hotkeys' heading
    // follows ten widget rows, so the menus' row is 296..318 down the panel.
    ASSERT_TRUE(ClickInAppOptions(tarvik, ClockTextLeft(L"keyboard-menus-clock.png") - 4 - 2 - 25,
                                  300, L"keyboard-menus-options.png"));
    PumpMessages(300ms);
    Chord({VK_LWIN, VK_CONTROL, 'K'});
    EXPECT_EQ(Stored(L"Hotkeys", L"OpenMenus"), L"Win+Ctrl+K");
    MovePointer(360, 320);  // the program in front again
    ClickPointer();
    MovePointer(360, 600);
    PumpUntil([&] { return GetForegroundWindow() == fixture.Window(); }, 3s);
    Chord({VK_LWIN, VK_MENU, 'M'});
    EXPECT_FALSE(IsWindowVisible(menu)) << "the old chord is let go";
    Chord({VK_LWIN, VK_CONTROL, 'K'});
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(menu) != FALSE; }, 3s));
    Chord({VK_ESCAPE});
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarvik\\Hotkeys");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kCustomMenus, L"menufixture.exe");
}

}  // namespace
}  // namespace tarvik::test
