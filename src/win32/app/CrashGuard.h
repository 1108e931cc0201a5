#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace tarvik {

class Trace;

// The last stand of the process: an exception nothing handled (a fault, or a C++ exception that
// reached std::terminate) writes one trace record, gives the desktop's top strip back through
// giveBack, and ends the process, so maximised windows are never left under a strip nobody
// owns. One guard per process; it is in force from its construction to its destruction.
class CrashGuard {
  public:
    // The exit code of a process ended by a C++ exception nothing caught (that of abort).
    static constexpr uint32_t kTerminateExitCode = 3;

    CrashGuard(Trace& trace, std::function<void()> giveBack);
    ~CrashGuard();
    CrashGuard(const CrashGuard&) = delete;
    CrashGuard& operator=(const CrashGuard&) = delete;

    // Records the failure, gives the strip back and ends the process with exitCode.
    [[noreturn]] void End(int32_t code, const char* procedure, const std::string& description,
                          uint32_t exitCode);

  private:
    Trace& m_trace;
    std::function<void()> m_giveBack;
    LPTOP_LEVEL_EXCEPTION_FILTER m_previousFilter = nullptr;
    void (*m_previousTerminate)() = nullptr;
};

}  // namespace tarvik
