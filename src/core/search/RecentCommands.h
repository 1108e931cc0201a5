#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

class ISettingsStore;

// The commands last run through the menu search, newest first, per program: one value per
// program in the settings section "Recent", named by the program's executable file name in
// lower case ("notepad.exe"), holding the commands' paths one per line.
//
// What is read back may have been changed by hand, so it is checked line by line: a path that
// is empty, too long, not UTF-8 or holds a control character is skipped, as are repeats and
// whatever follows the twentieth path.
class RecentCommands {
  public:
    static constexpr std::string_view kSection = "Recent";
    static constexpr size_t kMaxCommands = 20;
    static constexpr size_t kMaxPathBytes = 1024;
    // Longer than any file name Windows allows.
    static constexpr size_t kMaxProgramBytes = 260;

    explicit RecentCommands(ISettingsStore& settings) : m_settings(settings) {}

    // The program's recent paths, newest first; none for a program name that cannot be a key.
    std::vector<std::string> For(std::string_view program) const;
    // Puts the path first in the program's list (moving it up when it is there already) and
    // stores the list. A path that could not be read back is not stored.
    void Remember(std::string_view program, std::string_view path);

    // The value's usable paths, in order, at most kMaxCommands of them.
    static std::vector<std::string> Parse(std::string_view value);
    static std::string Format(const std::vector<std::string>& paths);
    static bool IsStorable(std::string_view path);
    // The key for an executable's file name: in lower case; empty when the name is empty, too
    // long, or holds a path separator or a control character.
    static std::string ProgramKey(std::string_view program);

  private:
    ISettingsStore& m_settings;
};

}  // namespace tarvik
