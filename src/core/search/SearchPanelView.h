#pragma once

#include <cstdint>
#include <string_view>

#include "core/graphics/GDIPGraphics.h"
#include "core/graphics/GraphicsTypes.h"
#include "core/menus/DropDownPlacement.h"

namespace tarvik {

class Brushes;
class MenuSearch;
class Theme;
class Trace;

// The look of the search panel, in the drop-downs' style: the glass background, a text field
// at the top with the query and a caret, and below it one row per result with the command's
// path on the left and its shortcut text at the right, the chosen row highlighted and disabled
// commands greyed. Every size comes from the theme's layout, so it follows the drawing scale.
class SearchPanelView {
  public:
    // Shown in the empty field.
    static constexpr std::string_view kPrompt = "Search the menus";
    // The panel's width in rows' heights, whatever the results.
    static constexpr int32_t kWidthInRows = 30;

    // The theme, brushes and trace must outlive the view.
    SearchPanelView(const Theme& theme, Brushes& brushes, Trace& trace)
        : m_theme(theme), m_brushes(brushes), m_trace(trace) {}

    // The window's client size for the search's results; never wider than the screen.
    ListSize Size(const MenuSearch& search, int32_t screenWidth) const;
    // The text field, in client pixels.
    RectI FieldBox(int32_t width) const;
    // The top of a 0-based result row, in client pixels.
    int32_t RowTop(int32_t row) const;

    // The whole frame: transparent, the glass background, the field, the rows. A failure is
    // logged and ends painting.
    void Paint(GDIPGraphics& graphics, const MenuSearch& search, int32_t width, int32_t height,
               bool glassApplied);

  private:
    void PaintField(GDIPGraphics& graphics, const MenuSearch& search, int32_t width);
    void PaintRows(GDIPGraphics& graphics, const MenuSearch& search, int32_t width);
    int32_t Margin() const;
    int32_t TextInset() const;

    const Theme& m_theme;
    Brushes& m_brushes;
    Trace& m_trace;
};

}  // namespace tarvik
