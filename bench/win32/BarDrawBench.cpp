// A full frame of the bar (DrawBar: clear, fill, strip image, widget buttons, push) against its
// floor (clearing the same surface and pushing it to the window), the parts of the full frame
// one by one, and a frame for one widget button that changed (the pointer onto or off it).
#include <cstdio>

#include "BenchTiming.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/widgets/framework/WidgetHost.h"
#include "win32/support/BarHarness.h"

namespace {

// The first button on the bar that opens nothing when the pointer rests on it.
const tarvik::WidgetSlot* PlainButton(const tarvik::WidgetHost& host) {
    for (const auto& slot : host.Slots()) {
        if (slot->Enabled && !slot->Hidden && slot->Bounds.Width > 0 &&
            slot->widget->Activation() != tarvik::ActivateHoverCanvas) {
            return slot.get();
        }
    }
    return nullptr;
}

}  // namespace

int main() {
    using namespace tarvik;
    test::BarHarness harness;
    if (!bench::Ready(harness)) return 1;
    const HWND window = harness.Window();
    RECT client{};
    GetClientRect(window, &client);
    std::printf("bar %ld x %ld pixels, %d widgets\n", client.right, client.bottom,
                harness.Bar().Host().WidgetCount());
    constexpr int kRepetitions = 500;
    bench::DrainMessages();

    test::CommandTarget fixture(L"Fixture Notes");
    harness.Bar().Strip().PopulateFromhWnd(reinterpret_cast<WindowHandle>(fixture.Handle()));
    bench::DrainMessages();
    bench::Report("full frame: DrawBar, four titles, widgets", kRepetitions,
                  bench::Measure(kRepetitions, [&] { harness.Bar().DrawBar(); }));

    WidgetHost& host = harness.Bar().Host();
    if (const WidgetSlot* button = PlainButton(host)) {
        const MousePoint on{static_cast<int16_t>(button->Bounds.X + button->Bounds.Width / 2),
                            static_cast<int16_t>(button->Bounds.Height / 2)};
        std::printf("one button: %s, %d x %d pixels\n", button->widget->Name().c_str(),
                    button->Bounds.Width, button->Bounds.Height);
        bench::Report("one-button frame: pointer onto or off it, frame pushed", kRepetitions,
                      bench::Measure(kRepetitions, [&] {
                          if (host.HotSlot()) {
                              host.OnMouseMiss();
                          } else {
                              host.OnMouseMove(on);
                          }
                          bench::DrainMessages();
                      }));
        host.OnMouseMiss();
        bench::DrainMessages();
    }

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
    const GDIPBrush fill = GDIPBrush::FromArgb(0x01FFFFFF);
    const float width = static_cast<float>(client.right);
    bench::Report("  fill of the visible bar", kRepetitions, bench::Measure(kRepetitions, [&] {
                      graphics.FillRectangle(fill, 0, 0, width, 23.0f);
                  }));
    const RectI strip = harness.Bar().StripBounds();
    const GDIPImage& stripImage = harness.Bar().Strip().Image();
    bench::Report("  strip picture drawn", kRepetitions, bench::Measure(kRepetitions, [&] {
                      graphics.DrawImage(
                          stripImage, static_cast<float>(strip.X), static_cast<float>(strip.Y),
                          static_cast<float>(strip.Width), static_cast<float>(strip.Height));
                  }));
    graphics.ReleaseHDC(surface->DC());
    graphics.Dispose();

    // The same floor on the surface bound as the bar binds it (drawing into the DIB's pixels).
    DIBSECTION dib{};
    GetObjectW(surface->mainBitmap, sizeof dib, &dib);
    graphics.FromDIB(surface->DC(), dib.dsBm.bmBits, dib.dsBm.bmWidth, dib.dsBm.bmHeight, true);
    bench::Report("floor, bar's binding: Clear + Update", kRepetitions,
                  bench::Measure(kRepetitions, [&] {
                      graphics.Clear(0);
                      surface->Update(window, surface->DC(), nullptr);
                  }));
    bench::Report("  Clear alone, bar's binding", kRepetitions,
                  bench::Measure(kRepetitions, [&] { graphics.Clear(0); }));
    bench::Report(
        "  strip picture drawn, bar's binding", kRepetitions, bench::Measure(kRepetitions, [&] {
            graphics.DrawImage(stripImage, static_cast<float>(strip.X), static_cast<float>(strip.Y),
                               static_cast<float>(strip.Width), static_cast<float>(strip.Height));
        }));
    const RECT button{8, 0, 58, 23};
    bench::Report("  Update of one 50 x 23 button (dirty rectangle)", kRepetitions,
                  bench::Measure(kRepetitions, [&] {
                      surface->Update(window, surface->DC(), nullptr, &button);
                  }));
    graphics.ReleaseHDC(surface->DC());
    graphics.Dispose();
    bench::Report("  widget buttons drawn (WidgetHost::Draw)", kRepetitions,
                  bench::Measure(kRepetitions, [&] { host.Draw(); }));
    return 0;
}
