// The shell starting again under the running program: its broadcast, in this process, where the
// work area the program reserves can be read back.
#include <gtest/gtest.h>
#include <windows.h>

#include "win32/app/Program.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND window = lower; (window = GetWindow(window, GW_HWNDPREV));)
        if (window == upper) return true;
    return false;
}

TEST(ShellRestart, TheStripIsReservedAgainOnceAndTheBarGoesBackAboveTheNewTaskbar) {
    const std::string line = "the shell restarted - the top strip is reserved again";
    Program program;
    ASSERT_TRUE(program.Main());
    const auto lines = [&] {
        const std::string log = ReadFile(program.GetTrace().File());
        size_t count = 0;
        for (size_t at = 0; (at = log.find(line, at)) != log.npos; at += line.size()) ++count;
        return count;
    };
    const size_t before = lines();
    const LONG reserved = WorkArea().top;
    ASSERT_GT(reserved, 0);

    // The new shell: a work area of its own making, and its taskbar, topmost, above the bar.
    RECT fresh = WorkArea();
    fresh.top = 0;
    fresh.bottom -= 40;
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &fresh, 0));
    TestWindow taskbar(0, fresh.bottom, fresh.right, 40, WS_POPUP | WS_VISIBLE,
                       WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    const HWND bar = program.Bar()->Handle();
    ASSERT_TRUE(IsAbove(taskbar.Handle(), bar));

    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return WorkArea().top == reserved; }, 5s));
    EXPECT_EQ(WorkArea().bottom, fresh.bottom) << "only the top is the bar's";
    EXPECT_TRUE(IsAbove(bar, taskbar.Handle()));
    PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);  // anyone may send it: the strip is there
    PumpMessages(300ms);
    EXPECT_EQ(lines() - before, 1u);

    program.OnContextCommand(1);
    PumpUntil([&] { return !IsWindow(bar); }, 5s);
    EXPECT_EQ(WorkArea().top, 0) << "Exit gives back the strip taken the second time";
}

}  // namespace
}  // namespace tarvik::test
