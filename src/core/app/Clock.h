#pragma once

namespace tarvik {

// A local calendar date and time of day, as the user's clock shows it.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0;  // 0 = Sunday
};

// Where the program reads the time.
class IClock {
  public:
    virtual ~IClock() = default;
    virtual LocalTime Now() const = 0;
};

}  // namespace tarvik
