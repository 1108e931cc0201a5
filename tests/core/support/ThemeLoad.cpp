#include "core/support/ThemeLoad.h"

#include <array>
#include <fstream>

namespace tarvik::test {

ThemeLoad::ThemeLoad()
    : programFolder(m_folder.Path()),
      m_trace(m_folder.Path() / "errors.log", m_clock),
      m_commandLine(environment) {
    std::filesystem::create_directories(m_folder.Path() / "resources");
    // The first family of the built-in list is there, so only a test that wants the fallback
    // line gets one.
    SetInstalledFontFamilies({"Helvetica Neue", "Segoe UI", "Arial", "Tahoma", "DejaVu Sans"});
}

ThemeLoad::~ThemeLoad() {
    ResetInstalledFontFamilies();
}

bool ThemeLoad::Load(std::optional<std::string_view> file, std::string_view scalePercent) {
    if (file) {
        std::ofstream out(m_folder.Path() / "resources" / "theme.xml", std::ios::binary);
        out << *file;
    }
    environment.variables["TARVIK_SCALE"] = std::string(scalePercent);
    m_dpi.Start(96, m_commandLine);
    const PugiXmlParser parser;
    return theme.Initialize(parser, programFolder, m_trace, m_commandLine, m_dpi);
}

std::vector<std::string> ThemeLoad::Lines() const {
    const std::string log = ReadFile(m_folder.Path() / "errors.log");
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find("\r\n", start);
        if (end == std::string::npos) end = log.size();
        const std::string line = log.substr(start, end - start);
        const size_t stamp = line.find("#,");
        lines.push_back(stamp == std::string::npos ? line : line.substr(stamp + 2));
        start = end + 2;
    }
    return lines;
}

void ThemeLoad::WritePng(std::string_view name, int width, int height) const {
    std::array<unsigned char, 33> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                      0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<unsigned char>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<unsigned char>(height >> (24 - 8 * i));
    }
    png[24] = 8;  // bit depth
    png[25] = 6;  // RGBA
    std::ofstream out(m_folder.Path() / "resources" / std::string(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), png.size());
}

std::filesystem::path RepositoryFolder() {
    // tests/core/support/ThemeLoad.cpp, three folders below the repository.
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path();
}

std::vector<int32_t> LayoutSizes(const ThemeLayout& l) {
    std::vector<int32_t> sizes{
        l.BarHeight,     l.BarShadow,      l.WorkAreaTop,     static_cast<int32_t>(l.BackdropTint),
        l.MenuLeft,      l.MenuGap,        l.MenuPad,         l.MenuTextX,
        l.MenuTextY,     l.RowHeight,      l.SeparatorHeight, l.RowPadRight,
        l.RowPadBottom,  l.PopupPad,       l.WidgetLeft,      l.WidgetPad,
        l.WidgetIconGap, l.WidgetMinWidth, l.StatusGap,       l.StatusRight};
    for (const Padding* p : {&l.RowText, &l.RowHighlight, &l.RowSeparator}) {
        sizes.insert(sizes.end(), {p->X, p->Y, p->width, p->Height, p->X_Overflow, p->Y_Overflow});
    }
    return sizes;
}

}  // namespace tarvik::test
