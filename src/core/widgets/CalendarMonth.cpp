#include "core/widgets/CalendarMonth.h"

#include <string>

#include "core/app/Error.h"

namespace tarvik {

int64_t DaysFromCivil(int year, int month, int day) {
    // Counted in 400-year eras of March-first years, so that 29 February ends its year.
    const int64_t y = int64_t(year) - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int DayOfWeek(int year, int month, int day) {
    // 1 January 1970 was a Thursday.
    const int64_t days = DaysFromCivil(year, month, day);
    return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

int DaysInMonth(int year, int month) {
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) throw Error(5, "No such month: " + std::to_string(month));
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kLengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

CalendarMonth CalendarMonth::Of(int year, int month) {
    CalendarMonth layout;
    layout.year = year;
    layout.month = month;
    layout.days = DaysInMonth(year, month);
    layout.lead = (DayOfWeek(year, month, 1) + 6) % 7;
    layout.rows = (layout.lead + layout.days + 6) / 7;
    return layout;
}

}  // namespace tarvik
