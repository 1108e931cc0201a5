#include "core/support/ThemeLoad.h"

#include <fstream>

#include "core/support/PugiXmlParser.h"

namespace tarvik::test {

ThemeLoad::ThemeLoad() {
    std::filesystem::create_directories(log.folder.Path() / "resources");
    // The first family of the built-in list is there, so only a test that wants the fallback
    // line gets one.
    SetInstalledFontFamilies({"Helvetica Neue", "Segoe UI", "Arial", "Tahoma", "DejaVu Sans"});
}

ThemeLoad::~ThemeLoad() {
    SetInstalledFontFamilies();
}

bool ThemeLoad::Load(std::optional<std::string_view> file, std::string_view scalePercent) {
    if (file)
        std::ofstream(log.folder.Path() / "resources" / "theme.xml", std::ios::binary) << *file;
    environment.variables["TARVIK_SCALE"] = std::string(scalePercent);
    dpi.Start(96, m_commandLine);
    return theme.Initialize(PugiXmlParser(), programFolder, log.trace, m_commandLine, dpi);
}

void ThemeLoad::WritePng(std::string_view name, int width, int height) const {
    unsigned char png[24] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                             0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<unsigned char>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<unsigned char>(height >> (24 - 8 * i));
    }
    std::ofstream(log.folder.Path() / "resources" / std::string(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(png), sizeof png);
}

}  // namespace tarvik::test
