#pragma once

#include <cstdint>
#include <optional>

#include "core/graphics/Colour.h"
#include "core/graphics/GDIPBrush.h"

namespace tarvik {

// The three text brushes every painter shares: normal, highlighted (on a selection) and
// disabled text. All three are made together on the first request of any of them and kept.
class Brushes {
  public:
    // The theme's text colours; the disabled colour is an ARGB word.
    Brushes(const Colour& textColour, const Colour& highlightTextColour,
            uint32_t disabledTextColour);
    Brushes(const Brushes&) = delete;
    Brushes& operator=(const Brushes&) = delete;

    const GDIPBrush& TextBrush();
    const GDIPBrush& HighlightBrush();
    const GDIPBrush& DisabledBrush();

  private:
    struct Made {
        GDIPBrush text;
        GDIPBrush highlight;
        GDIPBrush disabled;
    };
    Made& Ensure();

    Colour m_textColour;
    Colour m_highlightTextColour;
    uint32_t m_disabledTextColour;
    std::optional<Made> m_made;
};

}  // namespace tarvik
