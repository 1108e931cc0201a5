#include "core/theme/Brushes.h"

#include <string>

namespace tarvik {

namespace {

// The colour read again from its own hexadecimal text: the same colour with alpha 254.
Colour FromOwnText(const Colour& colour) {
    Colour fresh;
    fresh.SetColourByHex(colour.WebColor());
    return fresh;
}

}  // namespace

Brushes::Brushes(const Colour& textColour, const Colour& highlightTextColour,
                 uint32_t disabledTextColour)
    : m_textColour(textColour),
      m_highlightTextColour(highlightTextColour),
      m_disabledTextColour(disabledTextColour) {}

Brushes::Made& Brushes::Ensure() {
    if (!m_made) {
        m_made.emplace(Made{GDIPBrush(FromOwnText(m_textColour)),
                            GDIPBrush(FromOwnText(m_highlightTextColour)),
                            GDIPBrush::FromArgb(m_disabledTextColour)});
    }
    return *m_made;
}

const GDIPBrush& Brushes::TextBrush() {
    return Ensure().text;
}

const GDIPBrush& Brushes::HighlightBrush() {
    return Ensure().highlight;
}

const GDIPBrush& Brushes::DisabledBrush() {
    return Ensure().disabled;
}

}  // namespace tarvik
