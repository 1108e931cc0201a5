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
    // Waits for a top-level window of the given class.
    HWND WaitForWindow(const std::wstring& className, std::chrono::milliseconds timeout) const;

  private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
std::vector<HWND> ChildrenOf(HWND window);

}  // namespace tarvik::test
