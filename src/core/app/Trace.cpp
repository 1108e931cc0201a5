#include "core/app/Trace.h"

#include <cstdio>
#include <fstream>

namespace tarvik {

namespace {

std::string Quoted(std::string_view text) {
    // Written exactly as given: embedded quotes are not escaped.
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

}  // namespace

Trace::Trace(std::filesystem::path logFile, const IClock& clock)
    : m_file(std::move(logFile)), m_clock(clock) {}

std::string Trace::FormatTimestamp(const LocalTime& t) {
    char buffer[64];
    if (t.hour == 0 && t.minute == 0 && t.second == 0) {
        std::snprintf(buffer, sizeof buffer, "#%04d-%02d-%02d#", t.year, t.month, t.day);
    } else {
        std::snprintf(buffer, sizeof buffer, "#%04d-%02d-%02d %02d:%02d:%02d#", t.year, t.month,
                      t.day, t.hour, t.minute, t.second);
    }
    return buffer;
}

void Trace::Log(std::string_view message) {
    try {
        Append(FormatTimestamp(m_clock.Now()) + "," + Quoted(message));
    } catch (...) {
    }
}

void Trace::LogError(int32_t code, std::string_view source, std::string_view procedure,
                     std::string_view message) {
    try {
        Append(FormatTimestamp(m_clock.Now()) + "," + std::to_string(code) + "," + Quoted(source) +
               "," + Quoted(procedure) + "," + Quoted(message));
    } catch (...) {
    }
}

void Trace::LogErrorOnce(int32_t code, std::string_view source, std::string_view procedure,
                         std::string_view message) {
    try {
        // The record's fields apart by a character none of them holds; only its hash is kept.
        std::string key = std::to_string(code);
        for (const std::string_view field : {source, procedure, message}) (key += '\0') += field;
        const size_t hash = std::hash<std::string>{}(key);
        if (m_onceKeys.contains(hash)) return;
        if (m_onceKeys.size() >= kMaxOnceKeys) m_onceKeys.clear();
        m_onceKeys.insert(hash);
    } catch (...) {
        return;
    }
    LogError(code, source, procedure, message);
}

std::filesystem::path Trace::OldFile() const {
    std::filesystem::path old = m_file;
    return old.replace_extension(".old" + m_file.extension().string());
}

void Trace::RotateIfFull(size_t adding) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(m_file, error);
    if (error || size + adding <= kMaxBytes) return;
    const std::filesystem::path old = OldFile();
    std::filesystem::remove(old, error);
    std::filesystem::rename(m_file, old, error);
    if (!error && Rotated) Rotated();
}

void Trace::Append(const std::string& record) noexcept {
    // Opened and closed per record, so other programs may read or delete the file between them.
    try {
        if (m_file.empty()) return;
        RotateIfFull(record.size() + 2);
        std::ofstream out(m_file, std::ios::binary | std::ios::app);
        if (!out) return;
        out << record << "\r\n";
    } catch (...) {
    }
}

}  // namespace tarvik
