#include "win32/widgets/LocaleDateNames.h"

#include <windows.h>

#include <algorithm>

#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

// The n-th (from 0) of `count` consecutive locale values; empty outside that run or when
// Windows has no such value.
std::string NthName(LCTYPE first, int n, int count) {
    if (n < 0 || n >= count) return {};
    wchar_t text[128] = {};
    const int length =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, first + LCTYPE(n), text, ARRAYSIZE(text));
    return length > 1 ? Narrow(std::wstring_view(text, size_t(length - 1))) : std::string();
}

}  // namespace

std::string LocaleDateNames::ShortDayName(int dayOfWeek) const {
    // Windows counts the days from Monday (LOCALE_SABBREVDAYNAME1); Sunday is the seventh.
    if (dayOfWeek < 0 || dayOfWeek > 6) return {};
    return NthName(LOCALE_SABBREVDAYNAME1, (dayOfWeek + 6) % 7, 7);
}

std::string LocaleDateNames::ShortMonthName(int month) const {
    return NthName(LOCALE_SABBREVMONTHNAME1, month - 1, 12);
}

std::string LocaleDateNames::MonthName(int month) const {
    return NthName(LOCALE_SMONTHNAME1, month - 1, 12);
}

std::string LocaleDateNames::Capitals(std::string_view text) const {
    const std::wstring units = Widen(text);
    if (units.empty()) return {};
    constexpr DWORD kFlags = LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING;
    const int size = static_cast<int>(units.size());
    const int length = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, units.c_str(), size, nullptr,
                                     0, nullptr, nullptr, 0);
    std::wstring upper(static_cast<size_t>(std::max(length, 0)), L'\0');
    if (length <= 0 || LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, units.c_str(), size,
                                     upper.data(), length, nullptr, nullptr, 0) != length) {
        return std::string(text);
    }
    return Narrow(upper);
}

}  // namespace tarvik
