// The real bar's housekeeping tick: it puts a moved or resized bar back in its place (with the
// strip laid out again), and a failure that repeats on every tick is logged once.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "BarWindowTestSupport.h"
#include "win32/support/BarHarness.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

TEST(BarHousekeepingTest, OneTickPutsAMovedOrResizedBarBackInPlace) {
    ParkPointer();
    struct Move {
        const char* name;
        int x, y, width, height;
    };
    const Move moves[] = {
        {"moved right", 300, 0, 0, 0},     {"moved down", 0, 200, 0, 0},
        {"made narrower", 0, 0, 900, 0},   {"made shorter", 0, 0, 0, 10},
        {"all at once", 50, 400, 700, 90},
    };
    for (const char* offset : {"", "40"}) {
        BarHarnessOptions options;
        if (*offset) options.variables["TARVIK_BAR_TOP"] = offset;
        BarHarness harness(std::move(options));
        ASSERT_TRUE(harness.Ready());
        const int top = *offset ? 40 : 0;
        const RECT wanted{0, top, GetSystemMetrics(SM_CXSCREEN),
                          top + harness.GetTheme().Layout.BarHeight};
        const RECT placed = WindowRectOf(harness.Window());
        ASSERT_TRUE(EqualRect(&wanted, &placed));
        const RectI stripBounds = harness.Bar().Strip().Bounds();

        for (const Move& m : moves) {
            SCOPED_TRACE(std::string(m.name) + (*offset ? " with a top offset" : ""));
            const RECT before = WindowRectOf(harness.Window());
            SetWindowPos(harness.Window(), nullptr, before.left + m.x, before.top + m.y,
                         m.width ? m.width : before.right - before.left,
                         m.height ? m.height : before.bottom - before.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            const RECT moved = WindowRectOf(harness.Window());
            ASSERT_FALSE(EqualRect(&wanted, &moved));
            harness.Bar().timEnumerateTasks_Timer();
            const RECT after = WindowRectOf(harness.Window());
            EXPECT_TRUE(EqualRect(&wanted, &after))
                << after.left << "," << after.top << " - " << after.right << "," << after.bottom;
            EXPECT_EQ(harness.Bar().Strip().Bounds(), stripBounds);
        }
    }
}

TEST(BarHousekeepingTest, TheTimerItselfPutsTheBarBackWithinATick) {
    ParkPointer();
    BarHarness harness;
    ASSERT_TRUE(harness.Ready());
    SetWindowPos(harness.Window(), nullptr, 120, 300, 640, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PumpUntil([&] { return WindowRectOf(harness.Window()).top == 0; }, 2s));
    EXPECT_LE(std::chrono::steady_clock::now() - start, 900ms) << "one 400 ms tick, with room";
    EXPECT_EQ(WindowRectOf(harness.Window()).right, GetSystemMetrics(SM_CXSCREEN));
}

TEST(BarHousekeepingTest, AFailureRepeatedOnEveryTickIsLoggedOnceUntilAnotherIntervenes) {
    ParkPointer();
    BarHarness harness;
    ASSERT_TRUE(harness.Ready());
    MenuFixtureWindow fixture(L"Fixture Notes", RECT{200, 200, 600, 500});
    // The strip re-reads its window's title on every tick: that read fails.
    harness.Bar().Strip().PopulateFromhWnd(reinterpret_cast<WindowHandle>(fixture.Handle()));
    const auto tickFailures = [&] {
        std::vector<std::string> lines;
        for (const std::string& line : harness.LogLines()) {
            if (line.find("\"timEnumerateTasks_Timer\"") != std::string::npos) {
                lines.push_back(line);
            }
        }
        return lines;
    };
    struct Step {
        const char* name;
        int32_t number;  // 0: no failure
        const char* description;
        int ticks;
        size_t linesAfter;
    };
    const Step steps[] = {
        {"the same failure on five ticks", 1234, "the title cannot be read", 5, 1},
        {"another failure", 87, "the window went away", 3, 2},
        {"the first one again", 1234, "the title cannot be read", 2, 3},
        {"no failure", 0, "", 3, 3},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        if (s.number) {
            harness.MenuReader().FailTitles(s.number, s.description);
        } else {
            harness.MenuReader().StopFailing();
        }
        for (int i = 0; i < s.ticks; ++i) harness.Bar().timEnumerateTasks_Timer();
        const auto lines = tickFailures();
        ASSERT_EQ(lines.size(), s.linesAfter);
        if (s.number) {
            const std::string& last = lines.back();
            EXPECT_NE(last.find("," + std::to_string(s.number) + ",\"RivovoZoz\","),
                      std::string::npos)
                << last;
            EXPECT_NE(last.find(s.description), std::string::npos) << last;
        }
    }
}

}  // namespace
}  // namespace tarvik::test
