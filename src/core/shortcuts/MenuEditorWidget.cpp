#include "core/shortcuts/MenuEditorWidget.h"

#include <utility>

#include "core/app/LogException.h"
#include "core/app/Rounding.h"
#include "core/app/Trace.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphicPath.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/shortcuts/CustomMenus.h"
#include "core/shortcuts/KeyChord.h"
#include "core/text/StringHelpers.h"
#include "core/text/Utf16.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik {

namespace {

constexpr int16_t kLeftButton = 1;
constexpr int16_t kEnterKey = 13;
constexpr int16_t kEscapeKey = 27;
constexpr int16_t kF4Key = 115;
constexpr int16_t kAltMask = 4;
constexpr uint16_t kBackspace = 8;
constexpr const char* kFieldLabels[] = {"Menu", "Caption", "Shortcut"};

// Applies one typed UTF-16 unit to a text of at most limit units: backspace takes the last
// character; a character of two units joins its halves first; control characters (the stored
// format's separators among them) and DEL are never taken.
void EditText(std::string& text, uint16_t unit, uint16_t& highSurrogate, size_t limit) {
    const uint16_t high = std::exchange(highSurrogate, 0);
    uint32_t codePoint = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        highSurrogate = unit;
        return;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (high == 0) return;
        codePoint = 0x10000 + ((uint32_t{high} - 0xD800) << 10) + (unit - 0xDC00u);
    }
    if (unit == kBackspace) {
        while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
            text.pop_back();
        }
        if (!text.empty()) text.pop_back();
        return;
    }
    if (codePoint < 32 || codePoint == 127) return;
    const size_t units = codePoint >= 0x10000 ? 2 : 1;
    if (Utf16Length(text) + units <= limit) AppendUtf8(text, codePoint);
}

}  // namespace

MenuEditorWidget::MenuEditorWidget(const MenuEditorServices& services)
    : m_theme(services.theme),
      m_brushes(services.brushes),
      m_trace(services.trace),
      m_menus(services.menus),
      m_width(services.dpi.Scale(264)),
      m_margin(services.dpi.Scale(16)),
      m_titleHeight(services.dpi.Scale(24)),
      m_subtitleHeight(services.dpi.Scale(18)),
      m_gap(services.dpi.Scale(8)),
      m_lineHeight(services.dpi.Scale(22)),
      m_fieldHeight(services.dpi.Scale(24)),
      m_fieldGap(services.dpi.Scale(6)),
      m_labelWidth(services.dpi.Scale(68)),
      m_buttonGap(services.dpi.Scale(8)),
      m_deleteColumn(services.dpi.Scale(24)),
      m_indent(services.dpi.Scale(12)),
      m_caretInset(services.dpi.Scale(4)),
      m_caretWidth(services.dpi.Scale(1)),
      m_textInset(services.dpi.Scale(8)),
      m_markReach(services.dpi.Scale(3)),
      m_primary(services.theme, services.brushes, services.trace, services.dpi),
      m_secondary(services.theme, services.brushes, services.trace, services.dpi) {
    m_primary.Accent = true;
}

void MenuEditorWidget::Attach(WidgetHost* host) {
    m_host = host;
    m_menus.RegisterEditor(host != nullptr ? this : nullptr);
}

void MenuEditorWidget::OnMenuCommand(const MenuItem& item) {
    RunLogged(m_trace, kSource, "OnMenuCommand", true, [&] {
        if (!item.ShortcutKeys.empty()) {
            m_menus.QueuePendingShortcut(item.hWnd, item.ShortcutKeys);
        } else {
            m_menus.RequestEditor(item.hWnd);
        }
    });
}

void MenuEditorWidget::SummonFor(const std::string& key, const std::string& windowTitle,
                                 WindowHandle window) {
    RunLogged(m_trace, kSource, "SummonFor", true, [&] {
        m_key = key;
        m_windowTitle = windowTitle;
        m_window = window;
        m_rows = m_menus.LoadRows(key);
        ClearHover();
        if (m_rows.empty()) {
            StartAddMode();
            return;
        }
        m_mode = Mode::List;
        m_focused = NoField;
        m_recording = false;
    });
}

void MenuEditorWidget::StartAddMode() {
    m_newMenu = m_rows.empty() ? CustomMenus::kDefaultTitle : m_rows.back().menu;
    m_newCaption.clear();
    m_newChord.clear();
    m_highSurrogate = 0;
    m_focused = CaptionField;
    m_recording = false;
    m_notSaved = false;
    m_mode = Mode::Add;
    m_primary.Enabled = false;
}

MenuEditorWidget::Drawing& MenuEditorWidget::EnsureDrawing() {
    if (!m_drawing) {
        const uint32_t selection = m_theme.Glass.Selection;
        m_drawing.emplace(Drawing{
            .titleFont = m_theme.MakeFont(14, kFontStyleBold),
            .smallFont = m_theme.MakeFont(10, kFontStyleRegular),
            .caretBrush = GDIPBrush::FromArgb(0xFF000000u | (selection & 0xFFFFFFu)),
            .markPen = GDIPPen::FromArgb(m_theme.DisabledTextColour, NearestInt(1.5)),
            .hotMarkPen = GDIPPen::FromArgb(m_theme.AccentColour, NearestInt(1.5)),
        });
    }
    return *m_drawing;
}

void MenuEditorWidget::BuildLines() {
    m_lines.clear();
    if (m_rows.empty()) {
        m_lines.push_back(Line{Line::Note, "No shortcuts yet.", {}, 0});
        return;
    }
    const std::string* current = nullptr;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (current == nullptr || *current != m_rows[i].menu) {
            current = &m_rows[i].menu;
            m_lines.push_back(Line{Line::Title, *current, {}, 0});
        }
        m_lines.push_back(Line{Line::Entry, m_rows[i].caption, m_rows[i].chord, i + 1});
    }
}

int32_t MenuEditorWidget::ContentHeight() const {
    const int32_t header = m_margin + m_titleHeight + m_subtitleHeight + m_gap;
    if (m_mode == Mode::List) {
        return header + static_cast<int32_t>(m_lines.size()) * m_lineHeight + m_gap;
    }
    return header + 3 * m_fieldHeight + 2 * m_fieldGap + m_gap;
}

int32_t MenuEditorWidget::FieldTop(int32_t field) const {
    const int32_t header = m_margin + m_titleHeight + m_subtitleHeight + m_gap;
    return header + (field - 1) * (m_fieldHeight + m_fieldGap);
}

RectI MenuEditorWidget::FieldBox(int32_t field) const {
    return RectI{m_margin + m_labelWidth, FieldTop(field), m_width - 2 * m_margin - m_labelWidth,
                 m_fieldHeight};
}

int32_t MenuEditorWidget::TextTop(int32_t top, int32_t height) const {
    return top + NearestInt(height - m_theme.TextSize) / 2 - 2;
}

bool MenuEditorWidget::CanSave() const {
    return !TrimSpaces(m_newCaption).empty() && !m_newChord.empty();
}

void MenuEditorWidget::MeasureCanvas(GDIPGraphics& /*graphics*/, int32_t& width, int32_t& height) {
    RunLogged(m_trace, kSource, "MeasureCanvas", true, [&] {
        if (m_mode == Mode::List) BuildLines();
        width = m_width;
        height = ContentHeight() + m_primary.Height() + m_margin;
    });
}

void MenuEditorWidget::PaintCanvas(GDIPGraphics& graphics, int32_t /*width*/, int32_t /*height*/) {
    RunLogged(m_trace, kSource, "PaintCanvas", true, [&] {
        Drawing& drawing = EnsureDrawing();
        const auto margin = static_cast<float>(m_margin);
        const bool list = m_mode == Mode::List;
        graphics.DrawString(list         ? "Menu Editor"
                            : m_notSaved ? "Not Saved"
                                         : "New Shortcut",
                            drawing.titleFont, m_brushes.TextBrush(), margin, margin);
        graphics.DrawString(m_windowTitle.empty() ? m_key : m_windowTitle, drawing.smallFont,
                            m_brushes.DisabledBrush(), margin,
                            static_cast<float>(m_margin + m_titleHeight));
        if (list) {
            PaintLines(graphics, drawing);
            m_primary.Caption = "Done";
            m_secondary.Caption = "Add Shortcut...";
            m_primary.Enabled = true;
        } else {
            PaintFields(graphics, drawing);
            m_primary.Caption = "Save";
            m_secondary.Caption = "Cancel";
            m_primary.Enabled = CanSave();
        }
        LayoutButtons(graphics);
        m_primary.Draw(&graphics);
        m_secondary.Draw(&graphics);
    });
}

void MenuEditorWidget::LayoutButtons(GDIPGraphics& graphics) {
    const int32_t y = ContentHeight();
    m_primary.LayoutRightAligned(graphics, m_width - m_margin, y);
    m_secondary.LayoutRightAligned(graphics, m_primary.Bounds().X - m_buttonGap, y);
}

void MenuEditorWidget::PaintLines(GDIPGraphics& graphics, Drawing& drawing) {
    const int32_t header = m_margin + m_titleHeight + m_subtitleHeight + m_gap;
    const GDIPFont& regular = m_theme.FontFor(0);
    const float chordRight = static_cast<float>(m_width - m_margin - m_deleteColumn);
    for (size_t k = 0; k < m_lines.size(); ++k) {
        const Line& line = m_lines[k];
        const int32_t top = header + static_cast<int32_t>(k) * m_lineHeight;
        const auto y = static_cast<float>(TextTop(top, m_lineHeight));
        if (line.kind == Line::Title) {
            graphics.DrawString(line.text, m_theme.FontFor(1), m_brushes.TextBrush(),
                                static_cast<float>(m_margin), y);
        } else if (line.kind == Line::Note) {
            graphics.DrawString(line.text, regular, m_brushes.DisabledBrush(),
                                static_cast<float>(m_margin), y);
        } else {
            graphics.DrawString(line.text, regular, m_brushes.TextBrush(),
                                static_cast<float>(m_margin + m_indent), y);
            graphics.DrawString(line.chord, regular, m_brushes.DisabledBrush(),
                                chordRight - graphics.MeasureStringWidth(line.chord, regular), y);
            PaintDeleteMark(graphics, drawing, top, static_cast<int32_t>(k) + 1 == m_hoverLine);
        }
    }
}

void MenuEditorWidget::PaintDeleteMark(GDIPGraphics& graphics, Drawing& drawing, int32_t lineTop,
                                       bool hot) {
    const float cx = static_cast<float>(m_width - m_margin) - m_deleteColumn / 2.0f;
    const float cy = static_cast<float>(lineTop) + m_lineHeight / 2.0f;
    const auto r = static_cast<float>(m_markReach);
    GDIPGraphicPath down;
    down.AddLine(cx - r, cy - r, cx + r, cy + r);
    GDIPGraphicPath up;
    up.AddLine(cx - r, cy + r, cx + r, cy - r);
    const GDIPPen& pen = hot ? drawing.hotMarkPen : drawing.markPen;
    graphics.DrawPath(pen, down);
    graphics.DrawPath(pen, up);
}

void MenuEditorWidget::PaintFields(GDIPGraphics& graphics, Drawing& drawing) {
    for (int32_t field = MenuField; field <= ShortcutField; ++field) {
        const int32_t top = FieldTop(field);
        graphics.DrawString(kFieldLabels[field - 1], drawing.smallFont, m_brushes.DisabledBrush(),
                            static_cast<float>(m_margin),
                            static_cast<float>(TextTop(top, m_fieldHeight)));
        m_theme.Glass.PaintField(&graphics, FieldBox(field), field == m_focused);
        PaintFieldText(graphics, drawing, field);
    }
}

void MenuEditorWidget::PaintFieldText(GDIPGraphics& graphics, Drawing& drawing, int32_t field) {
    const RectI box = FieldBox(field);
    const GDIPFont& regular = m_theme.FontFor(0);
    const auto x = static_cast<float>(box.X + m_textInset);
    const auto y = static_cast<float>(TextTop(box.Y, box.Height));
    if (field == ShortcutField) {
        if (m_recording) {
            graphics.DrawString("Press keys...", regular, m_brushes.DisabledBrush(), x, y);
        } else if (!m_newChord.empty()) {
            graphics.DrawString(m_newChord, regular, m_brushes.TextBrush(), x, y);
        } else {
            graphics.DrawString("click to record", regular, m_brushes.DisabledBrush(), x, y);
        }
        return;
    }
    // A text wider than the box shows its end, where the caret is.
    std::string_view text = field == MenuField ? m_newMenu : m_newCaption;
    const float room = static_cast<float>(box.Width - 2 * m_textInset);
    while (!text.empty() && graphics.MeasureStringWidth(" " + std::string(text), regular) > room) {
        const size_t skip = Utf16Prefix(text, 1).size();
        text.remove_prefix(skip == 0 ? 1 : skip);
    }
    if (!text.empty()) graphics.DrawString(text, regular, m_brushes.TextBrush(), x, y);
    if (field != m_focused) return;
    const float caretX =
        x + graphics.MeasureStringWidth(" " + std::string(text), regular) - m_caretInset;
    graphics.FillRectangle(drawing.caretBrush, caretX, static_cast<float>(box.Y + m_caretInset),
                           static_cast<float>(m_caretWidth),
                           static_cast<float>(box.Height - 2 * m_caretInset));
}

int32_t MenuEditorWidget::DeleteMarkAt(float x, float y) const {
    const int32_t header = m_margin + m_titleHeight + m_subtitleHeight + m_gap;
    if (x < m_width - m_margin - m_deleteColumn || y < header) return 0;
    const int32_t line = NearestInt(static_cast<double>(y) - header) / m_lineHeight + 1;
    if (line > static_cast<int32_t>(m_lines.size())) return 0;
    return m_lines[line - 1].kind == Line::Entry ? line : 0;
}

int32_t MenuEditorWidget::FieldAt(float x, float y) const {
    for (int32_t field = MenuField; field <= ShortcutField; ++field) {
        const RectI box = FieldBox(field);
        if (x >= box.X && x < box.X + box.Width && y >= box.Y && y < box.Y + box.Height) {
            return field;
        }
    }
    return NoField;
}

void MenuEditorWidget::OnCanvasMouseMove(int16_t /*button*/, float x, float y) {
    RunLogged(m_trace, kSource, "OnCanvasMouseMove", true, [&] {
        bool changed = m_primary.UpdateHover(x, y);
        changed = m_secondary.UpdateHover(x, y) || changed;
        const int32_t line = m_mode == Mode::List ? DeleteMarkAt(x, y) : 0;
        if (line != m_hoverLine) {
            m_hoverLine = line;
            changed = true;
        }
        if (changed) Repaint();
    });
}

void MenuEditorWidget::OnCanvasMouseUp(int16_t button, float x, float y) {
    if (button != kLeftButton || m_host == nullptr) return;
    RunLogged(m_trace, kSource, "OnCanvasMouseUp", true, [&] {
        if (m_mode == Mode::List) {
            if (m_primary.HitTest(x, y)) {
                m_host->CloseCanvas();
            } else if (m_secondary.HitTest(x, y)) {
                StartAddMode();
                RefreshCanvas();
            } else if (const int32_t line = DeleteMarkAt(x, y)) {
                DeleteRow(m_lines[line - 1].row);
            }
            return;
        }
        if (m_primary.HitTest(x, y)) {
            SaveNewRow();
        } else if (m_secondary.HitTest(x, y)) {
            CancelAdd();
        } else if (const int32_t field = FieldAt(x, y)) {
            m_focused = static_cast<Field>(field);
            m_recording = field == ShortcutField;
            Repaint();
        }
    });
}

void MenuEditorWidget::OnCanvasMouseLeave() {
    if (!m_primary.Hovered && !m_secondary.Hovered && m_hoverLine == 0) return;
    ClearHover();
    Repaint();
}

void MenuEditorWidget::OnCanvasKeyDown(int16_t keyCode, int16_t shift) {
    if (m_host == nullptr) return;
    RunLogged(m_trace, kSource, "OnCanvasKeyDown", true, [&] {
        if (m_recording) {
            // Alt+F4 stays the system's: it is neither recorded nor allowed to close the editor.
            if (keyCode == kF4Key && (shift & kAltMask) != 0) return;
            if (keyCode == kEscapeKey) {
                m_recording = false;
                m_focused = NoField;
            } else if (std::string chord = KeyChord::FormatChord(shift, keyCode); !chord.empty()) {
                // A modifier alone has no chord: recording goes on.
                m_newChord = std::move(chord);
                m_recording = false;
                m_focused = NoField;
            }
            Repaint();
            return;
        }
        if (m_mode == Mode::Add && keyCode == kEnterKey && CanSave()) {
            SaveNewRow();
        } else if (keyCode == kEscapeKey) {
            if (m_mode == Mode::List) {
                m_host->CloseCanvas();
            } else {
                CancelAdd();
            }
        }
    });
}

void MenuEditorWidget::OnCanvasKeyPress(int16_t keyAscii) {
    if (m_host == nullptr || m_recording || m_mode != Mode::Add) return;
    RunLogged(m_trace, kSource, "OnCanvasKeyPress", true, [&] {
        const auto unit = static_cast<uint16_t>(keyAscii);
        if (m_focused == MenuField) {
            EditText(m_newMenu, unit, m_highSurrogate, kMenuLimit);
        } else if (m_focused == CaptionField) {
            EditText(m_newCaption, unit, m_highSurrogate, kCaptionLimit);
        } else {
            return;
        }
        Repaint();
    });
}

void MenuEditorWidget::SaveNewRow() {
    RunLogged(m_trace, kSource, "SaveNewRow", true, [&] {
        std::string title(TrimSpaces(m_newMenu));
        if (title.empty()) title = CustomMenus::kDefaultTitle;
        std::vector<ShortcutRow> rows = m_rows;
        rows.push_back(ShortcutRow{title, std::string(TrimSpaces(m_newCaption)), m_newChord});
        m_focused = NoField;
        m_recording = false;
        // The bar reads its menus again as the rows are stored. A refusal keeps the entry as
        // typed, in add mode, marked as not saved.
        m_notSaved = !m_menus.SaveRows(m_key, rows);
        if (m_notSaved) {
            m_trace.LogError(0, kSource, "SaveNewRow",
                             "the entry '" + rows.back().caption + "' was not saved");
            Repaint();
            return;
        }
        m_rows = std::move(rows);
        m_mode = Mode::List;
        ClearHover();
        RefreshCanvas();
    });
}

void MenuEditorWidget::CancelAdd() {
    RunLogged(m_trace, kSource, "CancelAdd", true, [&] {
        m_focused = NoField;
        m_recording = false;
        if (m_rows.empty()) {
            if (m_host != nullptr) m_host->CloseCanvas();
            return;
        }
        m_mode = Mode::List;
        RefreshCanvas();
    });
}

void MenuEditorWidget::DeleteRow(size_t index) {
    RunLogged(m_trace, kSource, "DeleteRow", true, [&] {
        if (index < 1 || index > m_rows.size()) return;
        std::vector<ShortcutRow> rows = m_rows;
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index - 1));
        m_hoverLine = 0;
        // A refused store keeps the entry listed.
        if (m_menus.SaveRows(m_key, rows)) m_rows = std::move(rows);
        RefreshCanvas();
    });
}

void MenuEditorWidget::ClearHover() {
    m_primary.Hovered = false;
    m_secondary.Hovered = false;
    m_hoverLine = 0;
}

void MenuEditorWidget::Repaint() {
    if (m_host != nullptr) m_host->RepaintCanvas();
}

void MenuEditorWidget::RefreshCanvas() {
    if (m_host != nullptr) m_host->RefreshCanvas(kName);
}

}  // namespace tarvik
