#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/widgets/NotifyIcon.h"
#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class Dpi;
class Theme;
class Trace;
class TrayIcons;

// What the tray button shows and talks to; everything must outlive the widget.
struct TrayWidgetServices {
    const Theme& theme;
    Trace& trace;
    const Dpi& dpi;
    TrayIcons& tray;
};

// The notification-area icons of other programs on the bar: an icon button whose canvas shows
// the visible icons in a square-ish grid, filled row by row. Mouse events on an icon reach its
// owner the way the shell's own notification area would send them.
class TrayWidget final : public IWidget {
  public:
    static constexpr const char* kName = "Tray";

    explicit TrayWidget(const TrayWidgetServices& services);

    std::string Name() const override { return kName; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateCanvas; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return {}; }

    void MeasureCanvas(GDIPGraphics& graphics, int32_t& width, int32_t& height) override;
    void PaintCanvas(GDIPGraphics& graphics, int32_t width, int32_t height) override;
    void OnCanvasMouseMove(int16_t button, float x, float y) override;
    void OnCanvasMouseDown(int16_t button, float x, float y) override;
    void OnCanvasMouseUp(int16_t button, float x, float y) override;
    void OnCanvasDblClick() override;
    void Attach(WidgetHost* host) override { m_host = host; }

    // The grid of the last measure.
    int32_t Columns() const { return m_columns; }
    int32_t Rows() const;

  private:
    // The icon under the point of the last measure's grid; null for padding and empty cells.
    const NotifyIcon* IconAt(int32_t x, int32_t y) const;
    void Remember(float x, float y);
    void CollectVisibleIcons();

    const Theme& m_theme;
    Trace& m_trace;
    TrayIcons& m_tray;
    int32_t m_cellSize;
    int32_t m_iconSize;
    WidgetHost* m_host = nullptr;
    // Kept alive until the next measure, even when their owner deletes them meanwhile.
    std::vector<std::shared_ptr<NotifyIcon>> m_visible;
    int32_t m_columns = 1;
    int32_t m_padX = 0;
    int32_t m_padY = 0;
    int32_t m_lastX = 0;
    int32_t m_lastY = 0;
};

}  // namespace tarvik
