#include "win32/widgets/LocaleDateNames.h"

#include <windows.h>

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

}  // namespace tarvik
