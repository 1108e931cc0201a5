// A program that stops answering its accessibility requests, played by a window on a thread of
// this process that blocks in WM_GETOBJECT until it is let go.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "win32/menus/Win32AccessibleMenus.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

HANDLE g_answer = nullptr;

LRESULT CALLBACK SlowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT) WaitForSingleObject(g_answer, INFINITE);
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Win32AccessibleMenus, AProgramThatDoesNotAnswerIsWaitedForOnceUntilItAnswers) {
    g_answer = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<HWND> window = nullptr;
    std::thread program([&] {
        WNDCLASSW type{};
        type.lpfnWndProc = SlowProcedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"TarvikSlowProgram";
        RegisterClassW(&type);
        window = CreateWindowExW(0, type.lpszClassName, L"Slow", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, type.hInstance, nullptr);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        DestroyWindow(window);
    });
    ASSERT_TRUE(PumpUntil([&] { return window != nullptr; }, 5s));
    const auto handle = reinterpret_cast<WindowHandle>(window.load());

    Win32AccessibleMenus menus;
    const auto ask = [&] {
        const auto start = std::chrono::steady_clock::now();
        const AccessOutcome outcome = menus.ReadTitles(handle).outcome;
        return std::pair(outcome, std::chrono::steady_clock::now() - start);
    };
    const auto [first, waited] = ask();
    EXPECT_EQ(first, AccessOutcome::NoAnswer);
    EXPECT_GE(waited, 450ms);
    for (int again = 0; again < 3; ++again) {
        const auto [outcome, took] = ask();
        EXPECT_EQ(outcome, AccessOutcome::NoAnswer);
        EXPECT_LT(took, 100ms) << "asked again while its request is still running";
    }
    SetEvent(g_answer);
    EXPECT_TRUE(PumpUntil([&] { return ask().first == AccessOutcome::NoMenuBar; }, 5s))
        << "not asked again once it answered";

    PostMessageW(window, WM_QUIT, 0, 0);
    program.join();
    CloseHandle(g_answer);
}

}  // namespace
}  // namespace tarvik::test
