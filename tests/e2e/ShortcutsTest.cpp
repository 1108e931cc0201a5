// The custom shortcut menus as a user meets them, for a program without a menu bar (under Wine no
// other program's menu bar can be read); and the search button.
#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "win32/support/BarHarness.h"
#include "win32/support/PointerInput.h"

namespace tarvik::test {
namespace {

constexpr const wchar_t* kSection = L"Software\\Tarvik\\CustomMenus";

std::wstring Stored() {  // the fixture's menus as stored; empty when there is no value
    wchar_t value[256] = {};
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, kSection, L"menufixture.exe", RRF_RT_ANY, nullptr, value,
                 &size);
    return value;
}

// Presses and lets go of each key in turn (virtual-key codes), with the held ones down meanwhile.
void Press(std::string keys, std::string held = "") {
    for (const char key : held) keybd_event(key, 0, 0, 0);
    for (const char key : keys) keybd_event(key, 0, 0, 0), keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    for (const char key : held) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    PumpMessages(300ms);
}

// Opens the drop-down of the strip's second title, "Shortcuts"; its rectangle.
RECT OpenShortcutsMenu(TarvikCopy& tarvik) {
    const auto titles = StripTitles(0, L"shortcuts-strip.png");
    EXPECT_EQ(titles.size(), 2u) << "the program's title and \"Shortcuts\"";
    const int x = titles.size() == 2 ? (titles[1].left + titles[1].right) / 2 : 0;
    return ClickOpens(tarvik, x, 10, L"Tarvik_DropDownMenu");
}

// Picks the first row of the menu; the canvas it opens, if it opens one (or after 3 s).
RECT PickFirstRow(TarvikCopy& tarvik, const RECT& menu) {
    return ClickOpens(tarvik, menu.left + 40, menu.top + 14, L"Tarvik_WidgetCanvas", nullptr, 3s);
}

std::vector<std::string> g_hookedKeys;

LRESULT CALLBACK RecordKey(int code, WPARAM wParam, LPARAM lParam) {
    const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    g_hookedKeys.push_back((key.flags & LLKHF_UP ? "^" : "") + std::to_string(key.vkCode));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Shortcuts, AnEntryMadeInTheEditorIsKeptAndPressesItsChordInTheProgram) {
    StartGdiPlus();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSection, L"menufixture.exe");
    const TempFolder folder;
    const auto keys = folder.Path() / L"keys.txt";
    MenuFixtureProcess fixture(L"Shortcut Target", keys.wstring());
    ASSERT_NE(fixture.Window(), nullptr);
    {
        TarvikCopy tarvik;
        ASSERT_TRUE(tarvik.Start(L"", {}) && tarvik.WaitForWindow(L"Tarvik_Bar"));
        PumpMessages(600ms);
        const RECT canvas = PickFirstRow(tarvik, OpenShortcutsMenu(tarvik));
        Press("TYPE K");
        MovePointer(canvas.left + 150, canvas.top + 130);  // the Shortcut field
        ClickPointer();
        Press("K", "\x11");  // Ctrl+K
        SaveScreenshot(ScreenshotFolder() / L"shortcuts-editor-add.png",
                       {canvas.left - 20, 0, canvas.right + 20, canvas.bottom + 20});
        Press("\r");
        EXPECT_TRUE(PumpUntil([] { return Stored() == L"Shortcuts\036type k\037Ctrl+K"; }, 2s));
        Press("\x1B");
    }
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.Start(L"", {}) && tarvik.WaitForWindow(L"Tarvik_Bar"));
    MovePointer(360, 320);  // onto the program's window: it comes to the front
    ClickPointer();
    PumpMessages(600ms);
    PickFirstRow(tarvik, OpenShortcutsMenu(tarvik));  // the new entry
    EXPECT_TRUE(
        PumpUntil([&] { return ReadFile(keys) == "down 17\r\ndown 75\r\nup 75\r\nup 17\r\n"; }, 2s))
        << ReadFile(keys);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSection, L"menufixture.exe");

    // The search button is the third dark shape from the right: the clock's text, the App
    // button's icon, then its own. It presses the Windows key with S.
    const auto shapes =
        DarkRuns(RECT{ScreenWidth() - 400, 2, ScreenWidth(), 21}, L"shortcuts-search.png", 15);
    ASSERT_GE(shapes.size(), 3u);
    const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, RecordKey, GetModuleHandleW(nullptr), 0);
    MovePointer((shapes.end()[-3].left + shapes.end()[-3].right) / 2, 10);
    ClickPointer();
    PumpUntil([] { return g_hookedKeys.size() >= 4; }, 2s);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_hookedKeys, (std::vector<std::string>{"91", "83", "^83", "^91"}));
}

}  // namespace
}  // namespace tarvik::test
