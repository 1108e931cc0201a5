#include "win32/app/SystemClock.h"

#include <windows.h>

namespace tarvik {

LocalTime SystemClock::Now() const {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wDayOfWeek};
}

}  // namespace tarvik
