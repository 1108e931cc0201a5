#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

// A private copy of Tarvik.exe and its resources in a temporary folder, so each test has its
// own errors.log. The copy may carry another file name (Wine can give it its own settings).
class TarvikInstall {
  public:
    explicit TarvikInstall(const std::wstring& exeName = L"Tarvik.exe");
    const std::filesystem::path& Folder() const { return m_folder.Path(); }
    std::filesystem::path Executable() const { return m_folder.Path() / m_exeName; }
    std::filesystem::path LogFile() const { return m_folder.Path() / L"errors.log"; }
    // The log's records without their line ends; empty when there is no log.
    std::vector<std::string> LogLines() const;
    // The records' messages: a Log record's text between its quotes, an error record whole.
    std::vector<std::string> LogMessages() const;

  private:
    TempFolder m_folder;
    std::wstring m_exeName;
};

// One running Tarvik.exe. Always stopped (killed if need be) when the object goes away.
class TarvikProcess {
  public:
    // Variables given here replace the test's own; every other TARVIK_ variable is removed.
    TarvikProcess(const TarvikInstall& install, const std::wstring& arguments,
                  const std::map<std::wstring, std::wstring>& variables = {});
    ~TarvikProcess();
    TarvikProcess(const TarvikProcess&) = delete;
    TarvikProcess& operator=(const TarvikProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD Id() const { return m_id; }
    // The exit code once the process ended within the time, nothing otherwise.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);
    // The process's visible and hidden top-level windows that a user could meet.
    std::vector<HWND> TopLevelWindows() const;
    // Waits for a visible top-level window of the given class.
    HWND WaitForWindow(const std::wstring& className, std::chrono::milliseconds timeout) const;
    // Waits for the bar, then closes it as Windows would (not through Exit), and returns the
    // exit code once the program has ended.
    std::optional<DWORD> RunUntilBarThenClose(std::chrono::milliseconds timeout);

  private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// One of the fixture programs built beside Tarvik.exe, stopped when the object goes away.
class FixtureProcess {
  public:
    FixtureProcess(const std::wstring& exeName, const std::wstring& arguments);
    ~FixtureProcess();
    FixtureProcess(const FixtureProcess&) = delete;
    FixtureProcess& operator=(const FixtureProcess&) = delete;
    DWORD Id() const { return m_id; }
    // Its first visible top-level window, waiting for it to appear.
    HWND WaitForWindow(std::chrono::milliseconds timeout) const;

  private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// Top-level windows of a process, leaving out the system's input-method windows.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
std::vector<HWND> ChildrenOf(HWND window);

}  // namespace tarvik::test
