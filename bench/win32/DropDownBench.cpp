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
    if (!bench::Ready(harness)) return 1;
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
    // The move redraws the strip and asks for a frame; the frame is pushed when the bar's
    // messages are handled, as they are right after the move in the program.
    bench::Report("MouseMove onto File (hover redraw, one frame pushed)", kRepetitions,
                  bench::Measure(kRepetitions, forgetHover, [&] {
                      strip.MouseMove(fileX);
                      bench::DrainMessages();
                  }));

    // Hiding an activated window waits up to 2 s under Wine without a window manager, so the
    // presses are fewer.
    constexpr int kPresses = 10;
    int missed = 0;
    bench::Report("MouseDown on File -> drop-down visible + painted", kPresses,
                  bench::Measure(
                      kPresses,
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
