#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPFont.h"
#include "core/graphics/GDIPPen.h"
#include "core/widgets/SystemPorts.h"
#include "core/widgets/framework/IWidget.h"
#include "core/widgets/framework/PushButton.h"

namespace tarvik {

class Brushes;
class Dpi;
class Hotkeys;
class Theme;
class Trace;

// What the program's own widget works with; every reference must outlive the widget.
struct AppWidgetServices {
    const Theme& theme;
    Brushes& brushes;
    Trace& trace;
    const Dpi& dpi;
    ISystemCommands& system;  // opens the home page
    ProgramVersion version;
    // The system-wide hotkeys the widgets page lets the user change (none: not shown).
    Hotkeys* hotkeys = nullptr;
};

// The program's own button on the bar. Its canvas has two pages: the name and version with a
// button to the home page and "Options...", and "Widgets", a check box per widget of the bar
// that switches it on or off, then the two hotkeys, with "Back". A click on a hotkey's row
// waits for the new chord: pressing it takes and stores it, Escape leaves the old one. The
// canvas shows the page it showed last.
class AppWidget final : public IWidget, public ICanvasKeys {
  public:
    static constexpr const char* kName = "App";
    static constexpr const char* kSource = "AppWidget";
    static constexpr const char* kHomePageCaption = "tarvik.app";

    explicit AppWidget(const AppWidgetServices& services);

    std::string Name() const override { return kName; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateCanvas; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return {}; }

    void MeasureCanvas(GDIPGraphics& graphics, int32_t& width, int32_t& height) override;
    void PaintCanvas(GDIPGraphics& graphics, int32_t width, int32_t height) override;
    void OnCanvasMouseMove(int16_t button, float x, float y) override;
    void OnCanvasMouseUp(int16_t button, float x, float y) override;
    void OnCanvasMouseLeave() override;
    void Attach(WidgetHost* host) override { m_host = host; }

    void OnCanvasKeyDown(int16_t keyCode, int16_t shift) override;
    void OnCanvasKeyPress(int16_t /*keyAscii*/) override {}
    bool CapturesKeys() const override { return m_recording.has_value(); }

    // 0 the about page, 1 the widgets page.
    int32_t Page() const { return m_page; }

  private:
    struct Row {
        std::string name;
        bool enabled = false;
    };
    // Fonts, the check mark's pen, the box's fill and outline: made once, on first use.
    struct Drawing {
        GDIPFont titleFont;
        GDIPFont textFont;
        GDIPBrush boxFill;
        GDIPPen checkPen;
        GDIPPen boxOutline;
    };

    Drawing& EnsureDrawing();
    void CollectRows();
    void PaintAboutPage(GDIPGraphics& graphics, Drawing& drawing);
    void PaintWidgetsPage(GDIPGraphics& graphics, Drawing& drawing);
    void PaintRow(GDIPGraphics& graphics, Drawing& drawing, size_t index);
    void PaintHotkeys(GDIPGraphics& graphics, Drawing& drawing);
    // The rows of the hotkeys, below the widgets' rows: 0 without hotkeys.
    int32_t HotkeyRows() const;
    // The heading of the hotkeys, then their rows.
    int32_t HotkeysTop() const;
    int32_t HotkeyRowsTop() const;
    int32_t BackTop() const;
    // The hotkey row at that height, if any.
    std::optional<size_t> HotkeyRowAt(float y) const;
    int32_t TopOfButtons() const;
    int32_t ListTop() const;
    // The index into m_rows of the row at that height; nothing outside the list.
    std::optional<size_t> RowAt(float y) const;
    void ShowPage(int32_t page);
    void ClearHover();

    const Theme& m_theme;
    Brushes& m_brushes;
    Trace& m_trace;
    ISystemCommands& m_system;
    ProgramVersion m_version;
    Hotkeys* m_hotkeys;

    int32_t m_canvasWidth;
    int32_t m_padding;
    int32_t m_titleLine;
    int32_t m_versionLine;
    int32_t m_gap;
    int32_t m_rowHeight;
    int32_t m_boxSize;
    int32_t m_buttonGap;

    PushButton m_homePage;
    PushButton m_options;
    PushButton m_back;

    WidgetHost* m_host = nullptr;
    int32_t m_page = 0;
    std::vector<Row> m_rows;
    std::optional<Drawing> m_drawing;
    // The hotkey row waiting for its new chord.
    std::optional<size_t> m_recording;
};

}  // namespace tarvik
