#include "core/bar/Dpi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/app/CommandLine.h"
#include "core/support/Fakes.h"

namespace tarvik::test {
namespace {

Dpi Started(int logicalDpi, const char* scaleVariable) {
    FakeEnvironment environment;
    environment.variables["TARVIK_SCALE"] = scaleVariable;
    CommandLine commandLine(environment);
    Dpi dpi;
    dpi.Start(logicalDpi, commandLine);
    return dpi;
}

TEST(Dpi, DisplayScaleFollowsTheScreenAndDrawScaleOnlyAnOverride) {
    struct Case {
        int logicalDpi;
        const char* scale;
        float display, draw;
    };
    const Case cases[] = {
        {144, "", 1.5f, 1.0f},     {0, "", 1.0f, 1.0f},         {144, "125", 1.5f, 1.25f},
        {120, "401", 1.25f, 1.0f}, {120, "auto", 1.25f, 1.25f}, {72, "AUTO", 1.0f, 1.0f},
    };
    for (const Case& c : cases) {
        const Dpi dpi = Started(c.logicalDpi, c.scale);
        EXPECT_EQ(dpi.DisplayScale(), c.display) << c.logicalDpi << " " << c.scale;
        EXPECT_EQ(dpi.DrawScale(), c.draw) << c.logicalDpi << " " << c.scale;
    }
}

TEST(Dpi, ScaleRoundsHalvesToEvenAndStaysInRange) {
    struct Case {
        const char* percent;
        int32_t n, expected;
    };
    const Case cases[] = {
        {"150", 15, 22},
        {"150", 17, 26},
        {"125", 3, 4},
        {"150", -17, -26},
        {"400", INT32_MAX, INT32_MAX},
        {"400", INT32_MIN, INT32_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Started(96, c.percent).Scale(c.n), c.expected) << c.percent << "% of " << c.n;
    }
    EXPECT_EQ(Dpi().Scale(23), 23);                            // one to one before Start
    EXPECT_DOUBLE_EQ(Started(96, "125").ScaleF(0.5f), 0.625);  // not rounded
}

}  // namespace
}  // namespace tarvik::test
