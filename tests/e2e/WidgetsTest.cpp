// The widgets as a user meets them: the start button's menu, the calendar under the clock, and
// Tarvik's own panel switching a widget off for good.
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "BarPixels.h"
#include "E2eSupport.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

// The calendar's height for this month: 4, 5 or 6 week rows, Monday first.
int CalendarHeight() {
    SYSTEMTIME first{};
    GetLocalTime(&first);
    const int month = first.wMonth, year = first.wYear;
    first.wDay = 1;
    FILETIME time{};
    SystemTimeToFileTime(&first, &time);
    FileTimeToSystemTime(&time, &first);
    const int lead = (first.wDayOfWeek + 6) % 7;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return 24 + 32 + 16 + (lead + days[month - 1] + 6) / 7 * 20;
}

// The calendar's canvas when one is shown.
HWND ShownCanvas(TarvikCopy& tarvik, std::chrono::milliseconds wait) {
    return tarvik.WaitForWindow(L"Tarvik_WidgetCanvas", wait);
}

// The running task managers, ended first when asked.
int TaskManagers(bool stop) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"taskmgr.exe") != 0) continue;
        ++count;
        const HANDLE process =
            stop ? OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID) : nullptr;
        if (process) TerminateProcess(process, 0), CloseHandle(process);
    }
    CloseHandle(snapshot);
    return count;
}

struct StoredValueReset {
    StoredValueReset() { StoreDisabled(nullptr); }
    ~StoredValueReset() { StoreDisabled(nullptr); }
};

TEST(Widgets, TheStartButtonsMenuStartsTheTaskManager) {
    StartGdiPlus();
    TaskManagers(true);
    const StoredValueReset reset;
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.Start(L"", {{L"TARVIK_DEMO", L"1"}}));
    ASSERT_NE(tarvik.WaitForWindow(L"Tarvik_Bar"), nullptr);
    PumpMessages(600ms);
    SaveScreenshot(ScreenshotFolder() / L"widgets-bar.png", RECT{0, 0, ScreenWidth(), kBarHeight});

    MovePointer(kStartCentre, 10);
    ClickPointer();
    RECT menu{};
    ASSERT_TRUE(GetWindowRect(tarvik.WaitForWindow(L"Tarvik_DropDownMenu", 5s), &menu));
    SaveScreenshot(ScreenshotFolder() / L"widgets-start-menu.png",
                   RECT{0, 0, menu.right + 20, menu.bottom + 20});
    // Under the button: 8 rows of 21 and 3 separators of 10, with 4 above and 6 below.
    EXPECT_EQ(menu.left, 8);
    EXPECT_EQ(menu.top, kVisibleBar);
    EXPECT_EQ(menu.bottom - menu.top, 8 * 21 + 3 * 10 + 4 + 6);
    // "Task Manager..." is the fourth row, below two rows and a separator.
    MovePointer(menu.left + 60, menu.top + 4 + 2 * 21 + 10 + 10);
    ClickPointer();
    EXPECT_TRUE(PumpUntil([] { return TaskManagers(false) > 0; }, 10s))
        << "the task manager did not start";
    TaskManagers(true);
}

TEST(Widgets, TheCalendarOpensUnderTheClockAndClosesWhenThePointerLeavesTheBar) {
    StartGdiPlus();
    const StoredValueReset reset;
    TarvikCopy tarvik;
    ASSERT_TRUE(tarvik.Start(L"", {{L"TARVIK_DEMO", L"1"}}));
    ASSERT_NE(tarvik.WaitForWindow(L"Tarvik_Bar"), nullptr);
    PumpMessages(600ms);
    const int textLeft = ClockTextLeft(L"widgets-clock.png");
    ASSERT_GT(textLeft, 0);
    const HWND active = GetForegroundWindow();
    MovePointer((textLeft + ScreenWidth() - 8) / 2, 10);
    const HWND canvas = ShownCanvas(tarvik, 3s);
    ASSERT_NE(canvas, nullptr) << "no calendar";
    RECT rect{};
    GetWindowRect(canvas, &rect);
    PumpMessages(300ms);
    SaveScreenshot(ScreenshotFolder() / L"widgets-calendar.png",
                   RECT{rect.left - 20, 0, ScreenWidth(), rect.bottom + 20});
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, CalendarHeight());
    EXPECT_EQ(rect.top, kBarHeight);
    EXPECT_EQ(GetForegroundWindow(), active) << "hovering took the keyboard from the program";
    EXPECT_LE(rect.right, ScreenWidth());

    MovePointer(ScreenWidth() - 3, 10);  // onto the empty margin right of the clock: it stays
    PumpMessages(500ms);
    EXPECT_TRUE(IsWindowVisible(canvas));
    MovePointer(ScreenWidth() / 2, 300);  // off the bar: it closes
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(canvas); }, 2s));
}

// The App button sits left of the clock; its panel's "Options..." button is centred 102 pixels
// down, and the widget rows below the 42-pixel title band are 22 high: Start, then Clock.
TEST(Widgets, ThePanelSwitchesTheClockOffForGoodAndAHandWrittenValueIsHonoured) {
    StartGdiPlus();
    const StoredValueReset reset;
    {
        TarvikCopy tarvik;
        ASSERT_TRUE(tarvik.Start(L"", {{L"TARVIK_DEMO", L"1"}}));
        ASSERT_NE(tarvik.WaitForWindow(L"Tarvik_Bar"), nullptr);
        PumpMessages(600ms);
        const int clockLeft = ClockTextLeft(L"widgets-clock.png") - 4;
        MovePointer(clockLeft - 2 - 25, 10);
        ClickPointer();
        const HWND canvas = ShownCanvas(tarvik, 3s);
        ASSERT_NE(canvas, nullptr) << "no panel";
        RECT rect{};
        GetWindowRect(canvas, &rect);
        PumpMessages(300ms);
        SaveScreenshot(ScreenshotFolder() / L"widgets-app-about.png",
                       RECT{rect.left - 20, 0, rect.right + 20, rect.bottom + 20});
        MovePointer(rect.left + 88, rect.top + 102 + 12);
        ClickPointer();
        PumpMessages(300ms);
        GetWindowRect(canvas, &rect);
        SaveScreenshot(ScreenshotFolder() / L"widgets-app-options.png",
                       RECT{rect.left - 20, 0, rect.right + 20, rect.bottom + 20});
        MovePointer(rect.left + 60, rect.top + 42 + 22 + 11);
        ClickPointer();
        EXPECT_TRUE(PumpUntil([] { return StoredDisabled() == L"Clock"; }, 2s));
        // Gone from the bar at once: the App button is now the rightmost.
        PumpMessages(300ms);
        MovePointer(ScreenWidth() - 8 - 25, 10);
        ClickPointer();
        PumpMessages(500ms);
        GetWindowRect(canvas, &rect);
        EXPECT_EQ(rect.right - rect.left, 176) << "the rightmost button is not the App button";
    }
    // As the panel stored it, then as written by hand in other letter case.
    for (const wchar_t* stored : {L"Clock", L"cLOCK"}) {
        StoreDisabled(stored);
        TarvikCopy tarvik;
        ASSERT_TRUE(tarvik.Start(L"", {{L"TARVIK_DEMO", L"1"}}));
        ASSERT_NE(tarvik.WaitForWindow(L"Tarvik_Bar"), nullptr);
        PumpMessages(600ms);
        MovePointer(ScreenWidth() - 8 - 25, 10);  // where the clock would be: no calendar
        EXPECT_EQ(ShownCanvas(tarvik, 1500ms), nullptr) << "stored as '" << stored << "'";
        ParkPointer();
    }
}

}  // namespace
}  // namespace tarvik::test
