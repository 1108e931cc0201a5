#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvik {

struct Overrides;
class Dpi;
class Theme;
class Trace;
class XmlElement;

// Reads the sections of the theme file into a theme that holds the built-in values. Each
// section reader takes its element, or null when the file or the element is missing (the
// reader then keeps the theme's values, apart from the overrides, which always apply).
class ThemeFileReader {
  public:
    ThemeFileReader(Theme& theme, Trace& trace, const Overrides& overrides, const Dpi& dpi)
        : m_theme(theme), m_trace(trace), m_overrides(overrides), m_dpi(dpi) {}

    // text: the text size (with the size override, then scaled), colours and font families.
    void ReadText(const XmlElement* text);
    // bar: its heights and the backdrop tint.
    void ReadBar(const XmlElement* bar);
    // widgets: spacing, the eleven skins, the feed address, the weather place, the accent.
    void ReadWidgets(const XmlElement* widgets);
    // menu: the menu titles and the drop-down rows, then the gap and text offset overrides.
    void ReadMenu(const XmlElement* menu);
    // status: the widget area's gap and right margin.
    void ReadStatus(const XmlElement* status);
    // glass: radii, popup padding, corner style and colours.
    void ReadGlass(const XmlElement* glass);

  private:
    void ReadDropDown(const XmlElement* dropdown);
    // A size attribute (or list entry) held to the theme's pixel range.
    int32_t Pixels(const XmlElement* element, std::string_view name, int32_t fallback);
    int32_t ListPixels(const XmlElement* element, std::string_view name, size_t index,
                       int32_t fallback);
    uint32_t Argb(const XmlElement* element, std::string_view name, uint32_t fallback);

    Theme& m_theme;
    Trace& m_trace;
    const Overrides& m_overrides;
    const Dpi& m_dpi;
};

}  // namespace tarvik
