#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/app/Clock.h"

namespace tarvik {

// The program's diagnostic log: errors.log in the program folder, one record per line.
// Every call returns normally; a record that cannot be written is lost. A log that would grow
// past kMaxBytes is first renamed to errors.old.log (replacing the one before), so the newest
// records are always kept and the two files never hold more than twice that.
class Trace {
  public:
    static constexpr uintmax_t kMaxBytes = 1024 * 1024;
    // How many different once records are remembered before the memory starts again.
    static constexpr size_t kMaxOnceKeys = 4096;

    // An empty path means the program folder could not be found: nothing is ever written.
    Trace(std::filesystem::path logFile, const IClock& clock);

    void Log(std::string_view message);
    void LogError(int32_t code, std::string_view source, std::string_view procedure,
                  std::string_view message);
    // As LogError, unless the same record (code, source, procedure and message) was written
    // through LogErrorOnce before, whatever came between.
    void LogErrorOnce(int32_t code, std::string_view source, std::string_view procedure,
                      std::string_view message);

    const std::filesystem::path& File() const { return m_file; }
    // Where the log is moved when it is full.
    std::filesystem::path OldFile() const;
    // Called after the log was moved to OldFile (a handle kept open on it now names the old one).
    std::function<void()> Rotated;

    // "#2026-05-04 09:15:02#"; exactly midnight writes the date alone.
    static std::string FormatTimestamp(const LocalTime& time);

  private:
    void Append(const std::string& record) noexcept;
    void RotateIfFull(size_t adding);

    std::filesystem::path m_file;
    const IClock& m_clock;
    std::unordered_set<size_t> m_onceKeys;
};

}  // namespace tarvik
