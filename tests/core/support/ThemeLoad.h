#pragma once

// A theme loaded the way the program loads it, from resources\theme.xml in a program folder,
// with its trace log, overrides and drawing scale under the test's control.

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/bar/Dpi.h"
#include "core/support/RecordingGraphics.h"
#include "core/support/TestTrace.h"
#include "core/theme/Theme.h"

namespace tarvik::test {

class ThemeLoad {
  public:
    ThemeLoad();
    ~ThemeLoad();

    TestTrace log;  // its folder is the program folder unless a test points elsewhere
    std::filesystem::path programFolder = log.folder.Path();
    FakeEnvironment environment;
    Theme theme;
    Dpi dpi;

    // Writes the theme file (none when the text is missing) and loads it at the scale percent.
    bool Load(std::optional<std::string_view> file, std::string_view scalePercent = "100");
    // A picture file in the resources folder (only its size is ever read).
    void WritePng(std::string_view name, int width, int height) const;

  private:
    CommandLine m_commandLine{environment};
    ScopedDrawingErrors m_errors{true};
};

}  // namespace tarvik::test
