#include "core/app/CrashText.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace tarvik {

namespace {

constexpr std::string_view kEnding = " - the top strip is given back and Tarvik ends\"\r\n";

}  // namespace

// The line's head, as Trace writes it: #date time#,code,"Program","procedure","
CrashRecord::CrashRecord(const LocalTime& t, int64_t code, std::string_view procedure) {
    Append("#");
    AppendNumber(static_cast<uint64_t>(t.year), 10, 4);
    Append("-");
    AppendNumber(static_cast<uint64_t>(t.month), 10, 2);
    Append("-");
    AppendNumber(static_cast<uint64_t>(t.day), 10, 2);
    if (t.hour != 0 || t.minute != 0 || t.second != 0) {
        Append(" ");
        AppendNumber(static_cast<uint64_t>(t.hour), 10, 2);
        Append(":");
        AppendNumber(static_cast<uint64_t>(t.minute), 10, 2);
        Append(":");
        AppendNumber(static_cast<uint64_t>(t.second), 10, 2);
    }
    Append("#,");
    if (code < 0) Append("-");
    AppendNumber(code < 0 ? 0 - static_cast<uint64_t>(code) : static_cast<uint64_t>(code), 10, 1);
    Append(",\"Program\",\"");
    Append(procedure);
    Append("\",\"");
}

CrashRecord CrashRecord::UnhandledException(const LocalTime& time, uint32_t code,
                                            uint64_t address) {
    CrashRecord record(time, static_cast<int32_t>(code), "UnhandledException");
    record.Append("exception 0x");
    record.AppendNumber(code, 16, 8);
    record.Append(" at 0x");
    record.AppendNumber(address, 16, 16);
    record.End();
    return record;
}

CrashRecord CrashRecord::Terminate(const LocalTime& time, std::string_view what) {
    CrashRecord record(time, 0, "Terminate");
    record.Append("a C++ exception nothing caught");
    if (!what.empty()) {
        record.Append(": ");
        record.Append(what);
    }
    record.End();
    return record;
}

void CrashRecord::Append(std::string_view text) {
    const size_t room = kCapacity - m_size;
    const size_t count = std::min(text.size(), room);
    std::memcpy(m_text + m_size, text.data(), count);
    m_size += count;
}

void CrashRecord::AppendNumber(uint64_t value, int base, int width) {
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, base);
    const auto length = static_cast<int>(end - digits);
    for (int pad = length; pad < width; ++pad) Append("0");
    for (char* digit = digits; digit != end; ++digit) {
        if (*digit >= 'a') *digit = static_cast<char>(*digit - 'a' + 'A');
    }
    Append(std::string_view(digits, static_cast<size_t>(length)));
}

// The ending always fits: a text that ran long was cut to leave it room.
void CrashRecord::End() {
    m_size = std::min(m_size, kCapacity - kEnding.size());
    Append(kEnding);
}

}  // namespace tarvik
