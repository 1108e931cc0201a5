#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/app/Clock.h"

namespace tarvik {

// The program's diagnostic log: errors.log in the program folder, one record per line.
// Every call returns normally; a record that cannot be written is lost.
class Trace {
  public:
    // An empty path means the program folder could not be found: nothing is ever written.
    Trace(std::filesystem::path logFile, const IClock& clock);

    void Log(std::string_view message);
    void LogError(int32_t code, std::string_view source, std::string_view procedure,
                  std::string_view message);
    // As LogError, unless the record equals the previous one written through LogErrorOnce.
    void LogErrorOnce(int32_t code, std::string_view source, std::string_view procedure,
                      std::string_view message);

    const std::filesystem::path& File() const { return m_file; }

    // "#2026-05-04 09:15:02#"; exactly midnight writes the date alone.
    static std::string FormatTimestamp(const LocalTime& time);

  private:
    void Append(const std::string& record) noexcept;

    std::filesystem::path m_file;
    const IClock& m_clock;
    std::string m_lastOnceKey;
};

}  // namespace tarvik
