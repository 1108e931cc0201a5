// The widgets as a user meets them: the calendar under the clock, the start button's menu, and
// Tarvik's own panel switching a widget off for good.
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <gtest/gtest.h>

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

// Hovering the clock opens its calendar, which keeps the keyboard where it was and stays over
// the margin right of the clock; the start button's menu starts the task manager; and the clock,
// switched off in the panel of the App button left of it (Start, then Clock), is stored as off
// (the next run reads the stored names: the widget host's tests and every flow here that shows
// only some widgets hold that).
TEST(Widgets, CalendarStartMenuAndThePanelSwitchingTheClockOffForGood) {
    StartGdiPlus();
    TaskManagers(true);
    const struct Reset {
        Reset() { StoreDisabled(nullptr); }
        ~Reset() { StoreDisabled(nullptr); }
    } reset;
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

    MovePointer(8 + 25, 10);  // the start button, the leftmost
    ClickPointer();
    const HWND menu = tarvik.WaitForWindow(L"Tarvik_DropDownMenu", 5s);
    ASSERT_TRUE(GetWindowRect(menu, &rect));
    SaveScreenshot(ScreenshotFolder() / L"widgets-start-menu.png",
                   RECT{0, 0, rect.right + 20, rect.bottom + 20});
    // "Task Manager..." is the fourth row, below two rows of 21 and a separator of 10.
    MovePointer(rect.left + 60, rect.top + 4 + 2 * 21 + 10 + 10);
    ClickPointer();
    EXPECT_TRUE(PumpUntil([] { return TaskManagers(false) > 0; }, 10s))
        << "the task manager did not start";
    TaskManagers(true);
    PumpUntil([&] { return !IsWindowVisible(menu); }, 3s);

    // The Clock's row, the second of the widget list.
    ASSERT_TRUE(
        ClickInAppOptions(tarvik, textLeft - 4 - 2 - 25, 42 + 22 + 11, L"widgets-app-options.png"))
        << "no panel";
    EXPECT_TRUE(PumpUntil([] { return Stored(L"Widgets", L"Disabled") == L"Clock"; }, 2s));
    ParkPointer();
}

}  // namespace
}  // namespace tarvik::test
