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

TEST(Win32AccessibleMenus, AProgramThatDoesNotAnswerIsWaitedForOnceUntilItAnswers) {
    const HANDLE answer = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<HWND> window = nullptr;
    std::thread program([&] {
        TestWindow slow(0, 0, 10, 10, WS_POPUP);
        slow.answer = [&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_GETOBJECT) WaitForSingleObject(answer, INFINITE);
            return std::nullopt;
        };
        window = slow.Handle();
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
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
    SetEvent(answer);
    EXPECT_TRUE(PumpUntil([&] { return ask().first == AccessOutcome::NoMenuBar; }, 5s))
        << "not asked again once it answered";

    PostMessageW(window, WM_QUIT, 0, 0);
    program.join();
    CloseHandle(answer);
}

}  // namespace
}  // namespace tarvik::test
