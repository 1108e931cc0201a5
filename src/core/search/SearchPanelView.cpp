#include "core/search/SearchPanelView.h"

#include <algorithm>
#include <string>

#include "core/app/LogException.h"
#include "core/search/MenuSearch.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "SearchPanel";

}  // namespace

// The margin round the field and the rows is that of a drop-down's highlight.
int32_t SearchPanelView::Margin() const {
    return m_theme.Layout.RowHighlight.X;
}

// From the field's or highlight's left edge to its text, as in a drop-down.
int32_t SearchPanelView::TextInset() const {
    return std::max(m_theme.Layout.RowText.X - m_theme.Layout.RowHighlight.X, 0);
}

RectI SearchPanelView::FieldBox(int32_t width) const {
    const ThemeLayout& layout = m_theme.Layout;
    const int32_t margin = Margin();
    return RectI{margin, margin, std::max(width - 2 * margin, 0),
                 layout.RowHeight + 2 * layout.RowText.Y};
}

int32_t SearchPanelView::RowTop(int32_t row) const {
    const ThemeLayout& layout = m_theme.Layout;
    const RectI field = FieldBox(0);
    return field.Y + field.Height + 2 * layout.RowText.Y + row * layout.RowHeight;
}

ListSize SearchPanelView::Size(const MenuSearch& search, int32_t screenWidth) const {
    const ThemeLayout& layout = m_theme.Layout;
    const int32_t width = std::clamp(kWidthInRows * layout.RowHeight, 1, std::max(screenWidth, 1));
    const RectI field = FieldBox(width);
    const auto rows = static_cast<int32_t>(search.Results().size());
    const int32_t height =
        rows == 0 ? field.Y + field.Height + Margin() : RowTop(rows) + layout.RowPadBottom;
    return ListSize{width, height};
}

void SearchPanelView::Paint(GDIPGraphics& graphics, const MenuSearch& search, int32_t width,
                            int32_t height, bool glassApplied) {
    RunLogged(m_trace, kSource, "Paint", true, [&] {
        graphics.Clear(0);
        m_theme.Glass.Paint(&graphics, width, height, glassApplied);
        PaintField(graphics, search, width);
        PaintRows(graphics, search, width);
    });
}

void SearchPanelView::PaintField(GDIPGraphics& graphics, const MenuSearch& search, int32_t width) {
    const RectI box = FieldBox(width);
    m_theme.Glass.PaintField(&graphics, box, true);
    const GDIPFont& font = m_theme.FontFor(0);
    const auto x = static_cast<float>(box.X + TextInset());
    const auto y = static_cast<float>(box.Y + m_theme.Layout.RowText.Y);
    const auto room = static_cast<float>(box.Width - 2 * TextInset());
    // A query wider than the field shows its end, where the caret is.
    std::string_view text = search.Query();
    while (!text.empty() && graphics.MeasureStringWidth(text, font) > room) {
        do {
            text.remove_prefix(1);
        } while (!text.empty() && (static_cast<unsigned char>(text.front()) & 0xC0) == 0x80);
    }
    // Text drawn at a point starts after the library's padding, which MeasureString counts on
    // both sides and MeasureStringWidth does not: the caret goes where the text ends.
    const float caretX =
        x +
        (graphics.MeasureString(text, font).Width + graphics.MeasureStringWidth(text, font)) / 2.0f;
    if (text.empty()) {
        graphics.DrawString(kPrompt, font, m_brushes.DisabledBrush(), x + 2.0f, y);
    } else {
        graphics.DrawString(text, font, m_brushes.TextBrush(), x, y);
    }
    const float inset = static_cast<float>(m_theme.Layout.RowText.Y);
    graphics.FillRectangle(m_brushes.TextBrush(), caretX, static_cast<float>(box.Y) + inset, 1.0f,
                           static_cast<float>(box.Height) - 2 * inset);
}

void SearchPanelView::PaintRows(GDIPGraphics& graphics, const MenuSearch& search, int32_t width) {
    const ThemeLayout& layout = m_theme.Layout;
    const GDIPFont& font = m_theme.FontFor(0);
    const int32_t margin = Margin();
    const auto left = static_cast<float>(margin + TextInset());
    const auto right = static_cast<float>(width - margin - TextInset());
    const auto& results = search.Results();
    for (size_t row = 0; row < results.size(); ++row) {
        const MenuCommand& command = *results[row];
        const int32_t top = RowTop(static_cast<int32_t>(row));
        const bool chosen = static_cast<int32_t>(row) == search.Chosen();
        if (chosen) {
            m_theme.Glass.PaintSelection(
                &graphics, RectI{margin, top - layout.RowHighlight.Y_Overflow, width - 2 * margin,
                                 layout.RowHighlight.Height});
        }
        const GDIPBrush& brush = !command.enabled ? m_brushes.DisabledBrush()
                                 : chosen         ? m_brushes.HighlightBrush()
                                                  : m_brushes.TextBrush();
        float pathRight = right;
        if (!command.shortcut.empty()) {
            const float shortcutWidth = graphics.MeasureStringWidth(command.shortcut, font);
            const GDIPBrush& keys =
                chosen && command.enabled ? m_brushes.HighlightBrush() : m_brushes.DisabledBrush();
            graphics.DrawString(command.shortcut, font, keys, right - shortcutWidth,
                                static_cast<float>(top));
            pathRight = right - shortcutWidth - static_cast<float>(TextInset());
        }
        // A path too long for its room is cut off before the shortcut text.
        DrawClipped(
            graphics,
            RectF{left, static_cast<float>(top - layout.RowHighlight.Y_Overflow),
                  std::max(pathRight - left, 0.0f), static_cast<float>(layout.RowHeight)},
            [&] { graphics.DrawString(command.path, font, brush, left, static_cast<float>(top)); });
    }
}

}  // namespace tarvik
