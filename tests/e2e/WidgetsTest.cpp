// The widgets as a user meets them: the calendar under the clock and Tarvik's own panel switching
// a widget off for good.
#include <gtest/gtest.h>
#include <windows.h>

#include "E2eSupport.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

// Hovering the clock opens its calendar, which keeps the keyboard where it was and stays over
// the margin right of the clock; and the clock, switched off in the panel of the App button left
// of it (Start, then Clock), is gone in the next run too.
TEST(Widgets, CalendarAndThePanelSwitchingTheClockOffForGood) {
    StartGdiPlus();
    const struct Reset {
        Reset() { StoreDisabled(nullptr); }
        ~Reset() { StoreDisabled(nullptr); }
    } reset;
    {
        TarvikCopy tarvik;
        ASSERT_TRUE(tarvik.StartDemo());
        const int textLeft = ClockTextLeft(L"widgets-clock.png");
        ASSERT_GT(textLeft, 0);
        const HWND active = GetForegroundWindow();
        MovePointer((textLeft + ScreenWidth() - 8) / 2, 10);
        const HWND canvas = tarvik.WaitForWindow(L"Tarvik_WidgetCanvas", 3s);
        RECT rect{};
        ASSERT_TRUE(GetWindowRect(canvas, &rect)) << "no calendar";
        PumpMessages(300ms);
        SaveScreenshot(ScreenshotFolder() / L"widgets-calendar.png",
                       RECT{rect.left - 20, 0, ScreenWidth(), rect.bottom + 20});
        EXPECT_EQ(GetForegroundWindow(), active) << "hovering took the keyboard from the program";
        MovePointer(ScreenWidth() - 3, 10);  // onto the empty margin right of the clock: it stays
        PumpMessages(500ms);
        EXPECT_TRUE(IsWindowVisible(canvas));
        MovePointer(ScreenWidth() / 2, 300);  // off the bar: it closes
        EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(canvas); }, 2s));

        ASSERT_TRUE(
            SwitchInAppOptions(tarvik, textLeft - 4 - 2 - 25, 1, L"widgets-app-options.png"))
            << "no panel";
        EXPECT_TRUE(PumpUntil([] { return StoredDisabled() == L"Clock"; }, 2s));
    }
    // Started again: no calendar where the clock would be. (The stored names are read in any
    // case; the widget host's tests hold that.)
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.StartDemo());
    MovePointer(ScreenWidth() - 8 - 25, 10);
    EXPECT_EQ(tarvik.WaitForWindow(L"Tarvik_WidgetCanvas", 1500ms), nullptr);
    ParkPointer();
}

}  // namespace
}  // namespace tarvik::test
