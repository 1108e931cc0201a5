#include "core/bar/Dpi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "core/app/CommandLine.h"
#include "core/support/Fakes.h"

namespace tarvik {
namespace {

using test::FakeEnvironment;

TEST(DpiStart, DisplayScaleFollowsTheScreenAndDrawScaleOnlyAnOverride) {
    struct Case {
        const char* name;
        int logicalDpi;
        std::string scaleVariable;  // empty: not set
        float display;
        float draw;
    };
    const Case cases[] = {
        {"96 DPI", 96, "", 1.0f, 1.0f},
        {"120 DPI stays 1:1", 120, "", 1.25f, 1.0f},
        {"144 DPI stays 1:1", 144, "", 1.5f, 1.0f},
        {"below 96", 72, "", 1.0f, 1.0f},
        {"unreadable", 0, "", 1.0f, 1.0f},
        {"negative", -1, "", 1.0f, 1.0f},
        {"override", 96, "150", 1.0f, 1.5f},
        {"override beats the display", 144, "125", 1.5f, 1.25f},
        {"out of range override", 120, "401", 1.25f, 1.0f},
        {"auto", 120, "auto", 1.25f, 1.25f},
        {"auto below 96", 72, "AUTO", 1.0f, 1.0f},
        {"auto unreadable", 0, "  auto", 1.0f, 1.0f},
        {"not auto", 120, "autx", 1.25f, 1.0f},
    };
    for (const Case& c : cases) {
        FakeEnvironment environment;
        if (!c.scaleVariable.empty()) environment.variables["TARVIK_SCALE"] = c.scaleVariable;
        CommandLine commandLine(environment);
        Dpi dpi;
        dpi.Start(c.logicalDpi, commandLine);
        EXPECT_EQ(dpi.DisplayScale(), c.display) << c.name;
        EXPECT_EQ(dpi.DrawScale(), c.draw) << c.name;
    }
}

TEST(DpiStart, BeforeStartEverythingIsOneToOne) {
    const Dpi dpi;
    EXPECT_EQ(dpi.DisplayScale(), 1.0f);
    EXPECT_EQ(dpi.DrawScale(), 1.0f);
    EXPECT_EQ(dpi.Scale(23), 23);
}

Dpi DrawingAt(const char* percent) {
    FakeEnvironment environment;
    environment.variables["TARVIK_SCALE"] = percent;
    CommandLine commandLine(environment);
    Dpi dpi;
    dpi.Start(96, commandLine);
    return dpi;
}

TEST(DpiScale, RoundsHalvesToEven) {
    struct Case {
        const char* percent;
        int32_t n;
        int32_t expected;
    };
    const Case cases[] = {
        {"100", 23, 23},
        {"150", 23, 34},  // 34.5
        {"150", 36, 54},
        {"150", 15, 22},  // 22.5
        {"150", 17, 26},  // 25.5
        {"125", 20, 25},
        {"125", 2, 2},  // 2.5
        {"125", 6, 8},  // 7.5
        {"125", 3, 4},  // 3.75
        {"150", -15, -22},
        {"150", -17, -26},
        {"150", 0, 0},
        {"400", 1000, 4000},
        {"400", std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()},
        {"400", std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()},
        {"100", std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DrawingAt(c.percent).Scale(c.n), c.expected) << c.percent << "% of " << c.n;
    }
}

TEST(DpiScale, ScaleFIsNotRounded) {
    EXPECT_DOUBLE_EQ(DrawingAt("150").ScaleF(15.0f), 22.5);
    EXPECT_DOUBLE_EQ(DrawingAt("125").ScaleF(0.5f), 0.625);
    EXPECT_DOUBLE_EQ(DrawingAt("100").ScaleF(7.25f), 7.25);
    EXPECT_DOUBLE_EQ(DrawingAt("150").ScaleF(-3.0f), -4.5);
}

}  // namespace
}  // namespace tarvik
