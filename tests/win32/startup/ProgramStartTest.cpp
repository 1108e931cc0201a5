// Start-up in this process, where the work area the program reserves can be read back.
#include <gtest/gtest.h>
#include <windows.h>

#include "win32/app/Program.h"

namespace tarvik::test {
namespace {

// A window class of the bar's name whose windows refuse to be made, as when the system is out
// of window resources: creating the bar fails after the strip was reserved.
LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) return FALSE;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ProgramStart, ABarThatCannotBeMadeGivesTheReservedStripBack) {
    RECT before{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &before, 0));
    ASSERT_LT(before.top, 23) << "the strip must be free for the program to reserve it";
    WNDCLASSEXW refusing{};
    refusing.cbSize = sizeof refusing;
    refusing.lpfnWndProc = RefuseCreation;
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpszClassName = RivovoZoz::kClassName;
    ASSERT_NE(RegisterClassExW(&refusing), 0);

    Program program;
    EXPECT_FALSE(program.Main());
    RECT after{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &after, 0));
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(program.Bar(), nullptr);
}

}  // namespace
}  // namespace tarvik::test
