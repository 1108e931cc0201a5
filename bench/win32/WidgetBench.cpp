// The widgets' two hot paths on the real bar: a click on a canvas button until the canvas is on
// the screen (measured, sized, painted and pushed), and the one-second host tick when no button
// text changed; with the parts of the tick that the volume and stats widgets add.
#include <cstdio>

#include "BenchTiming.h"
#include "core/widgets/framework/WidgetHost.h"
#include "win32/support/BarHarness.h"
#include "win32/widgets/framework/WidgetCanvas.h"

int main() {
    using namespace tarvik;
    test::BarHarness harness;
    if (!bench::Ready(harness)) return 1;
    WidgetHost& host = harness.Bar().Host();
    std::printf("%d widgets registered\n", host.WidgetCount());
    const WidgetSlot* app = nullptr;
    IWidget* volume = nullptr;
    IWidget* stats = nullptr;
    for (const auto& slot : host.Slots()) {
        if (slot->widget->Name() == "App") app = slot.get();
        if (slot->widget->Name() == "Volume") volume = slot->widget.get();
        if (slot->widget->Name() == "Stats") stats = slot->widget.get();
    }
    if (!app || !volume || !stats) {
        std::printf("a widget is missing\n");
        return 1;
    }
    const MousePoint onApp{static_cast<int16_t>(app->Bounds.X + app->Bounds.Width / 2),
                           static_cast<int16_t>(app->Bounds.Height / 2)};
    // Hiding an active window takes Wine up to two seconds (untimed here): few presses.
    constexpr int kPresses = 20;
    bench::Report("click on App to its canvas shown", kPresses,
                  bench::Measure(
                      kPresses,
                      [&] {
                          host.CloseCanvas();
                          bench::DrainMessages();
                      },
                      [&] {
                          host.OnMouseUp(1, onApp);
                          if (!IsWindowVisible(harness.Bar().Canvas().Handle())) {
                              std::printf("the canvas did not show\n");
                          }
                      }));
    host.CloseCanvas();

    constexpr int kTicks = 2000;
    host.OnTick();
    bench::Report("host tick, no text changed", kTicks,
                  bench::Measure(kTicks, [&] { host.OnTick(); }));
    bench::Report("Stats Refresh (one sample)", kTicks,
                  bench::Measure(kTicks, [&] { stats->Refresh(); }));
    CoreAudio& audio = harness.Parts().audio;
    std::printf("sound device: %s\n", audio.EnsureEndpoint() ? "bound" : "none");
    bench::Report("Volume Refresh, every tick (1 in 5 binds again)", kTicks,
                  bench::Measure(kTicks, [&] { volume->Refresh(); }));
    bench::Report("binding the default device (1 in 5 ticks)", kTicks / 10,
                  bench::Measure(kTicks / 10, [&] {
                      audio.ReleaseEndpoint();
                      audio.EnsureEndpoint();
                  }));
    return 0;
}
