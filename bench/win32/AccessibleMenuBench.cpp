// Reading a menu bar that another program draws itself, through its accessibility interface:
// the ten titles of the accessible fixture (another process), and the rows of one title (opened
// and closed again in the program), each through the worker thread and its time limit.
#include <cstdio>

#include "BenchTiming.h"
#include "core/menus/AccessibleMenuWalker.h"
#include "win32/menus/MsaaElement.h"
#include "win32/support/BarHarness.h"

int main() {
    using namespace tarvik;
    test::BarHarness harness;
    if (!bench::Ready(harness)) return 1;
    test::MenuFixtureProcess fixture(L"AccessibleMenuFixture.exe", L"TarvikAccessibleFixture",
                                     L"Ten Titles", L"NUL", L"wide");
    if (fixture.Window() == nullptr) return 1;
    const auto window = reinterpret_cast<WindowHandle>(fixture.Window());
    Win32AccessibleMenus& menus = harness.Parts().accessibleMenus;

    constexpr int kRepetitions = 100;
    // The unit everything above is made of: one question to the other program.
    const auto client = MsaaElement::FromWindow(fixture.Window());
    if (!client) return 1;
    bench::Report("one call across processes (get_accRole)", kRepetitions,
                  bench::Measure(kRepetitions, [&] { client->Role(); }));
    bench::Report("one child across processes (get_accChild, QueryInterface, Release)",
                  kRepetitions, bench::Measure(kRepetitions, [&] { client->Child(1); }));
    {
        const auto held = client->Child(1);
        bench::Report("the same child again while a proxy of it is held", kRepetitions,
                      bench::Measure(kRepetitions, [&] { client->Child(1); }));
    }
    // The first read of the window: no proxy of its objects is held yet (one sample, after the
    // worker has started and answered once, for the bar's own window).
    menus.ReadTitles(reinterpret_cast<WindowHandle>(harness.Window()));
    const auto start = std::chrono::steady_clock::now();
    size_t titles = menus.ReadTitles(window).items.size();
    std::printf(
        "first ReadTitles of the window: %.1f ms (%zu titles)\n",
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
        titles);
    bench::Report(
        "ReadTitles again, 10 titles from another process", kRepetitions,
        bench::Measure(kRepetitions, [&] { titles = menus.ReadTitles(window).items.size(); }));
    // What a read of the titles is made of, on this thread, with proxies of every object held.
    MsaaElement::Keeper held;
    AccessPath barPath;
    const auto bar = AccessibleMenuWalker::FindMenuBar(
        MsaaElement::FromWindow(fixture.Window(), &held), &barPath);
    if (!bar) return 1;
    bench::Report("  ... the client object (AccessibleObjectFromWindow)", kRepetitions,
                  bench::Measure(kRepetitions, [&] { MsaaElement::FromWindow(fixture.Window()); }));
    bench::Report("  ... the client object and the walk down to the menu bar", kRepetitions,
                  bench::Measure(kRepetitions, [&] {
                      AccessibleMenuWalker::FindMenuBar(MsaaElement::FromWindow(fixture.Window()));
                  }));
    bench::Report("  ... the client object and the menu bar where it was found before",
                  kRepetitions, bench::Measure(kRepetitions, [&] {
                      AccessibleMenuWalker::MenuBarAt(*MsaaElement::FromWindow(fixture.Window()),
                                                      barPath);
                  }));
    bench::Report(
        "  ... the ten titles below the menu bar", kRepetitions,
        bench::Measure(kRepetitions, [&] { AccessibleMenuWalker::ReadTitles(*bar, window); }));
    size_t rows = 0;
    bench::Report(
        "ReadRows of File (opened, 5 rows and a cascade of 2, closed)", kRepetitions,
        bench::Measure(kRepetitions, [&] { rows = menus.ReadRows(window, {1}).items.size(); }));
    std::printf("read %zu titles, %zu rows under File\n", titles, rows);

    // What a window without any menu bar costs: the search finds none.
    test::MenuFixtureProcess plain(L"No Menu Bar");
    const auto plainWindow = reinterpret_cast<WindowHandle>(plain.Window());
    bench::Report("ReadTitles of a window with a Win32 menu only (none found)", kRepetitions,
                  bench::Measure(kRepetitions, [&] { menus.ReadTitles(plainWindow); }));
    const auto desktop = reinterpret_cast<WindowHandle>(GetDesktopWindow());
    const auto asked = std::chrono::steady_clock::now();
    const AccessOutcome outcome = menus.ReadTitles(desktop).outcome;
    std::printf(
        "ReadTitles of the desktop window: %.1f ms, outcome %d\n",
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - asked).count(),
        static_cast<int>(outcome));
    return 0;
}
