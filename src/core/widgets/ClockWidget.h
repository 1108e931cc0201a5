#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPFont.h"
#include "core/widgets/CalendarMonth.h"
#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class Brushes;
class Dpi;
class IClock;
class IDateNames;
class Theme;
class Trace;

// What the clock reads and draws with; everything must outlive the widget.
struct ClockWidgetServices {
    const Theme& theme;
    Brushes& brushes;
    Trace& trace;
    const Dpi& dpi;
    const IClock& clock;
    const IDateNames& names;
};

// The rightmost button: the day and time as text ("Sat 5 Dec  06:33", always 24-hour), and on
// hover a calendar of the current month, Monday first, weekends dimmed and today marked with a
// circle in the accent colour. The calendar shows the month of the moment it opened and
// reacts to nothing.
class ClockWidget final : public IWidget {
  public:
    // Formats the button text at once.
    explicit ClockWidget(const ClockWidgetServices& services);

    std::string Name() const override { return "Clock"; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateHoverCanvas; }
    const SkinButton* ButtonIcon() const override { return nullptr; }
    std::string ButtonText() const override { return m_buttonText; }
    void Refresh() override;

    void MeasureCanvas(GDIPGraphics& graphics, int32_t& width, int32_t& height) override;
    void PaintCanvas(GDIPGraphics& graphics, int32_t width, int32_t height) override;

  private:
    // Fonts and the accent brush, made on the first paint and kept.
    struct Paints {
        GDIPFont title;
        GDIPFont weekday;
        GDIPFont day;
        GDIPBrush accent;
    };

    void MeasureMonth(int32_t& width, int32_t& height);
    void PaintMonth(GDIPGraphics& graphics);
    void PaintWeekdays(GDIPGraphics& graphics, const Paints& paints);
    void PaintDays(GDIPGraphics& graphics, const Paints& paints);

    ClockWidgetServices m_services;
    int32_t m_pad;
    int32_t m_cellWidth;
    int32_t m_rowHeight;
    int32_t m_headerHeight;
    int32_t m_weekdayHeight;
    int32_t m_markSize;
    std::string m_buttonText;
    CalendarMonth m_month;  // the month shown, from the last measuring
    std::optional<Paints> m_paints;
};

}  // namespace tarvik
