// The bar as a user meets it: across the top of the screen, the demo menus opening under their
// titles, the foreground program's title, and Exit from the right-click menu.
#include <gtest/gtest.h>

#include <array>

#include "E2eSupport.h"
#include "win32/support/BarHarness.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

constexpr int kMenuPad = 10;  // the strip's titles are drawn this far right of their highlight

TEST(Bar, SitsAtTheTopOverItsBackdropAndOpensTheDemoMenus) {
    StartGdiPlus();
    TarvikCopy tarvik;
    const int top = 30;
    ASSERT_TRUE(tarvik.Start(L"", {{L"TARVIK_BAR_TOP", L"30"}, {L"TARVIK_DEMO", L"1"}}));
    const HWND bar = tarvik.WaitForWindow(L"Tarvik_Bar");
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(bar, &rect));
    EXPECT_EQ((std::array{rect.left, rect.top, rect.right, rect.bottom}),
              (std::array<LONG, 4>{0, top, GetSystemMetrics(SM_CXSCREEN), top + kBarHeight}));
    EXPECT_EQ(GetWindowLongPtrW(bar, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOPMOST),
              WS_EX_LAYERED | WS_EX_TOPMOST);
    EXPECT_EQ(TextOf(tarvik.WaitForWindow(L"Tarvik_BackdropWindow", 5s)), L"Tarvik_Backdrop");

    PumpMessages(600ms);  // the first drawing follows the first tick
    // "Tarvik" (bold), "File", "Edit", "View", "Window", "Help".
    const auto titles = StripTitles(top, L"bar-demo-strip.png");
    ASSERT_EQ(titles.size(), 6u);
    MovePointer((titles[1].left + titles[1].right) / 2, top + 10);
    ClickPointer();
    // The drop-down's left edge lines up with the title's highlight, its top with the bar's bottom.
    ASSERT_TRUE(GetWindowRect(tarvik.WaitForWindow(L"Tarvik_DropDownMenu", 5s), &rect));
    EXPECT_NEAR(rect.left, titles[1].left - kMenuPad, 5);
    EXPECT_EQ(rect.top, top + kVisibleBar);
}

TEST(Bar, ShowsTheForegroundProgramsTitleFollowsTheForegroundAndEndsWithExit) {
    StartGdiPlus();
    MenuFixtureProcess alpha(L"Alpha");
    ASSERT_NE(alpha.Window(), nullptr);
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.Start(L"", {}));
    ASSERT_NE(tarvik.WaitForWindow(L"Tarvik_Bar"), nullptr);
    PumpMessages(600ms);
    // The short title and the custom "Shortcuts": under Wine another process's menus cannot be
    // read, so it counts as a program without a menu bar.
    const auto alphaTitles = StripTitles(0, L"bar-fixture-strip.png");
    ASSERT_EQ(alphaTitles.size(), 2u);
    // The next program in front takes the strip within a housekeeping tick (400 ms) and a bit.
    MenuFixtureProcess beta(L"A much longer window title");
    EXPECT_TRUE(PumpUntil(
        [&] {
            const auto titles = StripTitles(0, L"bar-fixture-strip.png");
            return titles.size() == 2 && titles[0].Width() > 3 * alphaTitles[0].Width();
        },
        1s));

    MovePointer(1500, 10);
    ClickPointer(true);
    RECT menu{};
    ASSERT_TRUE(GetWindowRect(tarvik.WaitForWindow(L"#32768", 5s), &menu)) << "no context menu";
    EXPECT_NEAR(menu.left, 1500, 2);
    // Dismissed, the menu picks nothing and the program goes on.
    keybd_event(VK_ESCAPE, 0, 0, 0), keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(tarvik.WaitForExit(1s), std::nullopt);
    ClickPointer(true);
    ASSERT_TRUE(GetWindowRect(tarvik.WaitForWindow(L"#32768", 5s), &menu)) << "no context menu";
    MovePointer(menu.left + 20, (menu.top + menu.bottom) / 2);  // on Exit, its only item
    ClickPointer();
    EXPECT_EQ(tarvik.WaitForExit(10s), std::optional<DWORD>(0));
}

// Closed by another program while its context menu is open, a loop nested in the bar's own
// handler, the bar ends cleanly once that handler is done and leaves no strip on record.
TEST(Bar, ClosedFromOutsideWhileItsMenuIsOpenItEndsCleanlyAndForgetsItsStrip) {
    const auto onRecord = [] {
        return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Tarvik\\WorkArea", L"SavedTop",
                            RRF_RT_REG_SZ, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    };
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.StartDemo());
    EXPECT_TRUE(onRecord()) << "no strip taken";
    MovePointer(1500, 10);
    ClickPointer(true);
    ASSERT_NE(tarvik.WaitForWindow(L"#32768", 5s), nullptr) << "no context menu";
    PostMessageW(tarvik.WaitForWindow(L"Tarvik_Bar"), WM_CLOSE, 0, 0);
    EXPECT_EQ(tarvik.WaitForExit(10s), std::optional<DWORD>(0));
    EXPECT_FALSE(onRecord());
}

}  // namespace
}  // namespace tarvik::test
