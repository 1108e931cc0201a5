// The custom shortcut menus as a user meets them, for a program without a menu bar (under Wine no
// other program's menu bar can be read).
#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "win32/support/BarHarness.h"
#include "win32/support/PointerInput.h"

namespace tarvik::test {
namespace {

constexpr const wchar_t* kSection = L"Software\\Tarvik\\CustomMenus";

// Opens the drop-down of the strip's second title, "Shortcuts", once the strip shows the program's
// title and "Shortcuts"; its rectangle.
RECT OpenShortcutsMenu(TarvikCopy& tarvik) {
    std::vector<Title> titles;
    PumpUntil([&] { return (titles = StripTitles(0, L"shortcuts-strip.png")).size() == 2; }, 3s);
    EXPECT_EQ(titles.size(), 2u);
    const int x = titles.size() == 2 ? (titles[1].left + titles[1].right) / 2 : 0;
    return ClickOpens(tarvik, x, 10, L"Tarvik_DropDownMenu");
}

TEST(Shortcuts, AnEntryMadeInTheEditorIsKeptAndPressesItsChordInTheProgram) {
    StartGdiPlus();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSection, L"menufixture.exe");
    const TempFolder folder;
    const auto keys = folder.Path() / L"keys.txt";
    MenuFixtureProcess fixture(L"Shortcut Target", keys.wstring());
    ASSERT_NE(fixture.Window(), nullptr);
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.Start(L"", {}) && tarvik.WaitForWindow(L"Tarvik_Bar"));
    RECT menu = OpenShortcutsMenu(tarvik);
    // Its first row opens the editor.
    const RECT canvas =
        ClickOpens(tarvik, menu.left + 40, menu.top + 14, L"Tarvik_WidgetCanvas", nullptr, 3s);
    Chord({'T', 'Y', 'P', 'E', VK_SPACE, 'K'});        // types "type k"
    MovePointer(canvas.left + 150, canvas.top + 130);  // the Shortcut field
    ClickPointer();
    Chord({VK_CONTROL, 'K'});
    SaveScreenshot(ScreenshotFolder() / L"shortcuts-editor-add.png",
                   {canvas.left - 20, 0, canvas.right + 20, canvas.bottom + 20});
    Chord({VK_RETURN});
    EXPECT_TRUE(PumpUntil(
        [] {
            return Stored(L"CustomMenus", L"menufixture.exe") == L"Shortcuts\036type k\037Ctrl+K";
        },
        2s));
    Chord({VK_ESCAPE});

    MovePointer(360, 320);  // onto the program's window: it comes to the front
    ClickPointer();
    PumpUntil([&] { return GetForegroundWindow() == fixture.Window(); }, 2s);
    menu = OpenShortcutsMenu(tarvik);
    MovePointer(menu.left + 40, menu.top + 14);  // the new entry
    ClickPointer();
    EXPECT_TRUE(
        PumpUntil([&] { return ReadFile(keys) == "down 17\r\ndown 75\r\nup 75\r\nup 17\r\n"; }, 2s))
        << ReadFile(keys);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSection, L"menufixture.exe");
}

}  // namespace
}  // namespace tarvik::test
