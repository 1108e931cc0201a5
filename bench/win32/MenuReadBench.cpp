// Reading a menu of 1,000 entries (10 popups of 100 commands each) from a real menu handle.
#include <cstdio>
#include <string>

#include "BenchTiming.h"
#include "win32/support/BarHarness.h"

int main() {
    using namespace tarvik;
    test::BarHarness harness;
    if (!bench::Ready(harness)) return 1;
    constexpr int kPopups = 10;
    constexpr int kItems = 100;
    HMENU menuBar = CreateMenu();
    for (int p = 0; p < kPopups; ++p) {
        HMENU popup = CreatePopupMenu();
        for (int i = 0; i < kItems; ++i) {
            const std::wstring text = L"&Command " + std::to_wstring(p) + L"." +
                                      std::to_wstring(i) + L"\tCtrl+F" +
                                      std::to_wstring(i % 12 + 1);
            AppendMenuW(popup, (i % 10 == 9) ? MF_SEPARATOR : MF_STRING, 1000 + p * kItems + i,
                        (i % 10 == 9) ? nullptr : text.c_str());
        }
        AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                    (L"Menu &" + std::to_wstring(p)).c_str());
    }
    test::CommandTarget owner(L"Big Menu");

    constexpr int kRepetitions = 200;
    size_t entries = 0;
    bench::Report("PopulateMenuFromHandle, 10 x 100 entries", kRepetitions,
                  bench::Measure(kRepetitions, [&] {
                      MenuItemList titles;
                      harness.Parts().nativeMenu.PopulateMenuFromHandle(
                          titles, reinterpret_cast<MenuHandle>(menuBar),
                          reinterpret_cast<WindowHandle>(owner.Handle()));
                      entries = 0;
                      for (const auto& title : titles) entries += title->Children.size();
                  }));
    std::printf("read %zu entries under %d titles\n", entries, kPopups);
    DestroyMenu(menuBar);
    return 0;
}
