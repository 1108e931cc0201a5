// A full repaint of the bar (DrawBar: clear, fill, strip image, push) against its floor: clearing
// the same surface and pushing it to the window.
#include <cstdio>

#include "BenchTiming.h"
#include "core/graphics/GDIPGraphics.h"
#include "win32/support/BarHarness.h"

int main() {
    using namespace tarvik;
    test::BarHarness harness;
    if (!bench::Ready(harness)) return 1;
    const HWND window = harness.Window();
    RECT client{};
    GetClientRect(window, &client);
    std::printf("bar %ld x %ld pixels\n", client.right, client.bottom);
    constexpr int kRepetitions = 500;

    {
        bench::Report("DrawBar, strip empty of menus", kRepetitions,
                      bench::Measure(kRepetitions, [&] { harness.Bar().DrawBar(); }));
    }
    test::CommandTarget fixture(L"Fixture Notes");
    harness.Bar().Strip().PopulateFromhWnd(reinterpret_cast<WindowHandle>(fixture.Handle()));
    bench::Report("DrawBar, strip with four titles", kRepetitions,
                  bench::Measure(kRepetitions, [&] { harness.Bar().DrawBar(); }));

    const auto surface = harness.Parts().surfaces.Registered(window);
    GDIPGraphics graphics;
    graphics.FromHDC(surface->DC());
    graphics.ApplySurfaceSettings();
    bench::Report("floor: Clear + LayeredWindowSurface::Update", kRepetitions,
                  bench::Measure(kRepetitions, [&] {
                      graphics.Clear(0);
                      surface->Update(window, surface->DC(), nullptr);
                  }));
    bench::Report("  Clear alone", kRepetitions,
                  bench::Measure(kRepetitions, [&] { graphics.Clear(0); }));
    bench::Report(
        "  LayeredWindowSurface::Update alone", kRepetitions,
        bench::Measure(kRepetitions, [&] { surface->Update(window, surface->DC(), nullptr); }));
    graphics.ReleaseHDC(surface->DC());
    graphics.Dispose();
    return 0;
}
