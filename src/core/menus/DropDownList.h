#pragma once

#include <cstdint>
#include <memory>

#include "core/app/Rounding.h"
#include "core/graphics/GDIPBitmap.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/menus/IDropDownMenu.h"
#include "core/menus/MenuItem.h"

namespace tarvik {

class Brushes;
class Theme;
class Trace;

// Everything of a drop-down menu that is not a window: the rows it lists, their geometry and hit
// test, which row is hot or pressed, and the painting of the whole frame.
class DropDownList {
  public:
    // Row states as the painter sees them; hot and pressed rows look alike.
    static constexpr int kRowNormal = 0;
    static constexpr int kRowHot = 1;
    static constexpr int kRowPressed = 3;
    // The mark of a checked row ("✓") and the room it takes left of the caption.
    static constexpr const char* kCheckMark = "\xE2\x9C\x93";
    static constexpr int32_t kCheckMarkWidth = 18;

    // What a pointer move asks of the window.
    enum class MoveOutcome {
        Nothing,  // no row under the pointer, or the hot row again
        Repaint,  // the highlight went away (separator or disabled row)
        Hover,    // a new hot row: repaint, then act on HotItem at HotIndex
    };

    // The theme, brushes and trace must outlive the list.
    DropDownList(const Theme& theme, Brushes& brushes, Trace& trace);
    DropDownList(const DropDownList&) = delete;
    DropDownList& operator=(const DropDownList&) = delete;

    int32_t RowHeightOf(const MenuItem& item) const;
    int32_t ListHeight(const MenuItemList& items) const;
    // The widest caption as the library measures it in the regular font; 0 for no rows.
    int32_t ListWidth(const MenuItemList& items);
    // The client size of a window that lists the items, margins included.
    ListSize WindowSize(const MenuItemList& items);

    // The top of a 1-based row of the shown list in client pixels; 0 and 1 give the first.
    int32_t RowTop(int32_t index) const;
    // The row strictly inside whose top and bottom y lies. When none, index is the number of
    // rows and item is null; a y on a boundary between two rows hits neither.
    void GetSelectedItem(int32_t y, int32_t& index, std::shared_ptr<MenuItem>& item) const;

    // True when this very list (the same object with the same rows) is the one shown.
    bool Shows(const MenuItemList& items) const;
    // Shows these rows, none of them hot or pressed.
    void SetItems(const MenuItemList& items);
    // Forgets the rows and the hot and pressed ones.
    void Clear();
    // True while a list is set, even an empty one.
    bool HasList() const { return m_hasList; }
    const MenuItemList& Items() const { return m_items; }

    MoveOutcome MouseMove(int32_t y);
    // Turns the hot row into the pressed one; true when something must be repainted.
    bool MouseDown();
    void ClearHot() { m_hot.reset(); }
    // Makes row index (1-based) the hot one, as the pointer would; any other index clears it.
    void SetHotIndex(int32_t index);
    const std::shared_ptr<MenuItem>& HotItem() const { return m_hot; }
    const std::shared_ptr<MenuItem>& PressedItem() const { return m_pressed; }
    int32_t HotIndex() const { return m_hotIndex; }
    // The 1-based row of the pressed item (the hot index when it is not in the list).
    int32_t PressedIndex() const;
    int RowState(const MenuItem& item) const;

    // The whole frame: transparent, the glass background, then the rows.
    void Paint(GDIPGraphics& graphics, int32_t width, int32_t height, bool glassApplied);
    // Every row: separators, highlights and captions. A failure is logged and ends painting.
    void DrawListText(GDIPGraphics& graphics, int32_t clientWidth);

  private:
    void DrawRows(GDIPGraphics& graphics, int32_t clientWidth);
    // A row's caption, after its check mark when it has one.
    void DrawCaption(GDIPGraphics& graphics, const MenuItem& item, const GDIPBrush& brush,
                     float top) const;

    const Theme& m_theme;
    Brushes& m_brushes;
    Trace& m_trace;
    GDIPBitmap m_measureBitmap;
    GDIPGraphics m_measure;

    bool m_hasList = false;
    const MenuItemList* m_source = nullptr;  // only compared, never read
    MenuItemList m_items;
    std::shared_ptr<MenuItem> m_hot;
    std::shared_ptr<MenuItem> m_pressed;
    int32_t m_hotIndex = 0;
};

}  // namespace tarvik
