// The tray with 40 icons on the real bar: a click on the tray button until the canvas with the
// grid is shown, and the tray host's part of the 400 ms housekeeping tick.
#include <cstdio>

#include "BenchTiming.h"
#include "core/support/TrayFakes.h"
#include "core/widgets/TrayPayload.h"
#include "core/widgets/framework/WidgetHost.h"
#include "win32/support/BarHarness.h"
#include "win32/widgets/TrayHost.h"
#include "win32/widgets/framework/WidgetCanvas.h"

int main() {
    using namespace tarvik;
    test::BarHarness harness;
    if (!bench::Ready(harness)) return 1;
    TrayHost& tray = harness.Parts().trayHost;
    const HWND owner = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr,
                                       nullptr, nullptr, nullptr);
    const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    for (int id = 1; id <= 40; ++id) {
        test::TrayBytes add(952, NimAdd, TrayHandleOf(owner), id, NifIcon | NifMessage);
        tray.Icons().HandleTrayData(add.Word(16, WM_APP).Word(20, TrayHandleOf(icon)).bytes);
    }
    WidgetHost& host = harness.Bar().Host();
    const WidgetSlot* button = nullptr;
    for (const auto& slot : host.Slots())
        if (slot->widget->Name() == "Tray") button = slot.get();
    if (!button) return std::printf("no Tray widget\n"), 1;
    const MousePoint onTray{static_cast<int16_t>(button->Bounds.X + button->Bounds.Width / 2),
                            static_cast<int16_t>(button->Bounds.Height / 2)};
    constexpr int kPresses = 20;
    bench::Report("click on Tray to its canvas with 40 icons shown", kPresses,
                  bench::Measure(
                      kPresses,
                      [&] {
                          host.CloseCanvas();
                          bench::DrainMessages();
                      },
                      [&] { host.OnMouseUp(1, onTray); }));
    host.CloseCanvas();
    constexpr int kTicks = 2000;
    bench::Report("tray host's share of a tick, 40 icons", kTicks, bench::Measure(kTicks, [&] {
                      tray.KeepDecoyOnTop();
                      tray.PruneDeadIcons();
                      tray.TrayHostTick();
                  }));
    std::printf("decoy %s\n", tray.Decoy() ? "up" : "absent");
    return 0;
}
