#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "core/app/Trace.h"
#include "shared/TempFolder.h"
#include "win32/app/SystemClock.h"
#include "win32/platform/BaseWindow.h"

namespace tarvik::test {

// Handles this thread's messages for the given time, or until the condition holds (returned).
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
inline void PumpMessages(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

// A top-level window on the program's window base that counts the messages it is given in seen;
// answer may reply to a message in place of the default handling (nullopt: default).
class TestWindow : public BaseWindow {
  public:
    TestWindow(int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE,
               DWORD exStyle = WS_EX_TOOLWINDOW);
    ~TestWindow() override { DestroyBaseWindow(); }

    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> answer;
    std::map<UINT, int> seen;

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A trace log, errors.log in a fresh temporary folder, stamped by the real clock.
struct TestLog {
    TempFolder folder;
    SystemClock clock;
    Trace trace{folder.Path() / "errors.log", clock};
    std::string Text() const { return ReadFile(folder.Path() / "errors.log"); }
};
// Where a window is on the screen (empty when it is not there).
inline RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The folder that holds the running test program (and Tarvik.exe beside it).
std::filesystem::path TestProgramFolder();

}  // namespace tarvik::test
