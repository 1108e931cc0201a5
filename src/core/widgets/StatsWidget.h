#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPPen.h"
#include "core/graphics/GraphicsTypes.h"
#include "core/widgets/CounterPort.h"
#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class Brushes;
class Dpi;
class Theme;
class Trace;

// What the stats widget reads and draws with; every reference must outlive the widget.
struct StatsWidgetServices {
    const Theme& theme;
    Brushes& brushes;
    Trace& trace;
    const Dpi& dpi;
    ISystemCounters& counters;
    std::string decimalSeparator;  // the user's, for the memory figures
};

// The processor load on the bar ("7%"), sampled once per tick; its canvas shows the load, a
// graph of the last 60 samples (oldest left) and the physical memory in use. The first tick
// only notes the system times, so the load and the graph start with the second.
class StatsWidget final : public IWidget {
  public:
    static constexpr const char* kName = "Stats";
    static constexpr const char* kSource = "StatsWidget";
    static constexpr int32_t kSamples = 60;

    explicit StatsWidget(const StatsWidgetServices& services);

    std::string Name() const override { return kName; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateCanvas; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return m_buttonText; }
    void Refresh() override;

    void MeasureCanvas(GDIPGraphics& graphics, int32_t& width, int32_t& height) override;
    void PaintCanvas(GDIPGraphics& graphics, int32_t width, int32_t height) override;
    void Attach(WidgetHost* host) override { m_host = host; }

    float CpuPercent() const { return m_cpuPercent; }
    // "Memory  10.5 / 16.0 GB".
    std::string MemoryText() const;
    // The graph's points on a canvas of that width, oldest sample first.
    std::array<PointF, kSamples> GraphPoints(int32_t canvasWidth) const;

  private:
    // Made on the first paint and kept.
    struct Paints {
        GDIPPen frame;
        GDIPPen line;
        GDIPBrush track;
        GDIPBrush filled;
    };

    void Sample();
    void SampleProcessor();
    void SampleMemory();
    std::string OneDecimal(double value) const;
    void Paint(GDIPGraphics& graphics, int32_t width);

    const Theme& m_theme;
    Brushes& m_brushes;
    Trace& m_trace;
    ISystemCounters& m_counters;
    std::string m_decimalSeparator;
    int32_t m_canvasWidth;
    int32_t m_padding;
    int32_t m_lineHeight;
    int32_t m_graphHeight;
    int32_t m_barHeight;
    int32_t m_gap;

    WidgetHost* m_host = nullptr;
    float m_cpuPercent = 0;
    std::array<float, kSamples> m_history{};
    int32_t m_historyIndex = 0;  // 1-based slot of the newest sample; 0 before the first
    std::optional<SystemTimes> m_previous;
    int32_t m_memoryLoad = 0;
    double m_usedGb = 0;
    double m_totalGb = 0;
    std::string m_buttonText = "0%";
    std::optional<Paints> m_paints;
};

}  // namespace tarvik
