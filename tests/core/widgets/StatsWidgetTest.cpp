#include "core/widgets/StatsWidget.h"

#include <gtest/gtest.h>

#include "core/support/ThemeLoad.h"
#include "core/widgets/CounterPort.h"

namespace tarvik::test {
namespace {

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
struct Rig {
    explicit Rig(const char* decimal = ".") : separator(decimal) {}
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
    Rig rig;
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
        Rig rig(separator);
        rig.counters.memory = {40, total, available};
        rig.Tick(0, 0);
        rig.counters.memoryOk = false;  // a failing query keeps the last figures
        rig.Tick(0, 0);
        EXPECT_EQ(rig.widget.MemoryText(), line);
    }
}

}  // namespace
}  // namespace tarvik::test
