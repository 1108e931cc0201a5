// The user's locale names every day and month, and nothing outside them.
#include "win32/widgets/LocaleDateNames.h"

#include <gtest/gtest.h>

namespace tarvik::test {
namespace {

TEST(LocaleDateNames, EveryDayAndMonthHasANameAndOthersNone) {
    const LocaleDateNames names;
    for (int day = 0; day < 7; ++day) EXPECT_FALSE(names.ShortDayName(day).empty()) << day;
    for (int month = 1; month <= 12; ++month) {
        EXPECT_FALSE(names.ShortMonthName(month).empty()) << month;
        EXPECT_GE(names.MonthName(month).size(), names.ShortMonthName(month).size()) << month;
    }
    EXPECT_NE(names.ShortDayName(0), names.ShortDayName(1));  // Sunday is not Monday
    for (const int bad : {-1, 13})
        EXPECT_EQ(names.ShortDayName(bad) + names.ShortMonthName(bad) + names.MonthName(bad), "");
}

}  // namespace
}  // namespace tarvik::test
