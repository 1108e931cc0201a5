#pragma once

// A theme loaded the way the program loads it, from resources\theme.xml in a program folder,
// with its trace log, overrides and drawing scale under the test's control.

#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>

#include "core/bar/Dpi.h"
#include "core/support/PugiXmlParser.h"
#include "core/support/RecordingGraphics.h"
#include "core/support/TestTrace.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"

namespace tarvik::test {

class ThemeLoad {
  public:
    // The first family of the built-in list is there, so only a test that wants the fallback
    // line gets one.
    ThemeLoad() {
        std::filesystem::create_directories(log.folder.Path() / "resources");
        SetInstalledFontFamilies({"Helvetica Neue", "Segoe UI", "Arial", "Tahoma", "DejaVu Sans"});
    }
    ~ThemeLoad() { SetInstalledFontFamilies(); }

    TestTrace log;  // its folder is the program folder
    FakeEnvironment environment;
    Theme theme;
    Dpi dpi;

    // Writes the theme file (none when the text is missing) and loads it at the scale percent.
    bool Load(std::optional<std::string_view> file, std::string_view scalePercent = "100") {
        if (file)
            std::ofstream(log.folder.Path() / "resources/theme.xml", std::ios::binary) << *file;
        environment.variables["TARVIK_SCALE"] = std::string(scalePercent);
        const Overrides overrides = CommandLine(environment).Read();
        dpi.Start(96, overrides);
        return theme.Initialize(PugiXmlParser(), log.folder.Path(), log.trace, overrides, dpi);
    }

    // The theme's text brushes, made on first use after Load.
    Brushes& brushes() {
        if (!m_brushes)
            m_brushes.emplace(theme.TextColour, theme.HighlightTextColour,
                              theme.DisabledTextColour);
        return *m_brushes;
    }

    // A picture file in the resources folder (only its size is ever read).
    void WritePng(std::string_view name, int width, int height) const {
        std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
        for (int shift = 56; shift >= 0; shift -= 8)
            png += char((int64_t(width) << 32 | height) >> shift);
        std::ofstream(log.folder.Path() / "resources" / std::string(name), std::ios::binary) << png;
    }

  private:
    ScopedDrawingErrors m_errors{true};
    std::optional<Brushes> m_brushes;
};

}  // namespace tarvik::test
