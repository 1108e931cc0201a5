#include "core/widgets/StatsWidget.h"

#include <algorithm>
#include <cstdio>

#include "core/app/LogException.h"
#include "core/app/Rounding.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphicPath.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik {

namespace {

constexpr double kBytesPerGb = 1024.0 * 1024.0 * 1024.0;

std::string Percent(float value) {
    return std::to_string(NearestInt(value)) + "%";
}

}  // namespace

StatsWidget::StatsWidget(const StatsWidgetServices& services)
    : m_theme(services.theme),
      m_brushes(services.brushes),
      m_trace(services.trace),
      m_counters(services.counters),
      m_decimalSeparator(services.decimalSeparator),
      m_canvasWidth(services.dpi.Scale(220)),
      m_padding(services.dpi.Scale(16)),
      m_lineHeight(services.dpi.Scale(22)),
      m_graphHeight(services.dpi.Scale(48)),
      m_barHeight(services.dpi.Scale(6)),
      m_gap(services.dpi.Scale(10)) {}

const SkinButton* StatsWidget::ButtonIcon() const {
    return &m_theme.Skin("stats");
}

void StatsWidget::Refresh() {
    RunLogged(m_trace, kSource, "Refresh", true, [&] {
        Sample();
        if (m_host != nullptr) m_host->RepaintCanvasFor(kName);
    });
}

void StatsWidget::Sample() {
    SampleProcessor();
    SampleMemory();
    m_buttonText = Percent(m_cpuPercent);
}

void StatsWidget::SampleProcessor() {
    SystemTimes now;
    if (!m_counters.ReadSystemTimes(now)) return;
    if (m_previous) {
        // Kernel time includes the idle time.
        const double idle = double(now.idle) - double(m_previous->idle);
        const double total = double(now.kernel) - double(m_previous->kernel) + double(now.user) -
                             double(m_previous->user);
        if (total > 0) {
            m_cpuPercent = float(std::clamp((total - idle) / total * 100, 0.0, 100.0));
            m_historyIndex = m_historyIndex % kSamples + 1;
            m_history[size_t(m_historyIndex - 1)] = m_cpuPercent;
        }
    }
    m_previous = now;
}

void StatsWidget::SampleMemory() {
    MemoryStatus status;
    if (!m_counters.ReadMemoryStatus(status)) return;
    m_memoryLoad = std::clamp(status.load, 0, 100);
    m_totalGb = double(status.totalBytes) / kBytesPerGb;
    const uint64_t available = std::min(status.availableBytes, status.totalBytes);
    m_usedGb = double(status.totalBytes - available) / kBytesPerGb;
}

std::string StatsWidget::OneDecimal(double value) const {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string result(text);
    const size_t point = result.find('.');
    if (point != std::string::npos) result.replace(point, 1, m_decimalSeparator);
    return result;
}

std::string StatsWidget::MemoryText() const {
    return "Memory  " + OneDecimal(m_usedGb) + " / " + OneDecimal(m_totalGb) + " GB";
}

std::array<PointF, StatsWidget::kSamples> StatsWidget::GraphPoints(int32_t canvasWidth) const {
    const auto w = float(canvasWidth - 2 * m_padding);
    const auto bottom = float(m_padding + m_lineHeight + m_graphHeight);
    std::array<PointF, kSamples> points;
    for (int32_t i = 1; i <= kSamples; ++i) {
        int32_t slot = m_historyIndex + i;
        if (slot > kSamples) slot -= kSamples;
        points[size_t(i - 1)] = {
            float(m_padding) + float(i - 1) * w / float(kSamples - 1),
            bottom - m_history[size_t(slot - 1)] / 100 * float(m_graphHeight - 2) - 1};
    }
    return points;
}

void StatsWidget::MeasureCanvas(GDIPGraphics& /*graphics*/, int32_t& width, int32_t& height) {
    width = m_canvasWidth;
    height = 2 * m_padding + 2 * m_lineHeight + m_graphHeight + m_gap + m_barHeight;
}

void StatsWidget::PaintCanvas(GDIPGraphics& graphics, int32_t width, int32_t /*height*/) {
    RunLogged(m_trace, kSource, "PaintCanvas", true, [&] { Paint(graphics, width); });
}

void StatsWidget::Paint(GDIPGraphics& graphics, int32_t width) {
    if (!m_paints) {
        const GlassStyle& glass = m_theme.Glass;
        m_paints.emplace(Paints{
            GDIPPen::FromArgb(glass.SeparatorColor, 1), GDIPPen::FromArgb(glass.Selection, 2),
            GDIPBrush::FromArgb(glass.SeparatorColor), GDIPBrush::FromArgb(glass.Selection)});
    }
    const GDIPFont& bold = m_theme.FontFor(1);
    const GDIPBrush& text = m_brushes.TextBrush();
    const auto padding = float(m_padding);
    const auto w = float(width - 2 * m_padding);
    const int32_t graphTop = m_padding + m_lineHeight;
    graphics.DrawString("CPU  " + Percent(m_cpuPercent), bold, text, padding, padding);
    GDIPGraphicPath frame;
    frame.AddRectangle(m_padding, graphTop, width - 2 * m_padding, m_graphHeight);
    graphics.DrawPath(m_paints->frame, frame);
    const std::array<PointF, kSamples> points = GraphPoints(width);
    GDIPGraphicPath line;
    for (size_t i = 1; i < points.size(); ++i) {
        line.AddLine(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
    }
    graphics.DrawPath(m_paints->line, line);
    const int32_t memoryTop = graphTop + m_graphHeight + m_gap;
    graphics.DrawString(MemoryText(), bold, text, padding, float(memoryTop));
    const auto barTop = float(memoryTop + m_lineHeight);
    graphics.FillRectangle(m_paints->track, padding, barTop, w, float(m_barHeight));
    if (m_memoryLoad > 0) {
        graphics.FillRectangle(m_paints->filled, padding, barTop, w * float(m_memoryLoad) / 100,
                               float(m_barHeight));
    }
}

}  // namespace tarvik
