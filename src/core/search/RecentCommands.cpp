#include "core/search/RecentCommands.h"

#include <algorithm>

#include "core/platform/SettingsStore.h"
#include "core/text/StringHelpers.h"
#include "core/text/Utf16.h"

namespace tarvik {

namespace {

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

}  // namespace

bool RecentCommands::IsStorable(std::string_view path) {
    return !path.empty() && path.size() <= kMaxPathBytes && IsValidUtf8(path) &&
           !HasControlCharacter(path);
}

std::string RecentCommands::ProgramKey(std::string_view program) {
    if (program.empty() || program.size() > kMaxProgramBytes || !IsValidUtf8(program) ||
        HasControlCharacter(program) || program.find_first_of("\\/") != std::string_view::npos) {
        return {};
    }
    return ToLowerAscii(program);
}

std::vector<std::string> RecentCommands::Parse(std::string_view value) {
    std::vector<std::string> paths;
    size_t start = 0;
    while (start <= value.size() && paths.size() < kMaxCommands) {
        size_t end = value.find('\n', start);
        if (end == std::string_view::npos) end = value.size();
        const std::string_view line = value.substr(start, end - start);
        if (IsStorable(line) && std::find(paths.begin(), paths.end(), line) == paths.end()) {
            paths.emplace_back(line);
        }
        start = end + 1;
    }
    return paths;
}

std::string RecentCommands::Format(const std::vector<std::string>& paths) {
    std::string value;
    for (const std::string& path : paths) {
        if (!value.empty()) value += '\n';
        value += path;
    }
    return value;
}

std::vector<std::string> RecentCommands::For(std::string_view program) const {
    const std::string key = ProgramKey(program);
    if (key.empty()) return {};
    return Parse(m_settings.Read(kSection, key, ""));
}

void RecentCommands::Remember(std::string_view program, std::string_view path) {
    const std::string key = ProgramKey(program);
    if (key.empty() || !IsStorable(path)) return;
    std::vector<std::string> paths = Parse(m_settings.Read(kSection, key, ""));
    std::erase(paths, path);
    paths.insert(paths.begin(), std::string(path));
    if (paths.size() > kMaxCommands) paths.resize(kMaxCommands);
    m_settings.Write(kSection, key, Format(paths));
}

}  // namespace tarvik
