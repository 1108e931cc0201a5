#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "win32/platform/BaseWindow.h"

namespace tarvik::test {

// Handles every queued message of this thread for the given time.
void PumpMessages(std::chrono::milliseconds duration);
// Handles messages until the condition holds or the time is up; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// A top-level window of the test class "TarvikTestWindow", on the program's window base. Its
// procedure counts every message it is given; answer may reply to a message in place of the
// default handling (nullopt: default), and onGone runs when the window goes.
class TestWindow : public BaseWindow {
  public:
    using Answer = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;

    TestWindow(int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE,
               DWORD exStyle = WS_EX_TOOLWINDOW);
    ~TestWindow() override { DestroyBaseWindow(); }

    void Destroy() { DestroyBaseWindow(); }
    int Seen(UINT message) const;

    Answer answer;
    std::function<void()> onGone;

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

  private:
    std::map<UINT, int> m_seen;
};

// A fresh folder under the Windows temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

std::string ReadFile(const std::filesystem::path& path);
// The folder that holds the running test program (and Tarvik.exe beside it).
std::filesystem::path TestProgramFolder();

}  // namespace tarvik::test
