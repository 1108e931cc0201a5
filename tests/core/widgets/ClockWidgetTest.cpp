#include "core/widgets/ClockWidget.h"

#include <gtest/gtest.h>

#include "core/support/Drawn.h"
#include "core/support/ThemeLoad.h"
#include "core/widgets/SystemPorts.h"

namespace tarvik::test {
namespace {

struct EnglishNames final : public IDateNames {
    std::string ShortDayName(int day) const override {
        return std::string("SunMonTueWedThuFriSat").substr(size_t(day) * 3, 3);
    }
    std::string ShortMonthName(int month) const override {
        return std::string("JanFebMarAprMayJunJulAugSepOctNovDec").substr(size_t(month - 1) * 3, 3);
    }
    std::string MonthName(int month) const override {
        return month == 12 ? "December" : "Month " + std::to_string(month);
    }
    std::string Capitals(std::string_view text) const override {
        std::string upper(text);
        for (char& c : upper) c = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        return upper;
    }
};

struct Rig {
    Rig() { EXPECT_TRUE(loaded); }
    ThemeLoad load;
    bool loaded = load.Load("<t><text face='DejaVu Sans' color='102030' highlight='405060'/></t>");
    Brushes& brushes = load.brushes();
    FakeClock clock;
    EnglishNames names;
    ClockWidget widget{{load.theme, brushes, load.log.trace, load.dpi, clock, names}};
    CanvasSurface surface;

    // The canvas measured for the month of the date.
    std::string Size(int year, int month) {
        clock.now = {year, month, 1, 12, 0};
        return surface.Show(widget);
    }
    // What was painted (see Drawn) without measuring again, drawn afresh each time.
    Lines Painted() {
        surface.graphics.FromImage(surface.bitmap.Image());
        widget.PaintCanvas(surface.graphics, 200, 200);
        return Drawn(RecordedCalls(surface.graphics),
                     {{RecordedArgb(brushes.TextBrush()), "text"},
                      {RecordedArgb(brushes.DisabledBrush()), "dim"},
                      {RecordedArgb(brushes.HighlightBrush()), "high"},
                      {load.theme.AccentColour, "accent"}});
    }
};

TEST(ClockWidget, MonthsNeedFourToSixRowsMondayFirst) {
    // Year, month -> lead days, days, rows, canvas height (200 wide).
    const std::array<int, 6> cases[] = {{2027, 2, 0, 28, 4, 152},   // non-leap, starts on a Monday
                                        {2026, 8, 5, 31, 6, 192},   // 31 days from a Saturday
                                        {2026, 11, 6, 30, 6, 192},  // 30 days from a Sunday
                                        {2028, 2, 1, 29, 5, 172},  {2000, 2, 1, 29, 5, 172},
                                        {1900, 2, 3, 28, 5, 172},  {1969, 12, 0, 31, 5, 172}};
    Rig rig;
    for (const auto& [year, month, lead, days, rows, height] : cases) {
        const CalendarMonth m = CalendarMonth::Of(year, month);
        EXPECT_EQ(std::tuple(m.lead, m.days, m.rows, rig.Size(year, month)),
                  std::tuple(lead, days, rows, "200x" + std::to_string(height)))
            << year << "-" << month;
    }
}

TEST(ClockWidget, ButtonShowsTheDayAndTheTimeInTwentyFourHours) {
    Rig rig;
    EXPECT_EQ(rig.widget.ButtonText(), "Mon 4 May  09:15");  // formatted when made
    // The days of the week are left at 0: the widget works them out.
    for (const auto& [now, text] :
         {std::pair<LocalTime, std::string>{{2026, 5, 4, 23, 5}, "Mon 4 May  23:05"},
          {{2027, 1, 31, 0, 0}, "Sun 31 Jan  00:00"}}) {
        rig.clock.now = now;
        rig.widget.Refresh();
        EXPECT_EQ(rig.widget.ButtonText(), text);
    }
}

TEST(ClockWidget, PaintsTheMonthWithTodayCircledAndTheWeekendDimmed) {
    Rig rig;  // December 2026 starts on a Tuesday; the 5th is a Saturday
    EXPECT_EQ(rig.Size(2026, 12), "200x172");
    rig.clock.now.day = 5;
    const Lines painted = rig.Painted();
    ASSERT_EQ(painted.size(), 1u + 7 + 1 + 31);
    const std::pair<size_t, std::string> at[] = {
        {0, "DECEMBER accent 16,16 13b"}, {1, "M text 24,42.6 9b"},
        {5, "F text 120,42.6 9b"},        {6, "S dim 144,42.6 9b"},
        {8, "1 text 47.1,59.4 11b"},      {12, "fill accent"},
        {13, "5 high 143.1,59.4 11b"},    {14, "6 dim 167.1,59.4 11b"},
        {15, "7 text 23.1,79.4 11b"},     {39, "31 text 92.1,139.4 11b"}};
    for (const auto& [index, call] : at) EXPECT_EQ(painted[index], call) << index;
    rig.clock.now = {2027, 1, 5, 0, 0};  // the month moved on while the calendar stayed open
    const Lines later = rig.Painted();
    EXPECT_EQ(std::count(later.begin(), later.end(), "fill accent"), 0);
    EXPECT_TRUE(rig.load.log.Records().empty());
}

}  // namespace
}  // namespace tarvik::test
