// A foreground change to the redrawn strip: the strip re-reads the window's title and menu bar,
// lays out and draws its titles, and the bar repaints and pushes itself.
#include <cstdio>

#include "BenchTiming.h"
#include "win32/support/BarHarness.h"

int main() {
    using namespace tarvik;
    test::BarHarness harness;
    if (!bench::Ready(harness)) return 1;
    constexpr int kRepetitions = 300;
    RivovoZoz& bar = harness.Bar();

    // Another program's window: the bar's whole path (TrackWindow). Under Wine a process cannot
    // read another's menus, so only its title is read.
    test::MenuFixtureProcess alpha(L"Alpha Program");
    test::MenuFixtureProcess beta(L"Beta Program");
    if (alpha.Window() && beta.Window()) {
        bool flip = false;
        bench::Report("TrackWindow(other program), title only", kRepetitions,
                      bench::Measure(kRepetitions, [&] {
                          flip = !flip;
                          bar.TrackWindow(flip ? alpha.Window() : beta.Window());
                          bench::DrainMessages();  // the frame it asked for
                      }));
    } else {
        std::printf("MenuFixture.exe did not start; the other-program case is left out\n");
    }

    // Windows of this process, whose menu bars can be read: what TrackWindow does after its
    // checks (the bar never follows its own process's windows).
    test::CommandTarget first(L"Fixture Notes");
    test::CommandTarget second(L"Second Fixture");
    bool flip = false;
    bench::Report("PopulateFromhWnd(window with File/Edit/View)", kRepetitions,
                  bench::Measure(kRepetitions, [&] {
                      flip = !flip;
                      bar.Strip().PopulateFromhWnd(
                          reinterpret_cast<WindowHandle>(flip ? first.Handle() : second.Handle()));
                      bench::DrainMessages();
                  }));

    // The parts: reading the menu bar alone, and the bar's repaint alone.
    bench::Report("  reading the fixture's menu bar alone", kRepetitions,
                  bench::Measure(kRepetitions, [&] {
                      MenuItemList titles;
                      harness.Parts().nativeMenu.PopulateMenuFromHandle(
                          titles, reinterpret_cast<MenuHandle>(GetMenu(first.Handle())),
                          reinterpret_cast<WindowHandle>(first.Handle()));
                  }));
    bench::Report("  DrawBar alone", kRepetitions,
                  bench::Measure(kRepetitions, [&] { bar.DrawBar(); }));
    // The housekeeping tick with nothing to do but its upkeep and a repaint, and its parts.
    HWND backdrop = FindWindowExW(nullptr, nullptr, L"Tarvik_BackdropWindow", nullptr);
    DWORD process = 0;
    GetWindowThreadProcessId(backdrop, &process);
    if (backdrop && process == GetCurrentProcessId()) {
        bench::Report("  backdrop kept below the bar (SetWindowPos)", kRepetitions,
                      bench::Measure(kRepetitions, [&] {
                          SetWindowPos(backdrop, bar.Handle(), 0, 0, 0, 0,
                                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
                      }));
    }
    bench::Report("  strip Refresh (title unchanged)", kRepetitions,
                  bench::Measure(kRepetitions, [&] { bar.Strip().Refresh(); }));
    bench::Report("  placement check (GetWindowRect, screen width)", kRepetitions,
                  bench::Measure(kRepetitions, [&] {
                      RECT rect{};
                      GetWindowRect(bar.Handle(), &rect);
                      POINT cursor{};
                      GetCursorPos(&cursor);
                      (void)GetSystemMetrics(SM_CXSCREEN);
                  }));
    bench::Report("timEnumerateTasks_Timer (idle tick)", kRepetitions,
                  bench::Measure(kRepetitions, [&] { bar.timEnumerateTasks_Timer(); }));
    return 0;
}
