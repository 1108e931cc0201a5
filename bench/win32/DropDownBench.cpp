// A press on a strip title to the visible, painted drop-down: MouseDown after a MouseMove onto
// "File" (the drop-down is closed again, untimed, between presses).
#include <cmath>
#include <cstdio>

#include "BenchTiming.h"
#include "win32/menus/DropDownMenu.h"
#include "win32/support/BarHarness.h"

int main() {
    using namespace tarvik;
    test::BarHarness harness;
    if (!harness.Ready()) {
        std::printf("the bar could not be made\n");
        return 1;
    }
    constexpr int kRepetitions = 200;
    RivovoZoz& bar = harness.Bar();
    MenuStrip& strip = bar.Strip();
    DropDownMenu& dropDown = bar.StripDropDown();
    test::CommandTarget fixture(L"Fixture Notes");
    strip.PopulateFromhWnd(reinterpret_cast<WindowHandle>(fixture.Handle()));
    const MenuItem& file = *strip.Titles().at(1);
    const auto fileX =
        static_cast<int16_t>(strip.Bounds().X + std::lround(file.Left + file.width / 2));
    const int32_t y = bar.BarHeight() / 2;

    const auto closeAndSettle = [&] {
        dropDown.closeMe();
        bench::DrainMessages();
    };
    // The hover is forgotten (untimed) before each move, so every move changes it.
    const auto forgetHover = [&] {
        strip.ResetSelector();
        bench::DrainMessages();
    };
    bench::Report("MouseMove onto File (hover redraw, bar repaint)", kRepetitions,
                  bench::Measure(kRepetitions, forgetHover, [&] { strip.MouseMove(fileX); }));
    int repaints = 0;
    bar.Strip().Changed = [&] {
        ++repaints;
        bar.DrawBar();
    };
    forgetHover();
    repaints = 0;
    strip.MouseMove(fileX);
    std::printf("  one hover change repaints the bar %d times\n", repaints);

    int missed = 0;
    bench::Report("MouseDown on File -> drop-down visible + painted", kRepetitions,
                  bench::Measure(
                      kRepetitions,
                      [&] {
                          closeAndSettle();
                          strip.MouseMove(fileX);
                      },
                      [&] {
                          strip.MouseDown(1, fileX, y);
                          if (!dropDown.IsVisible()) ++missed;
                      }));
    if (missed) std::printf("the drop-down was not visible after %d presses\n", missed);

    // The drop-down's own repaint, once open.
    closeAndSettle();
    strip.MouseMove(fileX);
    strip.MouseDown(1, fileX, y);
    bench::Report("  DropDownMenu::Repaint of the open File list", kRepetitions,
                  bench::Measure(kRepetitions, [&] { dropDown.Repaint(); }));
    closeAndSettle();
    return missed == 0 ? 0 : 1;
}
