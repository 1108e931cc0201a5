#include <gtest/gtest.h>

#include "core/support/Drawn.h"
#include "core/support/ThemeLoad.h"
#include "core/widgets/AudioPort.h"
#include "core/widgets/ClockWidget.h"
#include "core/widgets/CounterPort.h"
#include "core/widgets/StatsWidget.h"
#include "core/widgets/SystemPorts.h"
#include "core/widgets/VolumeWidget.h"

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

struct ClockRig {
    ClockRig() { EXPECT_TRUE(loaded); }
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
    ClockRig rig;
    for (const auto& [year, month, lead, days, rows, height] : cases) {
        const CalendarMonth m = CalendarMonth::Of(year, month);
        EXPECT_EQ(std::tuple(m.lead, m.days, m.rows, rig.Size(year, month)),
                  std::tuple(lead, days, rows, "200x" + std::to_string(height)))
            << year << "-" << month;
    }
}

TEST(ClockWidget, ButtonShowsTheDayAndTheTimeInTwentyFourHours) {
    ClockRig rig;
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
    ClockRig rig;  // December 2026 starts on a Tuesday; the 5th is a Saturday
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

// A device that can come and go: a call on an endpoint whose device went away fails and
// releases it. Counts the bindings tried.
struct FakeEndpoint final : public IAudioEndpoint {
    bool device = true, bound = false, muted = false;
    float level = 0.5f;
    int binds = 0;
    bool EnsureEndpoint() override { return (bound && device) || (++binds, bound = device); }
    void ReleaseEndpoint() override { bound = false; }
    bool Call() { return (bound = bound && device, EnsureEndpoint()); }
    float GetVolume() override { return Call() ? level : -1.0f; }
    void SetVolume(float value) override { Call() && (level = std::clamp(value, 0.0f, 1.0f)); }
    bool GetMute() override { return Call() && muted; }
    void SetMute(bool on) override { Call() && (muted = on); }
    bool TryGetMute(bool& on) override { return bound && (bound = device) && (on = muted, true); }
};

// At 100 %: the canvas is 206 × 46, the track starts at x 42, 21 down, and is 150 long, the
// speaker area ends at 37. The speakers differ in width (18 on, 16 muted) to tell them apart.
struct VolumeRig {
    VolumeRig() {
        load.WritePng("on.png", 18, 18);
        load.WritePng("off.png", 16, 16);
        EXPECT_TRUE(
            load.Load("<t><text face='DejaVu Sans' size='15'/><glass border='44000000'/>"
                      "<widgets><volume src='on.png'/><volume-muted src='off.png'/>"
                      "</widgets></t>"));
    }
    // The canvas's size, then what it paints (see Drawn; the knob is the unnamed colour).
    std::string Open() {
        std::string shown = surface.Show(*widget);
        const GlassStyle& glass = load.theme.Glass;
        for (const std::string& line :
             Drawn(RecordedCalls(surface.graphics), {{glass.SeparatorColor, "track"},
                                                     {glass.Selection, "live"},
                                                     {glass.BorderColor, "edge"},
                                                     {load.theme.DisabledTextColour, "quiet"}}))
            shown += " " + line;
        return shown;
    }
    bool MutedIcon() const { return widget->ButtonIcon() == &load.theme.Skin("volume-muted"); }

    ThemeLoad load;
    FakeEndpoint audio;
    std::shared_ptr<VolumeWidget> widget = std::make_shared<VolumeWidget>(
        VolumeWidgetServices{load.theme, load.brushes(), load.log.trace, load.dpi, audio});
    CanvasSurface surface;
};

TEST(VolumeWidget, PressesGrabTheKnobNearItMoveItElsewhereAndToggleMuteOnTheSpeaker) {
    // Muted at first, the press (the knob is at 117), a move with the given buttons held ->
    // level, muted, still dragging.
    const std::tuple<bool, float, int16_t, float, float, bool, bool> cases[] = {
        {false, 126, 1, 156, 0.7f, false, true},  // 2 beyond the knob's edge: grabbed, no jump
        {false, 108, 1, 83, 0.3333f, false, true},
        {true, 127, 1, 127, 0.5667f, false, true},  // further: the knob jumps; moving unmutes
        {false, 37, 1, 37, 0.0f, false, true},      // the track's reach starts at 37
        {false, 400, 1, -50, 0.0f, false, true},    // pinned at either end
        {false, 60, 1, 400, 1.0f, false, true},
        {false, 36, 1, 60, 0.5f, true, false},
        {true, 36, 1, 36, 0.5f, false, false},
        {true, 117, 0, 117, 0.5f, true, false},  // the button was let go outside
        {false, 60, 2, 90, 0.5f, false, false},  // the right button does nothing
    };
    for (const auto& [muted, press, held, move, level, mutedAfter, dragging] : cases) {
        VolumeRig rig;
        rig.audio.muted = muted;
        EXPECT_EQ(rig.Open(),
                  std::string("206x46 image 14,") +
                      (muted ? "15 16x16 fill track fill quiet" : "14 18x18 fill track fill live") +
                      " fill ? line edge");
        rig.widget->OnCanvasMouseDown(held == 2 ? 2 : 1, press, 20);
        rig.widget->OnCanvasMouseMove(held, move, 20);
        EXPECT_NEAR(rig.audio.level, level, 1e-4) << press;
        EXPECT_EQ((std::tuple{rig.audio.muted, rig.MutedIcon(), rig.widget->Dragging()}),
                  (std::tuple{mutedAfter, mutedAfter, dragging}))
            << press;
    }
}

TEST(VolumeWidget, TheFilledPartNeedsAPixelAndWithoutADeviceThePanelSaysSo) {
    VolumeRig rig;
    rig.audio.level = 0.0066f;  // 0.99 pixels
    EXPECT_EQ(rig.Open(), "206x46 image 14,14 18x18 fill track fill ? line edge");
    rig.audio.device = false;  // the notice is wider than the track: 42 + 22 × 7.5 + 5 + 14
    EXPECT_EQ(rig.Open(), "226x46 image 14,15 16x16 No sound output device quiet 42,14 15");
    rig.widget->OnCanvasMouseDown(1, 20, 20);
    rig.widget->OnCanvasMouseDown(1, 100, 20);
    EXPECT_FALSE(rig.widget->Dragging() || rig.audio.muted || rig.audio.level != 0.0066f);
}

TEST(VolumeWidget, TheBarFollowsTheMuteAndTheDeviceWhichIsLookedForEveryFifthTick) {
    VolumeRig rig;
    EXPECT_FALSE(rig.MutedIcon());  // before the first tick
    // Per tick: the device there, muted elsewhere -> muted icon, bindings tried.
    const std::tuple<bool, bool, bool, int> ticks[] = {
        {1, 0, 0, 1}, {1, 1, 1, 1}, {1, 0, 0, 1}, {1, 0, 0, 1}, {1, 0, 0, 1},
        {1, 0, 0, 2},  // the regular binding
        {0, 0, 1, 3},  // gone: looked for at once, then every fifth tick
        {0, 0, 1, 3}, {0, 0, 1, 3}, {0, 0, 1, 3}, {0, 0, 1, 3}, {0, 0, 1, 4},
        {1, 0, 1, 4}, {1, 0, 1, 4}, {1, 0, 1, 4}, {1, 0, 1, 4}, {1, 0, 0, 5}};
    int tick = 0;
    for (const auto& [device, muted, mutedIcon, binds] : ticks) {
        rig.audio.device = device;
        rig.audio.muted = muted;
        rig.widget->Refresh();
        EXPECT_EQ((std::pair{rig.MutedIcon(), rig.audio.binds}), (std::pair{mutedIcon, binds}))
            << "tick " << ++tick;
    }
    rig.widget->SetRunning(false);
    EXPECT_FALSE(rig.audio.bound) << "switched off, the device is still held";
}

constexpr uint64_t kGiB = uint64_t(1) << 30;

// Counters the test moves on; a query fails while its flag is down.
struct FakeCounters final : public ISystemCounters {
    SystemTimes times;
    MemoryStatus memory{25, 16 * kGiB, 11 * kGiB / 2};
    bool timesOk = true, memoryOk = true;
    bool ReadSystemTimes(SystemTimes& out) override { return timesOk && (out = times, true); }
    bool ReadMemoryStatus(MemoryStatus& out) override { return memoryOk && (out = memory, true); }
};

// The graph of a 220-wide canvas at 100 % is 188 wide from x 16, its bottom line at y 85 and
// 46 pixels tall in between.
struct StatsRig {
    explicit StatsRig(const char* decimal = ".") : separator(decimal) {}
    // `total` units pass of which `busy` were busy (kernel time includes idle time).
    std::string Tick(uint64_t total, uint64_t busy) {
        counters.times.idle += total - busy;
        counters.times.kernel += total - busy / 2;
        counters.times.user += busy / 2;
        widget.Refresh();
        return widget.ButtonText();
    }
    float Y(size_t point) const { return widget.GraphPoints(220)[point].Y; }

    const char* separator;
    ThemeLoad load;
    bool loaded = load.Load(std::nullopt);
    FakeCounters counters;
    StatsWidget widget{{load.theme, load.brushes(), load.log.trace, load.dpi, counters, separator}};
};

TEST(StatsWidget, TheRingHoldsTheLastSixtyLoadsOldestFirst) {
    StatsRig rig;
    EXPECT_EQ(rig.Tick(0, 0), "0%");  // the first tick only notes the times
    const auto points = rig.widget.GraphPoints(220);
    EXPECT_EQ((std::vector{points[0].X, points[59].X, rig.Y(0), rig.Y(30), rig.Y(59)}),
              (std::vector{16.0f, 204.0f, 85.0f, 85.0f, 85.0f}));  // a flat line
    EXPECT_EQ(rig.Tick(300, 250), "83%");
    EXPECT_EQ(rig.Tick(0, 0), "83%");  // no time went by: nothing changes
    rig.counters.timesOk = false;
    EXPECT_EQ(rig.Tick(100, 10), "83%");
    EXPECT_EQ(rig.Y(58), 85.0f);
    EXPECT_NEAR(rig.Y(59), 85 - 46 * 5 / 6.0, 1e-3);
    rig.counters.timesOk = true;
    EXPECT_EQ(rig.Tick(0, 0), "10%");  // counted from the last good query
    EXPECT_EQ(rig.Tick(100, 100), "100%");
    EXPECT_EQ(rig.Y(59), 39.0f);  // one pixel below the graph's top
    for (uint64_t load = 1; load <= 61; ++load) rig.Tick(200, 2 * load);
    // The 61st sample overwrote the oldest.
    for (const auto& [point, load] : {std::pair{0, 2}, {1, 3}, {58, 60}, {59, 61}})
        EXPECT_NEAR(rig.Y(point), 85 - load * 0.46, 1e-3) << point;
}

TEST(StatsWidget, TheMemoryLineUsesTheLocalesSeparator) {
    // Separator, total and available bytes -> the memory line.
    const std::tuple<const char*, uint64_t, uint64_t, const char*> cases[] = {
        {",", 16 * kGiB, 11 * kGiB / 2, "Memory  10,5 / 16,0 GB"},
        {"\u066B", 8 * kGiB, 0, "Memory  8\u066B0 / 8\u066B0 GB"},
        {".", 4 * kGiB, 5 * kGiB, "Memory  0.0 / 4.0 GB"}};  // more available than installed
    for (const auto& [separator, total, available, line] : cases) {
        StatsRig rig(separator);
        rig.counters.memory = {40, total, available};
        rig.Tick(0, 0);
        rig.counters.memoryOk = false;  // a failing query keeps the last figures
        rig.Tick(0, 0);
        EXPECT_EQ(rig.widget.MemoryText(), line);
    }
}

}  // namespace
}  // namespace tarvik::test
