#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// What the built-in widgets ask of the system. No result is examined: a command the system
// refuses (no sleep on this machine, a policy against shutting down) simply does nothing.
class ISystemCommands {
  public:
    virtual ~ISystemCommands() = default;
    // Opens a document, address or program the way the shell does, shown normally.
    virtual void Open(std::string_view target) = 0;
    // Runs a program of the system folder by its full path, never one of that name found
    // elsewhere (the current folder, the program's own, the search path); hidden: without
    // showing its window.
    virtual void RunSystemTool(std::string_view file, std::string_view parameters, bool hidden) = 0;
    // Sleep (not hibernate).
    virtual void Suspend() = 0;
    virtual void LockWorkStation() = 0;
    virtual void LogOff() = 0;
};

// Day and month names in the user's language.
class IDateNames {
  public:
    virtual ~IDateNames() = default;
    // dayOfWeek 0 = Sunday .. 6 = Saturday.
    virtual std::string ShortDayName(int dayOfWeek) const = 0;
    // month 1..12.
    virtual std::string ShortMonthName(int month) const = 0;
    virtual std::string MonthName(int month) const = 0;
    // The text in capitals as the user's language writes them, in any script.
    virtual std::string Capitals(std::string_view text) const = 0;
};

// The program's version as the user sees it: major.minor.revision.
struct ProgramVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t revision = 0;
};

}  // namespace tarvik
