#pragma once

// Where the right-hand widget buttons of the real bar are, found from its pixels.

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "E2eSupport.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {

// The default theme: buttons are at least 50 wide, 8 from either end, 2 apart, their content 4 in;
// the start button comes first.
constexpr int kStartCentre = 8 + 25;

inline int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

// The x where the clock's text starts: the last dark shape of the bar's right part, shapes merged
// across gaps narrower than 15 pixels (the spaces inside the text).
inline int ClockTextLeft(const wchar_t* pictureName) {
    const auto shapes =
        DarkRuns(RECT{ScreenWidth() - 400, 2, ScreenWidth(), kVisibleBar - 2}, pictureName, 15);
    return shapes.empty() ? -1 : shapes.back().left;
}

// The switched-off widgets as stored for this user; nothing when no value is there.
inline std::optional<std::wstring> StoredDisabled() {
    wchar_t value[256] = {};
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Tarvik\\Widgets", L"Disabled", RRF_RT_REG_SZ,
                        nullptr, value, &size) == ERROR_SUCCESS
               ? std::optional(std::wstring(value))
               : std::nullopt;
}

// Stores the switched-off widgets; null removes the value.
inline void StoreDisabled(const wchar_t* value) {
    if (!value) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Tarvik\\Widgets", L"Disabled");
        return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Tarvik\\Widgets", L"Disabled", REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

// While it lives, the Tarvik started next shows only the named widgets (every other one is
// stored as switched off), so the first named right-hand widget is the rightmost button and
// the next ones follow leftwards. Nothing is stored before or after.
class OnlyWidgets {
  public:
    explicit OnlyWidgets(std::initializer_list<std::wstring_view> shown) {
        std::wstring off;
        for (std::wstring_view name :
             {L"Start", L"Clock", L"App", L"Spotlight", L"Volume", L"Weather", L"Tray",
              L"Clipboard", L"Timer", L"Stats", L"News"}) {
            if (std::find(shown.begin(), shown.end(), name) != shown.end()) continue;
            if (!off.empty()) off += L',';
            off += name;
        }
        StoreDisabled(off.c_str());
    }
    ~OnlyWidgets() { StoreDisabled(nullptr); }
    OnlyWidgets(const OnlyWidgets&) = delete;
    OnlyWidgets& operator=(const OnlyWidgets&) = delete;
};

}  // namespace tarvik::test
