#pragma once

#include <cstdint>
#include <string>

#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class Brushes;
class Dpi;
class GDIPGraphics;
class Theme;
class Trace;

// A clickable button inside a canvas ("Back", "Options..."): measured from its caption, laid out
// where its widget says, drawn with the glass button painter. Not a window: the widget calls it
// from its painting and mouse handling and decides what a click means. Coordinates are canvas
// client pixels.
class PushButton {
  public:
    // The theme, brushes and trace must outlive the button; sizes are scaled once, here.
    PushButton(const Theme& theme, Brushes& brushes, Trace& trace, const Dpi& dpi);

    std::string Caption;
    bool Accent = false;   // drawn as the default (accented) button
    bool Enabled = true;   // a disabled button draws greyed and never hits or hovers
    bool Hovered = false;  // kept by UpdateHover

    // From the last layout; all zero before any.
    BoundsRect Bounds() const { return m_bounds; }
    int32_t Height() const { return m_height; }
    // The caption's width plus the insets, at least the minimum width.
    int32_t MeasuredWidth(GDIPGraphics& graphics) const;
    void LayoutAt(GDIPGraphics& graphics, int32_t x, int32_t y);
    // Centred in a container of that width; not clamped when the container is narrower.
    void LayoutCentered(GDIPGraphics& graphics, int32_t containerWidth, int32_t y);
    void LayoutRightAligned(GDIPGraphics& graphics, int32_t right, int32_t y);
    // Paints into the bounds; nothing before a layout. A failure is logged once.
    void Draw(GDIPGraphics* graphics) const;
    // Left and top edges inside, right and bottom edges outside; never for a disabled button.
    bool HitTest(float x, float y) const;
    // True only when Hovered changed (the caller repaints then).
    bool UpdateHover(float x, float y);

  private:
    const Theme& m_theme;
    Brushes& m_brushes;
    Trace& m_trace;
    int32_t m_height;
    int32_t m_inset;
    int32_t m_minWidth;
    BoundsRect m_bounds;
};

}  // namespace tarvik
