#include "core/theme/Theme.h"

#include <exception>
#include <memory>
#include <string>

#include "core/app/Error.h"
#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/bar/Dpi.h"
#include "core/theme/ThemeFileReader.h"
#include "core/xml/XmlDocument.h"

namespace tarvik {

namespace {

// The sections of the theme file in the order they are read, then the two steps after them.
using SectionReader = void (ThemeFileReader::*)(const XmlElement*);
struct Section {
    const char* name;
    SectionReader read;
};
constexpr Section kSections[] = {
    {"text", &ThemeFileReader::ReadText},       {"bar", &ThemeFileReader::ReadBar},
    {"widgets", &ThemeFileReader::ReadWidgets}, {"menu", &ThemeFileReader::ReadMenu},
    {"status", &ThemeFileReader::ReadStatus},   {"glass", &ThemeFileReader::ReadGlass},
};

}  // namespace

bool Theme::Initialize(const XmlParser& parser, const std::filesystem::path& programFolder,
                       Trace& trace, const Overrides& overrides, const Dpi& dpi) {
    if (m_loaded) return true;
    m_trace = &trace;
    m_programFolder = programFolder;
    m_drawScale = dpi.DrawScale();

    // The section being read, for the one line that reports an unexpected failure.
    std::string section;
    try {
        SetDefaults();
        const std::unique_ptr<XmlDocument> document =
            parser.LoadFile(programFolder / "resources" / "theme.xml");
        if (!document) {
            trace.LogError(0, "Theme", "Initialize",
                           "could not read resources\\theme.xml - drawing with built-in defaults");
        }
        const XmlElement* root = document ? document->Root() : nullptr;

        ThemeFileReader reader(*this, trace, overrides, dpi);
        for (const Section& each : kSections) {
            section = each.name;
            (reader.*each.read)(root ? root->Child(each.name) : nullptr);
        }
        section = "dpi";
        ScaleSizes(dpi);
        section = "font";
        ResolveFonts();
    } catch (...) {
        LogCurrentException(trace, "Theme", "Initialize", false, "<" + section + "> ");
        return false;
    }
    m_loaded = true;
    return true;
}

void Theme::SetDefaults() {
    Layout = ThemeLayout{};
    Glass = GlassStyle{};
    TextColour = Colour{};
    HighlightTextColour = Colour{};
    m_textColoursRead = false;
    DisabledTextColour = kDefaultDisabledTextColour;
    TextSize = kDefaultTextSize * m_drawScale;
    FontFace.clear();
    FontFamily = GDIPFontFamily{};
    TextFont = GDIPFont{};
    BoldFont = GDIPFont{};
    for (SkinButton& skin : Skins) skin = SkinButton{};
    NewsFeedUrl = kDefaultNewsFeedUrl;
    WeatherLocation = kDefaultWeatherLocation;
    WeatherHost = kDefaultWeatherHost;
    AccentColour = kDefaultAccentColour;
}

void Theme::ScaleSizes(const Dpi& dpi) {
    Layout.ScaleAll(dpi);
    Glass.Radius = dpi.Scale(Glass.Radius);
    Glass.SelectionRadius = dpi.Scale(Glass.SelectionRadius);
    // A border stays as thin as the file says at every scale.
}

const SkinButton& Theme::Skin(std::string_view name) const {
    for (size_t i = 0; i < kSkinNames.size(); ++i) {
        if (kSkinNames[i] == name) return Skins[i];
    }
    static const SkinButton kNoSkin;
    return kNoSkin;
}

const GDIPFont& Theme::FontFor(int32_t bold) const {
    return bold == 1 ? BoldFont : TextFont;
}

}  // namespace tarvik
