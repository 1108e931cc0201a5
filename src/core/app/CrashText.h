#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/app/Clock.h"

namespace tarvik {

// The trace record written when the process ends on a failure nothing handled, formatted in
// place without the heap (the heap may be what failed): the line LogError would write, with its
// line end. A text too long for the room is cut.
class CrashRecord {
  public:
    static constexpr size_t kCapacity = 1024;

    // "exception 0xC0000005 at 0x00007FF6..." - code and address in hexadecimal as Windows writes
    // them.
    static CrashRecord UnhandledException(const LocalTime& time, uint32_t code, uint64_t address);
    // "a C++ exception nothing caught", then ": " and the exception's own text when it has one.
    static CrashRecord Terminate(const LocalTime& time, std::string_view what);

    const char* Data() const { return m_text; }
    size_t Size() const { return m_size; }
    std::string_view Text() const { return {m_text, m_size}; }

  private:
    CrashRecord(const LocalTime& time, int64_t code, std::string_view procedure);
    void Append(std::string_view text);
    void AppendNumber(uint64_t value, int base, int width);
    void End();

    char m_text[kCapacity];
    size_t m_size = 0;
};

}  // namespace tarvik
