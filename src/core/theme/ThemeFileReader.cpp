#include "core/theme/ThemeFileReader.h"

#include "core/app/CommandLine.h"
#include "core/bar/Dpi.h"
#include "core/theme/Theme.h"
#include "core/theme/ThemeReaders.h"
#include "core/xml/XmlDocument.h"

namespace tarvik {

namespace {

const XmlElement* ChildOf(const XmlElement* element, std::string_view name) {
    return element ? element->Child(name) : nullptr;
}

}  // namespace

int32_t ThemeFileReader::Pixels(const XmlElement* element, std::string_view name,
                                int32_t fallback) {
    return ThemePixels(Num(element, name, static_cast<float>(fallback), m_trace));
}

int32_t ThemeFileReader::ListPixels(const XmlElement* element, std::string_view name, size_t index,
                                    int32_t fallback) {
    return ThemePixels(ListNum(element, name, index, static_cast<float>(fallback)));
}

uint32_t ThemeFileReader::Argb(const XmlElement* element, std::string_view name,
                               uint32_t fallback) {
    return ReadArgb(element, name, fallback, m_trace);
}

void ThemeFileReader::ReadText(const XmlElement* text) {
    // The size override and the scaling apply even without a text element.
    float size = Num(text, "size", Theme::kDefaultTextSize, m_trace);
    if (const int32_t override = m_overrides.fontSize; override > 0) {
        size = static_cast<float>(override);
    }
    // Below a pixel no text can be read: that is taken as no size at all.
    if (!(size >= kMinTextSize)) size = Theme::kDefaultTextSize;
    if (size > kMaxTextSize) size = kMaxTextSize;
    m_theme.TextSize = size * m_dpi.DrawScale();
    if (!text) return;

    m_theme.TextColour = ReadColour(text, "color", "000000");
    m_theme.HighlightTextColour = ReadColour(text, "highlight", "ffffff");
    m_theme.m_textColoursRead = true;
    m_theme.DisabledTextColour = Argb(text, "disabled", m_theme.DisabledTextColour);
    m_theme.FontFace = Attr(text, "face", "");
}

void ThemeFileReader::ReadBar(const XmlElement* bar) {
    ThemeLayout& layout = m_theme.Layout;
    layout.BarHeight = Pixels(bar, "height", layout.BarHeight);
    layout.BarShadow = Pixels(bar, "shadow", layout.BarShadow);
    layout.WorkAreaTop = Pixels(bar, "workarea", layout.WorkAreaTop);
    layout.BackdropTint = Argb(ChildOf(bar, "acrylic"), "tint", layout.BackdropTint);
}

void ThemeFileReader::ReadWidgets(const XmlElement* widgets) {
    ThemeLayout& layout = m_theme.Layout;
    layout.WidgetLeft = Pixels(widgets, "left", layout.WidgetLeft);
    layout.WidgetPad = Pixels(widgets, "pad", layout.WidgetPad);
    layout.WidgetIconGap = Pixels(widgets, "icon-gap", layout.WidgetIconGap);
    layout.WidgetMinWidth = Pixels(widgets, "min-width", layout.WidgetMinWidth);
    if (!widgets) return;

    for (size_t i = 0; i < Theme::kSkinNames.size(); ++i) {
        m_theme.ReadSkin(m_theme.Skins[i], widgets->Child(Theme::kSkinNames[i]), m_dpi);
    }
    m_theme.NewsFeedUrl = Attr(widgets->Child("news"), "feed", m_theme.NewsFeedUrl);
    m_theme.WeatherLocation = Attr(widgets->Child("weather"), "location", m_theme.WeatherLocation);
    m_theme.WeatherHost = Attr(widgets->Child("weather"), "host", m_theme.WeatherHost);
    m_theme.AccentColour = Argb(widgets->Child("clock"), "accent", m_theme.AccentColour);
}

void ThemeFileReader::ReadMenu(const XmlElement* menu) {
    ThemeLayout& layout = m_theme.Layout;
    layout.MenuLeft = Pixels(menu, "left", layout.MenuLeft);
    layout.MenuGap = Pixels(menu, "gap", layout.MenuGap);
    layout.MenuPad = Pixels(menu, "pad", layout.MenuPad);
    layout.MenuTextX = ListPixels(menu, "text", 0, layout.MenuTextX);
    layout.MenuTextY = ListPixels(menu, "text", 1, layout.MenuTextY);
    // Rows, highlights and separators are read only inside menu/dropdown.
    ReadDropDown(ChildOf(menu, "dropdown"));

    // The overrides are unscaled pixels, like the file's sizes; they apply with or without a
    // menu element.
    if (const int32_t gap = m_overrides.itemGap; gap >= 0) {
        layout.MenuGap = ThemePixels(static_cast<float>(gap));
    }
    if (const int32_t textY = m_overrides.textY; textY >= 0) {
        layout.MenuTextY = ThemePixels(static_cast<float>(textY));
    }
}

void ThemeFileReader::ReadDropDown(const XmlElement* dropdown) {
    if (!dropdown) return;
    ThemeLayout& layout = m_theme.Layout;
    layout.RowHeight = Pixels(dropdown, "row", layout.RowHeight);
    layout.RowText.X = ListPixels(dropdown, "text", 0, layout.RowText.X);
    layout.RowText.Y = ListPixels(dropdown, "text", 1, layout.RowText.Y);
    layout.RowPadRight = ListPixels(dropdown, "pad", 0, layout.RowPadRight);
    layout.RowPadBottom = ListPixels(dropdown, "pad", 1, layout.RowPadBottom);

    if (const XmlElement* highlight = dropdown->Child("highlight")) {
        Padding& box = layout.RowHighlight;
        box.X = ListPixels(highlight, "inset", 0, box.X);
        box.Y = ListPixels(highlight, "inset", 1, box.Y);
        box.X_Overflow = ListPixels(highlight, "overflow", 0, box.X_Overflow);
        box.Y_Overflow = ListPixels(highlight, "overflow", 1, box.Y_Overflow);
        box.Height = Pixels(highlight, "height", box.Height);
    }
    if (const XmlElement* separator = dropdown->Child("separator")) {
        layout.SeparatorHeight = Pixels(separator, "height", layout.SeparatorHeight);
        Padding& box = layout.RowSeparator;
        box.X = ListPixels(separator, "inset", 0, box.X);
        box.Y = ListPixels(separator, "inset", 1, box.Y);
        box.X_Overflow = ListPixels(separator, "overflow", 0, box.X_Overflow);
        box.Y_Overflow = ListPixels(separator, "overflow", 1, box.Y_Overflow);
    }
}

void ThemeFileReader::ReadStatus(const XmlElement* status) {
    ThemeLayout& layout = m_theme.Layout;
    layout.StatusGap = Pixels(status, "gap", layout.StatusGap);
    layout.StatusRight = Pixels(status, "right", layout.StatusRight);
}

void ThemeFileReader::ReadGlass(const XmlElement* glass) {
    GlassStyle& style = m_theme.Glass;
    style.Radius = Pixels(glass, "radius", style.Radius);
    style.BorderWidth = Pixels(glass, "border-width", style.BorderWidth);
    style.SelectionRadius = Pixels(glass, "selection-radius", style.SelectionRadius);
    m_theme.Layout.PopupPad = Pixels(glass, "pad", m_theme.Layout.PopupPad);
    style.corner = Attr(glass, "corner", style.corner);
    style.Tint = Argb(glass, "tint", style.Tint);
    style.BorderColor = Argb(glass, "border", style.BorderColor);
    style.SeparatorColor = Argb(glass, "separator", style.SeparatorColor);
    style.Selection = Argb(glass, "selection", style.Selection);
    style.Pressed = Argb(glass, "pressed", style.Pressed);
}

}  // namespace tarvik
