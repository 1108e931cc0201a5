#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace tarvik {

class CrashRecord;

// The last stand of the process: an exception nothing handled (a fault on any thread, or a C++
// exception that reached std::terminate) writes one trace record, gives the desktop's top strip
// back and ends the process, so maximised windows are never left under a strip nobody owns.
//
// What it does then it can do with a damaged heap and without the user-interface thread: the
// log file was opened at start, the record is formatted in place, and the work area to put back
// was handed over beforehand; no allocation, no stream, no registry. One guard per process; it
// is in force from its construction to its destruction.
class CrashGuard {
  public:
    // The exit code of a process ended by a C++ exception nothing caught (that of abort).
    static constexpr uint32_t kTerminateExitCode = 3;
    // Puts the work area back; a plain function, so the crash path calls no allocating wrapper.
    using WorkAreaWriter = void (*)(const RECT& area);
    static void WriteWorkArea(const RECT& area);

    // Opens logFile for appending now (none when empty or when it cannot be opened).
    explicit CrashGuard(const std::filesystem::path& logFile,
                        WorkAreaWriter writeWorkArea = WriteWorkArea);
    ~CrashGuard();
    CrashGuard(const CrashGuard&) = delete;
    CrashGuard& operator=(const CrashGuard&) = delete;

    // The work area to put back on a failure; none while no strip is taken.
    void SetWorkArea(const std::optional<RECT>& area);
    // The log was moved aside: the file of its name is opened again.
    void ReopenLog();

    // Writes the record, gives the strip back and ends the process with exitCode. A failure
    // on another thread meanwhile waits for this one to end the process.
    [[noreturn]] void End(const CrashRecord& record, uint32_t exitCode);

  private:
    std::filesystem::path m_logFile;
    std::atomic<HANDLE> m_log{INVALID_HANDLE_VALUE};
    WorkAreaWriter m_writeWorkArea;
    // Two slots, so a failure while a new area is handed over reads the one before whole.
    RECT m_workAreas[2]{};
    std::atomic<int> m_workArea{-1};  // the slot in force; -1: none
    LPTOP_LEVEL_EXCEPTION_FILTER m_previousFilter = nullptr;
    void (*m_previousTerminate)() = nullptr;
};

}  // namespace tarvik
