#pragma once

#include <cstdint>

namespace tarvik {

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar (negative before).
int64_t DaysFromCivil(int year, int month, int day);
// 0 = Sunday .. 6 = Saturday.
int DayOfWeek(int year, int month, int day);
// 28 to 31; a month outside 1..12 fails with tarvik::Error.
int DaysInMonth(int year, int month);

// A month laid out in week rows, Monday first.
struct CalendarMonth {
    int year = 0;
    int month = 0;  // 1..12
    int lead = 0;   // empty cells before day 1: Monday 0 .. Sunday 6
    int days = 0;   // 28 to 31
    int rows = 0;   // 4 to 6

    static CalendarMonth Of(int year, int month);
};

}  // namespace tarvik
