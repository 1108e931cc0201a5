#pragma once

// A theme loaded the way the program loads it, from resources\theme.xml in a program folder,
// with its trace log, overrides and drawing scale under the test's control.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/CommandLine.h"
#include "core/app/Trace.h"
#include "core/bar/Dpi.h"
#include "core/support/Fakes.h"
#include "core/support/PugiXmlParser.h"
#include "core/support/RecordingGraphics.h"
#include "core/theme/Theme.h"

namespace tarvik::test {

class ThemeLoad {
    // First, so that the folder exists before the members that use it.
    TempFolder m_folder;

  public:
    ThemeLoad();
    ~ThemeLoad();

    // The program folder: the temporary folder unless a test points elsewhere.
    std::filesystem::path programFolder;
    FakeEnvironment environment;
    Theme theme;

    // Writes the theme file (none at all when the text is missing) and loads the theme at the
    // given scale percent.
    bool Load(std::optional<std::string_view> file, std::string_view scalePercent = "100");
    // The records written so far, each without its timestamp.
    std::vector<std::string> Lines() const;
    // A picture file in the resources folder (only its size is ever read).
    void WritePng(std::string_view name, int width, int height) const;
    const Dpi& GetDpi() const { return m_dpi; }

  private:
    FakeClock m_clock;
    Trace m_trace;
    CommandLine m_commandLine;
    Dpi m_dpi;
    ScopedDrawingErrors m_errors{true};
};

// The repository's own resources folder lives beside the tests folder.
std::filesystem::path RepositoryFolder();

// Every size of a layout in one list, so two layouts compare in one expectation.
std::vector<int32_t> LayoutSizes(const ThemeLayout& layout);

}  // namespace tarvik::test
