#include "core/menus/DropDownList.h"

#include <algorithm>
#include <exception>

#include "core/app/Error.h"
#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "DropDownMenu";

}  // namespace

DropDownList::DropDownList(const Theme& theme, Brushes& brushes, Trace& trace)
    : m_theme(theme),
      m_brushes(brushes),
      m_trace(trace),
      m_measureBitmap(GDIPBitmap::CreateFromSizeFormat(1, 1, kPixelFormat32bppARGB)) {
    m_measure.FromImage(m_measureBitmap.Image());
}

int32_t DropDownList::RowHeightOf(const MenuItem& item) const {
    return item.IsSeparator ? m_theme.Layout.SeparatorHeight : m_theme.Layout.RowHeight;
}

int32_t DropDownList::ListHeight(const MenuItemList& items) const {
    int64_t height = 0;
    for (const auto& item : items) height += item ? RowHeightOf(*item) : 0;
    return NearestInt(static_cast<double>(height));
}

int32_t DropDownList::ListWidth(const MenuItemList& items) {
    float widest = 0;
    for (const auto& item : items) {
        if (!item) continue;
        widest = std::max(widest, m_measure.MeasureString(item->text, m_theme.FontFor(0)).Width);
    }
    return NearestInt(widest);
}

ListSize DropDownList::WindowSize(const MenuItemList& items) {
    const ThemeLayout& layout = m_theme.Layout;
    const int64_t width = int64_t{ListWidth(items)} + layout.RowText.X + layout.RowPadRight;
    const int64_t height = int64_t{ListHeight(items)} + layout.RowText.Y + layout.RowPadBottom;
    return ListSize{NearestInt(static_cast<double>(width)),
                    NearestInt(static_cast<double>(height))};
}

int32_t DropDownList::RowTop(int32_t index) const {
    int64_t top = m_theme.Layout.RowText.Y;
    for (int32_t row = 1; row < index && row <= static_cast<int32_t>(m_items.size()); ++row) {
        const auto& item = m_items[static_cast<size_t>(row - 1)];
        if (item) top += RowHeightOf(*item);
    }
    return NearestInt(static_cast<double>(top));
}

void DropDownList::GetSelectedItem(int32_t y, int32_t& index,
                                   std::shared_ptr<MenuItem>& item) const {
    int64_t top = m_theme.Layout.RowText.Y;
    index = 0;
    item.reset();
    for (const auto& row : m_items) {
        const int64_t bottom = top + (row ? RowHeightOf(*row) : 0);
        ++index;
        if (row && top < y && bottom > y) {
            item = row;
            return;
        }
        top = bottom;
    }
}

bool DropDownList::Shows(const MenuItemList& items) const {
    // The address alone could be a new list where an old one was; the rows are held here, so
    // the same rows mean the same list.
    return m_hasList && m_source == &items && m_items == items;
}

void DropDownList::SetItems(const MenuItemList& items) {
    m_hasList = true;
    m_source = &items;
    m_items = items;
    // Hot and pressed rows belong to the list they were found in.
    m_hot.reset();
    m_pressed.reset();
    m_hotIndex = 0;
}

void DropDownList::Clear() {
    m_hasList = false;
    m_source = nullptr;
    m_items.clear();
    m_pressed.reset();
    m_hot.reset();
}

DropDownList::MoveOutcome DropDownList::MouseMove(int32_t y) {
    std::shared_ptr<MenuItem> row;
    GetSelectedItem(y, m_hotIndex, row);
    if (!row) return MoveOutcome::Nothing;
    if (!row->IsEnabled || row->IsSeparator) {
        ClearHot();
        return MoveOutcome::Repaint;
    }
    if (row == m_hot) return MoveOutcome::Nothing;
    m_hot = row;
    return MoveOutcome::Hover;
}

void DropDownList::SetHotIndex(int32_t index) {
    m_hot.reset();
    if (index < 1 || index > static_cast<int32_t>(m_items.size())) return;
    m_hot = m_items[static_cast<size_t>(index - 1)];
    m_hotIndex = index;
}

bool DropDownList::MouseDown() {
    if (!m_hot) return false;
    m_pressed = std::move(m_hot);
    m_hot.reset();
    return true;
}

int32_t DropDownList::PressedIndex() const {
    const auto found = std::find(m_items.begin(), m_items.end(), m_pressed);
    if (!m_pressed || found == m_items.end()) return m_hotIndex;
    return static_cast<int32_t>(found - m_items.begin()) + 1;
}

int DropDownList::RowState(const MenuItem& item) const {
    if (m_pressed.get() == &item) return kRowPressed;
    if (m_hot.get() == &item) return kRowHot;
    return kRowNormal;
}

void DropDownList::Paint(GDIPGraphics& graphics, int32_t width, int32_t height, bool glassApplied) {
    graphics.Clear(0);
    m_theme.Glass.Paint(&graphics, width, height, glassApplied);
    DrawListText(graphics, width);
}

void DropDownList::DrawListText(GDIPGraphics& graphics, int32_t clientWidth) {
    if (!m_hasList) return;
    RunLogged(m_trace, kSource, "DrawListText", true, [&] { DrawRows(graphics, clientWidth); });
}

void DropDownList::DrawRows(GDIPGraphics& graphics, int32_t clientWidth) {
    const ThemeLayout& layout = m_theme.Layout;
    int64_t y = layout.RowText.Y;
    for (const auto& item : m_items) {
        if (!item) continue;
        const float top = static_cast<float>(y);
        if (item->IsSeparator) {
            m_theme.Glass.PaintSeparator(
                &graphics,
                RectF{static_cast<float>(layout.RowSeparator.X),
                      top + static_cast<float>(layout.RowSeparator.Y),
                      static_cast<float>(int64_t{clientWidth} - layout.RowSeparator.X_Overflow),
                      1.0f});
        } else if (!item->IsEnabled) {
            DrawCaption(graphics, *item, m_brushes.DisabledBrush(), top);
        } else if (RowState(*item) == kRowNormal) {
            DrawCaption(graphics, *item, m_brushes.TextBrush(), top);
        } else {
            const RectI highlight{
                layout.RowHighlight.X,
                NearestInt(static_cast<double>(y - layout.RowHighlight.Y_Overflow)),
                NearestInt(static_cast<double>(clientWidth) - layout.RowHighlight.X_Overflow),
                layout.RowHighlight.Height};
            m_theme.Glass.PaintSelection(&graphics, highlight);
            DrawCaption(graphics, *item, m_brushes.HighlightBrush(), top);
        }
        y += RowHeightOf(*item);
    }
}

void DropDownList::DrawCaption(GDIPGraphics& graphics, const MenuItem& item, const GDIPBrush& brush,
                               float top) const {
    const ThemeLayout& layout = m_theme.Layout;
    const GDIPFont& font = m_theme.FontFor(0);
    // A check mark sits in the left margin, ending where the caption starts.
    if (item.IsChecked) {
        const int32_t markLeft = std::max(0, layout.RowText.X - kCheckMarkWidth);
        graphics.DrawString(kCheckMark, font, brush, static_cast<float>(markLeft), top);
    }
    graphics.DrawString(item.text, font, brush, static_cast<float>(layout.RowText.X), top);
}

}  // namespace tarvik
