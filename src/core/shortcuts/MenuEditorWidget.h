#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPFont.h"
#include "core/graphics/GDIPPen.h"
#include "core/graphics/GraphicsTypes.h"
#include "core/platform/WindowHandle.h"
#include "core/shortcuts/StoredMenus.h"
#include "core/widgets/framework/IWidget.h"
#include "core/widgets/framework/PushButton.h"

namespace tarvik {

class Brushes;
class CustomMenus;
class Dpi;
class Theme;
class Trace;

// What the menu editor works with; every reference must outlive the widget.
struct MenuEditorServices {
    const Theme& theme;
    Brushes& brushes;
    Trace& trace;
    const Dpi& dpi;
    CustomMenus& menus;
};

// The hidden widget in which the user sees, adds and deletes the custom shortcut entries of one
// program. It has no button: the bar summons its canvas when "Create keyboard shortcut..." or
// "Edit menu..." was picked. The canvas lists the entries under their menu titles, each with its
// chord and a delete mark ("Done", "Add Shortcut..."), or, in add mode, shows the fields "Menu",
// "Caption" and "Shortcut" ("Save", "Cancel"); the Shortcut field records a chord from the keys
// the user presses. The widget also owns every custom menu entry and hears their picks.
class MenuEditorWidget final : public IWidget, public ICanvasKeys {
  public:
    static constexpr const char* kName = "MenuEditor";
    static constexpr const char* kSource = "MenuEditorWidget";
    static constexpr size_t kMenuLimit = 24;     // UTF-16 units
    static constexpr size_t kCaptionLimit = 40;  // UTF-16 units

    enum class Mode { List = 0, Add = 1 };
    enum Field : int32_t { NoField = 0, MenuField = 1, CaptionField = 2, ShortcutField = 3 };

    explicit MenuEditorWidget(const MenuEditorServices& services);

    std::string Name() const override { return kName; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateCanvas; }
    const SkinButton* ButtonIcon() const override { return nullptr; }
    std::string ButtonText() const override { return {}; }
    void OnMenuCommand(const MenuItem& item) override;
    void Attach(WidgetHost* host) override;

    void MeasureCanvas(GDIPGraphics& graphics, int32_t& width, int32_t& height) override;
    void PaintCanvas(GDIPGraphics& graphics, int32_t width, int32_t height) override;
    void OnCanvasMouseMove(int16_t button, float x, float y) override;
    void OnCanvasMouseUp(int16_t button, float x, float y) override;
    void OnCanvasMouseLeave() override;
    void OnCanvasKeyDown(int16_t keyCode, int16_t shift) override;
    void OnCanvasKeyPress(int16_t keyAscii) override;
    bool CapturesKeys() const override { return m_recording; }

    // Loads the program's entries and prepares the canvas: the list, or add mode when there
    // are none. The bar calls it right before it opens the canvas.
    void SummonFor(const std::string& key, const std::string& windowTitle, WindowHandle window);

    // The state, for tests.
    Mode CurrentMode() const { return m_mode; }
    Field FocusedField() const { return m_focused; }
    bool Recording() const { return m_recording; }
    bool NotSaved() const { return m_notSaved; }
    const std::string& NewMenu() const { return m_newMenu; }
    const std::string& NewCaption() const { return m_newCaption; }
    const std::string& NewChord() const { return m_newChord; }
    const std::vector<ShortcutRow>& Rows() const { return m_rows; }

  private:
    // One line of the list: a menu title, an entry (with its row), or the empty note.
    struct Line {
        enum Kind { Title = 0, Entry = 1, Note = 2 } kind = Note;
        std::string text;
        std::string chord;
        size_t row = 0;
    };
    // Fonts, the caret's brush and the delete mark's pens: made once, on first paint.
    struct Drawing {
        GDIPFont titleFont;
        GDIPFont smallFont;
        GDIPBrush caretBrush;
        GDIPPen markPen;
        GDIPPen hotMarkPen;
    };

    Drawing& EnsureDrawing();
    void BuildLines();
    int32_t ContentHeight() const;
    int32_t FieldTop(int32_t field) const;
    RectI FieldBox(int32_t field) const;
    int32_t TextTop(int32_t top, int32_t height) const;
    bool CanSave() const;
    void PaintLines(GDIPGraphics& graphics, Drawing& drawing);
    void PaintDeleteMark(GDIPGraphics& graphics, Drawing& drawing, int32_t lineTop, bool hot);
    void PaintFields(GDIPGraphics& graphics, Drawing& drawing);
    void PaintFieldText(GDIPGraphics& graphics, Drawing& drawing, int32_t field);
    void LayoutButtons(GDIPGraphics& graphics);
    int32_t DeleteMarkAt(float x, float y) const;
    int32_t FieldAt(float x, float y) const;

    void StartAddMode();
    void SaveNewRow();
    void CancelAdd();
    void DeleteRow(size_t index);
    void ClearHover();
    void Repaint();
    void RefreshCanvas();

    const Theme& m_theme;
    Brushes& m_brushes;
    Trace& m_trace;
    CustomMenus& m_menus;

    // Sizes, scaled once.
    int32_t m_width, m_margin, m_titleHeight, m_subtitleHeight, m_gap, m_lineHeight;
    int32_t m_fieldHeight, m_fieldGap, m_labelWidth, m_buttonGap, m_deleteColumn, m_indent;
    int32_t m_caretInset, m_caretWidth, m_textInset, m_markReach;

    PushButton m_primary;
    PushButton m_secondary;
    std::optional<Drawing> m_drawing;

    WidgetHost* m_host = nullptr;
    std::string m_key;
    std::string m_windowTitle;
    WindowHandle m_window = 0;
    std::vector<ShortcutRow> m_rows;
    Mode m_mode = Mode::List;
    std::string m_newMenu;
    std::string m_newCaption;
    std::string m_newChord;
    Field m_focused = NoField;
    bool m_recording = false;
    bool m_notSaved = false;       // the last save was refused by the store
    uint16_t m_highSurrogate = 0;  // the first half of a character typed as two units
    int32_t m_hoverLine = 0;       // 1-based; 0 none
    std::vector<Line> m_lines;
};

}  // namespace tarvik
