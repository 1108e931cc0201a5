#include "core/bar/Dpi.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/app/CommandLine.h"
#include "core/support/Fakes.h"

namespace tarvik::test {
namespace {

// The display scale follows the screen and the drawing scale only an override; Scale rounds
// halves to even and stays in range.
TEST(Dpi, ScalesComeFromTheScreenAndTheOverrideAndScaleRoundsHalvesToEven) {
    struct Case {
        int logicalDpi;
        const char* scale;
        float display, draw;
        int32_t n, scaled;
    };
    const Case cases[] = {
        {144, "", 1.5f, 1.0f, 23, 23},
        {0, "", 1.0f, 1.0f, 23, 23},
        {144, "125", 1.5f, 1.25f, 3, 4},
        {120, "401", 1.25f, 1.0f, 23, 23},
        {120, "auto", 1.25f, 1.25f, 2, 2},
        {72, "AUTO", 1.0f, 1.0f, 23, 23},
        {96, "150", 1.0f, 1.5f, 15, 22},
        {96, "150", 1.0f, 1.5f, -17, -26},
        {96, "400", 1.0f, 4.0f, INT32_MAX, INT32_MAX},
        {96, "400", 1.0f, 4.0f, INT32_MIN, INT32_MIN},
    };
    for (const Case& c : cases) {
        FakeEnvironment environment;
        environment.variables["TARVIK_SCALE"] = c.scale;
        CommandLine commandLine(environment);
        Dpi dpi;
        dpi.Start(c.logicalDpi, commandLine);
        EXPECT_EQ(dpi.DisplayScale(), c.display) << c.logicalDpi << " " << c.scale;
        EXPECT_EQ(dpi.DrawScale(), c.draw) << c.logicalDpi << " " << c.scale;
        EXPECT_EQ(dpi.Scale(c.n), c.scaled) << c.scale << "% of " << c.n;
    }
    EXPECT_EQ(Dpi().Scale(23), 23);  // one to one before Start
}

}  // namespace
}  // namespace tarvik::test
