#include "core/app/StartupText.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

TEST(StartupText, VersionGateStartOffsetAndScaleLines) {
    const std::string gate = VersionGateText();
    EXPECT_EQ(gate.find("Tarvik needs Windows 10 or later.\r\n\r\nThe menu bar"), 0u);
    EXPECT_NE(gate.find("earlier version.\r\n\r\nTarvik 2.x still runs on Windows XP and later - "
                        "see https://tarvik.app."),
              std::string::npos);
    EXPECT_EQ(StartLine(244), "Starting Tarvik rev244");
    EXPECT_EQ(BarOffsetLine(30), "bar top offset 30px (comparison mode)");
    EXPECT_EQ(ScaleLine(1.5f, 1.5f, true), std::nullopt);
    EXPECT_EQ(ScaleLine(1.5f, 1.0f, true), "drawing at 150% by switch, display reports 100%");
    // 1.125 × 100 = 112.5 rounds to the even 112.
    EXPECT_EQ(ScaleLine(1.0f, 1.125f, false),
              "drawing at 100% (1:1 default), display reports 112%");
}

}  // namespace
}  // namespace tarvik
