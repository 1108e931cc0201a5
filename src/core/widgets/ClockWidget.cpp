#include "core/widgets/ClockWidget.h"

#include <array>
#include <string_view>

#include "core/app/Clock.h"
#include "core/app/LogException.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"
#include "core/widgets/SystemPorts.h"

namespace tarvik {

namespace {

constexpr std::string_view kSource = "ClockWidget";
constexpr std::array<std::string_view, 7> kWeekdayInitials = {"M", "T", "W", "T", "F", "S", "S"};
constexpr int kFirstWeekendColumn = 5;

std::string TwoDigits(int value) {
    return {char('0' + value / 10 % 10), char('0' + value % 10)};
}

}  // namespace

ClockWidget::ClockWidget(const ClockWidgetServices& services)
    : m_services(services),
      m_pad(services.dpi.Scale(16)),
      m_cellWidth(services.dpi.Scale(24)),
      m_rowHeight(services.dpi.Scale(20)),
      m_headerHeight(services.dpi.Scale(24)),
      m_weekdayHeight(services.dpi.Scale(16)),
      m_markSize(services.dpi.Scale(18)) {
    Refresh();
}

void ClockWidget::Refresh() {
    const LocalTime now = m_services.clock.Now();
    const IDateNames& names = m_services.names;
    m_buttonText = names.ShortDayName(DayOfWeek(now.year, now.month, now.day)) + ' ' +
                   std::to_string(now.day) + ' ' + names.ShortMonthName(now.month) + "  " +
                   TwoDigits(now.hour) + ':' + TwoDigits(now.minute);
}

void ClockWidget::MeasureCanvas(GDIPGraphics& /*graphics*/, int32_t& width, int32_t& height) {
    RunLogged(m_services.trace, kSource, "MeasureCanvas", true,
              [&] { MeasureMonth(width, height); });
}

void ClockWidget::MeasureMonth(int32_t& width, int32_t& height) {
    const LocalTime today = m_services.clock.Now();
    m_month = CalendarMonth::Of(today.year, today.month);
    width = 7 * m_cellWidth + 2 * m_pad;
    height = m_headerHeight + 2 * m_pad + m_weekdayHeight + m_month.rows * m_rowHeight;
}

void ClockWidget::PaintCanvas(GDIPGraphics& graphics, int32_t /*width*/, int32_t /*height*/) {
    RunLogged(m_services.trace, kSource, "PaintCanvas", true, [&] { PaintMonth(graphics); });
}

void ClockWidget::PaintMonth(GDIPGraphics& graphics) {
    if (m_month.rows == 0) {
        // Painted before it was ever measured: show the current month.
        int32_t width = 0;
        int32_t height = 0;
        MeasureMonth(width, height);
    }
    if (!m_paints) {
        const Theme& theme = m_services.theme;
        m_paints.emplace(
            Paints{theme.MakeFont(13, kFontStyleBold), theme.MakeFont(9, kFontStyleBold),
                   theme.MakeFont(11, kFontStyleBold), GDIPBrush::FromArgb(theme.AccentColour)});
    }
    const Paints& paints = *m_paints;
    const IDateNames& names = m_services.names;
    graphics.DrawString(names.Capitals(names.MonthName(m_month.month)), paints.title, paints.accent,
                        float(m_pad), float(m_pad));
    PaintWeekdays(graphics, paints);
    PaintDays(graphics, paints);
}

void ClockWidget::PaintWeekdays(GDIPGraphics& graphics, const Paints& paints) {
    Brushes& brushes = m_services.brushes;
    const float y0 = float(m_pad + m_headerHeight);
    for (int i = 0; i < 7; ++i) {
        const RectF size = graphics.MeasureString(kWeekdayInitials[i], paints.weekday);
        const float x = float(m_pad + i * m_cellWidth) + (float(m_cellWidth) - size.Width) / 2;
        const float y = y0 + (float(m_weekdayHeight) - size.Height) / 2;
        graphics.DrawString(kWeekdayInitials[i], paints.weekday,
                            i < kFirstWeekendColumn ? brushes.TextBrush() : brushes.DisabledBrush(),
                            x, y);
    }
}

void ClockWidget::PaintDays(GDIPGraphics& graphics, const Paints& paints) {
    Brushes& brushes = m_services.brushes;
    const LocalTime now = m_services.clock.Now();
    const int today = now.year == m_month.year && now.month == m_month.month ? now.day : 0;
    const int gridTop = m_pad + m_headerHeight + m_weekdayHeight;
    for (int d = 1; d <= m_month.days; ++d) {
        const int column = (m_month.lead + d - 1) % 7;
        const int row = (m_month.lead + d - 1) / 7;
        const float cellX = float(m_pad + column * m_cellWidth);
        const float cellY = float(gridTop + row * m_rowHeight);
        const std::string number = std::to_string(d);
        const RectF size = graphics.MeasureString(number, paints.day);
        const float x = cellX + (float(m_cellWidth) - size.Width) / 2;
        const float y = cellY + (float(m_rowHeight) - size.Height) / 2;
        const GDIPBrush* brush =
            column < kFirstWeekendColumn ? &brushes.TextBrush() : &brushes.DisabledBrush();
        if (d == today) {
            const float markX =
                cellX + float(m_cellWidth - m_markSize) / 2 + float(m_services.dpi.Scale(-1));
            const float markY =
                cellY + float(m_rowHeight - m_markSize) / 2 + float(m_services.dpi.Scale(-2));
            GDIPGraphicPath mark(kFillModeWinding);
            mark.AddEllipse(markX, markY, float(m_markSize), float(m_markSize));
            graphics.FillPath(paints.accent, mark);
            brush = &brushes.HighlightBrush();
        }
        graphics.DrawString(number, paints.day, *brush, x, y);
    }
}

}  // namespace tarvik
