#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace tarvik::test {

// Handles every queued message of this thread for the given time.
void PumpMessages(std::chrono::milliseconds duration);
// Handles messages until the condition holds or the time is up; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// A plain top-level window of a test class whose procedure is DefWindowProcW.
class TestWindow {
  public:
    TestWindow(int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE,
               DWORD exStyle = WS_EX_TOOLWINDOW);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return m_window; }

  private:
    HWND m_window = nullptr;
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
