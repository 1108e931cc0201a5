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
    ASSERT_TRUE(tarvik.StartDemo());
    MovePointer(kStartCentre, 10);
    ClickPointer();
    RECT menu{};
    ASSERT_TRUE(GetWindowRect(tarvik.WaitForWindow(L"Tarvik_DropDownMenu", 5s), &menu));
    SaveScreenshot(ScreenshotFolder() / L"widgets-start-menu.png",
                   RECT{0, 0, menu.right + 20, menu.bottom + 20});
    // "Task Manager..." is the fourth row, below two rows of 21 and a separator of 10.
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
}

// The App button sits left of the clock; its panel's "Options..." button is centred 102 pixels
// down, and the widget rows below the 42-pixel title band are 22 high: Start, then Clock.
TEST(Widgets, ThePanelSwitchesTheClockOffForGood) {
    StartGdiPlus();
    const StoredValueReset reset;
    {
        TarvikCopy tarvik;
        ASSERT_TRUE(tarvik.StartDemo());
        MovePointer(ClockTextLeft(L"widgets-clock.png") - 4 - 2 - 25, 10);
        ClickPointer();
        const HWND canvas = tarvik.WaitForWindow(L"Tarvik_WidgetCanvas", 3s);
        RECT rect{};
        ASSERT_TRUE(GetWindowRect(canvas, &rect)) << "no panel";
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
    }
    // Started again, as the panel stored it and as written by hand: no calendar where the clock
    // would be.
    for (const wchar_t* stored : {L"Clock", L"cLOCK"}) {
        StoreDisabled(stored);
        TarvikCopy tarvik;
        ASSERT_TRUE(tarvik.StartDemo());
        MovePointer(ScreenWidth() - 8 - 25, 10);
        EXPECT_EQ(tarvik.WaitForWindow(L"Tarvik_WidgetCanvas", 1500ms), nullptr) << stored;
        ParkPointer();
    }
}

}  // namespace
}  // namespace tarvik::test
