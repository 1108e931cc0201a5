#include "core/widgets/AppWidget.h"

#include "core/app/LogException.h"
#include "core/app/Rounding.h"
#include "core/app/StartupText.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphicPath.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/shortcuts/Hotkeys.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik {

namespace {

constexpr int16_t kLeftButton = 1;
constexpr int16_t kEscape = 27;

// The hotkey rows in order, with their captions.
constexpr std::pair<Hotkeys::Action, const char*> kHotkeyRows[] = {
    {Hotkeys::Action::OpenMenus, "Menus"},
    {Hotkeys::Action::MenuSearch, "Search"},
};
constexpr const char* kHotkeysHeading = "Hotkeys";
constexpr const char* kRecordingText = "Press keys...";

// The key alone, without what it is pressed with.
bool IsModifierKey(int16_t keyCode) {
    return keyCode == 16 || keyCode == 17 || keyCode == 18 || keyCode == 91 || keyCode == 92;
}

std::string VersionText(const ProgramVersion& version) {
    return "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

}  // namespace

AppWidget::AppWidget(const AppWidgetServices& services)
    : m_theme(services.theme),
      m_brushes(services.brushes),
      m_trace(services.trace),
      m_system(services.system),
      m_version(services.version),
      m_hotkeys(services.hotkeys),
      m_canvasWidth(services.dpi.Scale(176)),
      m_padding(services.dpi.Scale(16)),
      m_titleLine(services.dpi.Scale(26)),
      m_versionLine(services.dpi.Scale(20)),
      m_gap(services.dpi.Scale(8)),
      m_rowHeight(services.dpi.Scale(22)),
      m_boxSize(services.dpi.Scale(13)),
      m_buttonGap(services.dpi.Scale(8)),
      m_homePage(services.theme, services.brushes, services.trace, services.dpi),
      m_options(services.theme, services.brushes, services.trace, services.dpi),
      m_back(services.theme, services.brushes, services.trace, services.dpi) {
    m_homePage.Caption = kHomePageCaption;
    m_options.Caption = "Options...";
    m_back.Caption = "Back";
    m_back.Accent = true;
}

const SkinButton* AppWidget::ButtonIcon() const {
    return &m_theme.Skin("app");
}

AppWidget::Drawing& AppWidget::EnsureDrawing() {
    if (!m_drawing) {
        m_drawing.emplace(Drawing{
            .titleFont = m_theme.MakeFont(15, kFontStyleBold),
            .textFont = m_theme.MakeFont(10, kFontStyleRegular),
            .boxFill = GDIPBrush::FromArgb(m_theme.Glass.Selection),
            // The check mark is fully opaque whatever the colour's own alpha.
            .checkPen = GDIPPen(m_theme.HighlightTextColour, 2, 255),
            .boxOutline = GDIPPen::FromArgb(m_theme.DisabledTextColour, 1),
        });
    }
    return *m_drawing;
}

int32_t AppWidget::TopOfButtons() const {
    return m_padding + m_titleLine + m_versionLine + m_gap;
}

int32_t AppWidget::ListTop() const {
    return m_padding + m_titleLine;
}

void AppWidget::CollectRows() {
    m_rows.clear();
    if (m_host == nullptr) return;
    const int32_t count = m_host->WidgetCount();
    for (int32_t i = 1; i <= count; ++i) {
        std::string name = m_host->WidgetNameAt(i);
        if (name == kName || m_host->WidgetHiddenAt(i)) continue;
        m_rows.push_back(Row{std::move(name), m_host->WidgetEnabledAt(i)});
    }
}

void AppWidget::MeasureCanvas(GDIPGraphics& /*graphics*/, int32_t& width, int32_t& height) {
    RunLogged(m_trace, kSource, "MeasureCanvas", true, [&] {
        EnsureDrawing();
        width = m_canvasWidth;
        if (m_page == 0) {
            height =
                TopOfButtons() + m_homePage.Height() + m_buttonGap + m_options.Height() + m_padding;
            return;
        }
        CollectRows();
        height = BackTop() + m_back.Height() + m_padding;
    });
}

void AppWidget::PaintCanvas(GDIPGraphics& graphics, int32_t /*width*/, int32_t /*height*/) {
    RunLogged(m_trace, kSource, "PaintCanvas", true, [&] {
        Drawing& drawing = EnsureDrawing();
        if (m_page == 0) {
            PaintAboutPage(graphics, drawing);
        } else {
            PaintWidgetsPage(graphics, drawing);
        }
    });
}

void AppWidget::PaintAboutPage(GDIPGraphics& graphics, Drawing& drawing) {
    const auto padding = static_cast<float>(m_padding);
    graphics.DrawString(kProgramName, drawing.titleFont, m_brushes.TextBrush(), padding, padding);
    graphics.DrawString(VersionText(m_version), drawing.textFont, m_brushes.DisabledBrush(),
                        padding, padding + static_cast<float>(m_titleLine));
    m_homePage.LayoutCentered(graphics, m_canvasWidth, TopOfButtons());
    m_homePage.Draw(&graphics);
    m_options.LayoutCentered(graphics, m_canvasWidth,
                             TopOfButtons() + m_homePage.Height() + m_buttonGap);
    m_options.Draw(&graphics);
}

void AppWidget::PaintWidgetsPage(GDIPGraphics& graphics, Drawing& drawing) {
    const auto padding = static_cast<float>(m_padding);
    graphics.DrawString("Widgets", drawing.titleFont, m_brushes.TextBrush(), padding, padding);
    for (size_t index = 0; index < m_rows.size(); ++index) PaintRow(graphics, drawing, index);
    PaintHotkeys(graphics, drawing);
    m_back.LayoutCentered(graphics, m_canvasWidth, BackTop());
    m_back.Draw(&graphics);
}

void AppWidget::PaintRow(GDIPGraphics& graphics, Drawing& drawing, size_t index) {
    const int32_t rowTop = ListTop() + static_cast<int32_t>(index) * m_rowHeight;
    const auto x = static_cast<float>(m_padding);
    const auto y = static_cast<float>(rowTop + (m_rowHeight - m_boxSize) / 2);
    const auto s = static_cast<float>(m_boxSize);
    if (m_rows[index].enabled) {
        graphics.FillRectangle(drawing.boxFill, x, y, s, s);
        GDIPGraphicPath check;
        check.AddLine(x + 0.22f * s, y + 0.55f * s, x + 0.42f * s, y + 0.75f * s);
        check.AddLine(x + 0.42f * s, y + 0.75f * s, x + 0.8f * s, y + 0.25f * s);
        graphics.DrawPath(drawing.checkPen, check);
    } else {
        GDIPGraphicPath box;
        box.AddRectangle(m_padding, rowTop + (m_rowHeight - m_boxSize) / 2, m_boxSize, m_boxSize);
        graphics.DrawPath(drawing.boxOutline, box);
    }
    const int32_t textTop = rowTop + (m_rowHeight - NearestInt(m_theme.TextSize)) / 2 - 2;
    graphics.DrawString(m_rows[index].name, m_theme.FontFor(0), m_brushes.TextBrush(),
                        static_cast<float>(m_padding + m_boxSize + m_gap),
                        static_cast<float>(textTop));
}

int32_t AppWidget::HotkeyRows() const {
    return m_hotkeys == nullptr ? 0 : static_cast<int32_t>(std::size(kHotkeyRows));
}

int32_t AppWidget::HotkeysTop() const {
    return ListTop() + static_cast<int32_t>(m_rows.size()) * m_rowHeight + m_gap;
}

int32_t AppWidget::HotkeyRowsTop() const {
    return HotkeysTop() + m_titleLine;
}

int32_t AppWidget::BackTop() const {
    if (HotkeyRows() == 0) return HotkeysTop();
    return HotkeyRowsTop() + HotkeyRows() * m_rowHeight + m_gap;
}

void AppWidget::PaintHotkeys(GDIPGraphics& graphics, Drawing& drawing) {
    const GDIPFont& font = m_theme.FontFor(0);
    const auto left = static_cast<float>(m_padding);
    const auto right = static_cast<float>(m_canvasWidth - m_padding);
    if (HotkeyRows() > 0) {
        graphics.DrawString(kHotkeysHeading, drawing.titleFont, m_brushes.TextBrush(), left,
                            static_cast<float>(HotkeysTop()));
    }
    for (int32_t row = 0; row < HotkeyRows(); ++row) {
        const auto& [action, caption] = kHotkeyRows[static_cast<size_t>(row)];
        const int32_t rowTop = HotkeyRowsTop() + row * m_rowHeight;
        const auto textTop =
            static_cast<float>(rowTop + (m_rowHeight - NearestInt(m_theme.TextSize)) / 2 - 2);
        graphics.DrawString(caption, font, m_brushes.TextBrush(), left, textTop);
        // The chord at the right edge; dim when another program holds it.
        const bool recording = m_recording == static_cast<size_t>(row);
        const std::string chord = recording ? kRecordingText : m_hotkeys->ChordText(action);
        const float width = graphics.MeasureString(chord, drawing.textFont).Width;
        const GDIPBrush& brush = recording || m_hotkeys->IsHeld(action) ? m_brushes.TextBrush()
                                                                        : m_brushes.DisabledBrush();
        graphics.DrawString(chord, drawing.textFont, brush,
                            static_cast<float>(NearestInt(right - width)), textTop + 2);
    }
}

std::optional<size_t> AppWidget::HotkeyRowAt(float y) const {
    const int32_t top = HotkeyRowsTop();
    if (!(top <= y && y < static_cast<double>(top) + double(HotkeyRows()) * m_rowHeight)) {
        return std::nullopt;
    }
    return static_cast<size_t>((static_cast<double>(y) - top) / m_rowHeight);
}

void AppWidget::OnCanvasKeyDown(int16_t keyCode, int16_t shift) {
    if (!m_recording || m_hotkeys == nullptr) return;
    RunLogged(m_trace, kSource, "OnCanvasKeyDown", true, [&] {
        if (keyCode == kEscape) {
            m_recording.reset();
        } else if (!IsModifierKey(keyCode)) {
            // The canvas gives the modifiers as 1 Shift, 2 Ctrl, 4 Alt, 8 the Windows key.
            HotkeyChord chord{0, keyCode};
            if ((shift & 1) != 0) chord.modifiers |= HotkeyChord::kShift;
            if ((shift & 2) != 0) chord.modifiers |= HotkeyChord::kCtrl;
            if ((shift & 4) != 0) chord.modifiers |= HotkeyChord::kAlt;
            if ((shift & 8) != 0) chord.modifiers |= HotkeyChord::kWin;
            const std::string text = chord.Text();
            // A key without a name, or without anything held, is no hotkey: keep waiting.
            if (text.empty() || chord.modifiers == 0) return;
            m_hotkeys->Change(kHotkeyRows[*m_recording].first, text);
            m_recording.reset();
        } else {
            return;
        }
        if (m_host != nullptr) m_host->RepaintCanvas();
    });
}

std::optional<size_t> AppWidget::RowAt(float y) const {
    const int32_t top = ListTop();
    const int32_t count = static_cast<int32_t>(m_rows.size());
    if (!(top <= y && y < static_cast<double>(top) + double(count) * m_rowHeight)) {
        return std::nullopt;
    }
    const int32_t row = NearestInt(static_cast<double>(y) - top) / m_rowHeight;
    // Rounding can carry a point just above the list's bottom edge past the last row.
    return static_cast<size_t>(row < count ? row : count - 1);
}

void AppWidget::OnCanvasMouseMove(int16_t /*button*/, float x, float y) {
    RunLogged(m_trace, kSource, "OnCanvasMouseMove", true, [&] {
        bool changed = false;
        if (m_page == 0) {
            changed = m_homePage.UpdateHover(x, y);
            changed = m_options.UpdateHover(x, y) || changed;
        } else {
            changed = m_back.UpdateHover(x, y);
        }
        if (changed && m_host != nullptr) m_host->RepaintCanvas();
    });
}

void AppWidget::OnCanvasMouseUp(int16_t button, float x, float y) {
    if (button != kLeftButton) return;
    RunLogged(m_trace, kSource, "OnCanvasMouseUp", true, [&] {
        if (m_page == 0) {
            if (m_homePage.HitTest(x, y)) {
                m_system.Open(kHomePage);
            } else if (m_options.HitTest(x, y)) {
                ShowPage(1);
            }
            return;
        }
        const bool wasRecording = m_recording.has_value();
        m_recording = HotkeyRowAt(y);
        if (m_back.HitTest(x, y)) {
            ShowPage(0);
            return;
        }
        if (m_recording || wasRecording) {
            if (m_host != nullptr) m_host->RepaintCanvas();
            if (m_recording) return;
        }
        const std::optional<size_t> row = RowAt(y);
        if (!row) return;
        m_rows[*row].enabled = !m_rows[*row].enabled;
        // Copies: the host may measure this canvas again, which rebuilds the rows.
        const std::string name = m_rows[*row].name;
        const bool enabled = m_rows[*row].enabled;
        if (m_host == nullptr) return;
        m_host->SetWidgetEnabled(name, enabled);
        if (m_host != nullptr) m_host->RepaintCanvas();
    });
}

void AppWidget::OnCanvasMouseLeave() {
    if (!m_homePage.Hovered && !m_options.Hovered && !m_back.Hovered) return;
    ClearHover();
    if (m_host != nullptr) m_host->RepaintCanvas();
}

void AppWidget::ShowPage(int32_t page) {
    m_page = page;
    m_recording.reset();
    ClearHover();
    if (m_host != nullptr) m_host->RefreshCanvas(kName);
}

void AppWidget::ClearHover() {
    m_homePage.Hovered = false;
    m_options.Hovered = false;
    m_back.Hovered = false;
}

}  // namespace tarvik
