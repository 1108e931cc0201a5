#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

using namespace std::chrono_literals;
using Variables = std::map<std::wstring, std::wstring>;

// A program started by the test. When the object goes away its windows are asked to close, and
// the process is killed if it has not ended within three seconds.
class RunningProgram {
  public:
    RunningProgram(const std::filesystem::path& exe, const std::wstring& arguments,
                   std::wstring environment = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    // The exit code once the process ended within the time, nothing otherwise.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);
    // Its top-level windows, leaving out the system's input-method windows.
    std::vector<HWND> Windows() const;
    // Waits for a visible top-level window of the class, or of any class when it is empty.
    HWND WaitForWindow(const std::wstring& className, std::chrono::milliseconds timeout = 20s);
    // Waits for the bar, closes it as Windows would (not through Exit) and returns the exit code.
    std::optional<DWORD> CloseBar();

  private:
    PROCESS_INFORMATION m_info{};
};

// A private copy of Tarvik.exe and its resources in a temporary folder, with its own errors.log.
// The copy may carry another file name (Wine can give it its own settings).
class TarvikInstall {
  public:
    explicit TarvikInstall(const std::wstring& exeName = L"Tarvik.exe");
    const std::filesystem::path& Folder() const { return m_folder.Path(); }
    std::filesystem::path LogFile() const { return Folder() / L"errors.log"; }
    // The log's messages: a Log record's text between its quotes, an error record whole. A line
    // that is not a timestamped record fails the test.
    std::vector<std::string> LogMessages() const;
    // Starts the copy. The variables replace the test's own; every other TARVIK_ one is removed.
    std::unique_ptr<RunningProgram> Start(const std::wstring& arguments,
                                          const Variables& variables = {}) const;

  private:
    TempFolder m_folder;
    std::wstring m_exeName;
};

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);

}  // namespace tarvik::test
