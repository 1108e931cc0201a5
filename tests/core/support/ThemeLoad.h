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

    TestTrace log;  // its folder is the program folder unless a test points elsewhere
    std::filesystem::path programFolder = log.folder.Path();
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
        return theme.Initialize(PugiXmlParser(), programFolder, log.trace, overrides, dpi);
    }

    // A picture file in the resources folder (only its size is ever read).
    void WritePng(std::string_view name, int width, int height) const {
        unsigned char png[24] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                 0,    0,   0,   13,  'I',  'H',  'D',  'R'};
        for (int i = 0; i < 4; ++i) {
            png[16 + i] = static_cast<unsigned char>(width >> (24 - 8 * i));
            png[20 + i] = static_cast<unsigned char>(height >> (24 - 8 * i));
        }
        std::ofstream(log.folder.Path() / "resources" / std::string(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(png), sizeof png);
    }

  private:
    ScopedDrawingErrors m_errors{true};
};

}  // namespace tarvik::test
