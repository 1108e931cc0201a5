#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/graphics/Colour.h"
#include "core/graphics/GDIPFont.h"
#include "core/graphics/GDIPFontFamily.h"
#include "core/graphics/GDIPImage.h"
#include "core/theme/GlassStyle.h"
#include "core/theme/SkinButton.h"
#include "core/theme/ThemeLayout.h"

namespace tarvik {

struct Overrides;
class Dpi;
class Trace;
class XmlElement;
class XmlParser;

// The look of the program: every colour, size, font and skin image, read once at start-up from
// resources\theme.xml in the program folder. Whatever the file does not say (or says in a way
// that cannot be used) keeps its built-in value, so a missing or broken file still gives a
// complete theme. Sizes are multiplied by the drawing scale once, at load. One per process,
// built by the program and read directly by every painter; it never changes after loading.
class Theme {
  public:
    // The families tried when the file names none.
    static constexpr std::string_view kDefaultFontFace =
        "Helvetica Neue, Helvetica, Segoe UI, Arial";
    static constexpr std::string_view kDefaultNewsFeedUrl = "https://feeds.bbci.co.uk/news/rss.xml";
    static constexpr std::string_view kDefaultWeatherLocation = "2643743";
    // The weather service: a host name (reached over https) or an address's start.
    static constexpr std::string_view kDefaultWeatherHost = "weather-broker-cdn.api.bbci.co.uk";
    static constexpr uint32_t kDefaultAccentColour = 0xFFFF3B30;
    static constexpr uint32_t kDefaultDisabledTextColour = 0x66000000;
    static constexpr float kDefaultTextSize = 15.0f;

    // The skin elements below widgets, in the order they are read.
    static constexpr std::array<std::string_view, 11> kSkinNames = {
        "start",        "tray", "clipboard", "timer",   "spotlight", "volume",
        "volume-muted", "news", "app",       "weather", "stats"};

    Theme() = default;
    Theme(const Theme&) = delete;
    Theme& operator=(const Theme&) = delete;

    ThemeLayout Layout;
    GlassStyle Glass;
    Colour TextColour;
    Colour HighlightTextColour;
    uint32_t DisabledTextColour = kDefaultDisabledTextColour;  // ARGB
    float TextSize = kDefaultTextSize;                         // pixels, scaled
    std::string FontFace;                                      // as the file wrote it
    GDIPFontFamily FontFamily;
    GDIPFont TextFont;
    GDIPFont BoldFont;
    std::array<SkinButton, kSkinNames.size()> Skins;  // in the order of kSkinNames
    std::string NewsFeedUrl{kDefaultNewsFeedUrl};
    std::string WeatherLocation{kDefaultWeatherLocation};
    std::string WeatherHost{kDefaultWeatherHost};
    uint32_t AccentColour = kDefaultAccentColour;  // ARGB

    // Reads programFolder\resources\theme.xml. The first successful call does the work; later
    // calls return true at once. False only when an unexpected failure stopped the load (it is
    // logged with the section being read); the program cannot start then. The trace, the
    // overrides and the scale must outlive the theme (LoadImage keeps using the first and the
    // program folder).
    bool Initialize(const XmlParser& parser, const std::filesystem::path& programFolder,
                    Trace& trace, const Overrides& overrides, const Dpi& dpi);
    bool IsLoaded() const { return m_loaded; }

    // The skin of that name (see kSkinNames); an empty skin for any other name.
    const SkinButton& Skin(std::string_view name) const;

    // BoldFont when bold is 1, otherwise TextFont.
    const GDIPFont& FontFor(int32_t bold) const;
    // A new font of FontFamily at size × the drawing scale; an empty font before the theme has
    // a family.
    GDIPFont MakeFont(float size, int32_t style) const;
    // A picture from the resources folder; an empty image when the name is empty or the
    // picture cannot be loaded (which is logged).
    GDIPImage LoadImage(std::string_view name) const;

    // The first family of the comma-separated list that is installed, logging when it is not
    // the first one named; an empty family (and an error line) when none is.
    GDIPFontFamily ResolveFontFamily(std::string_view list) const;

  private:
    friend class ThemeFileReader;

    void SetDefaults();
    void ScaleSizes(const Dpi& dpi);
    void ResolveFonts();
    void ReadSkin(SkinButton& skin, const XmlElement* element, const Dpi& dpi) const;

    bool m_loaded = false;
    bool m_textColoursRead = false;
    float m_drawScale = 1.0f;
    std::filesystem::path m_programFolder;
    Trace* m_trace = nullptr;
};

}  // namespace tarvik
