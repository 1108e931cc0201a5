#include "core/app/CommandLine.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "core/support/Fakes.h"

namespace tarvik {
namespace {

using test::FakeEnvironment;
using Variables = std::map<std::string, std::string, std::less<>>;

TEST(CommandLineReadNumber, SwitchAnywhereWinsElseTrimmedVariableLeadingDigitsOnly) {
    struct Case {
        std::string arguments;
        Variables variables;
        int32_t expected;
    };
    const std::string longText(100000, 'x');
    const Case cases[] = {
        {"", {}, -1},
        {"", {{"TARVIK_BAR_TOP", ""}}, -1},
        {"", {{"TARVIK_BAR_TOP", "40"}}, 40},
        {"", {{"TARVIK_BAR_TOP", "  40  "}}, 40},
        {"", {{"TARVIK_BAR_TOP", "   "}}, -1},
        {"", {{"TARVIK_BAR_TOP", "0"}}, 0},
        {"", {{"TARVIK_BAR_TOP", "150%"}}, 150},
        {"", {{"TARVIK_BAR_TOP", "1.75"}}, 1},
        {"", {{"TARVIK_BAR_TOP", "-5"}}, -1},
        {"", {{"TARVIK_BAR_TOP", "+5"}}, -1},
        {"", {{"TARVIK_BAR_TOP", "x5"}}, -1},
        {"", {{"TARVIK_BAR_TOP", "000000042"}}, 42},   // nine digits
        {"", {{"TARVIK_BAR_TOP", "0000000042"}}, -1},  // ten digits
        {"", {{"TARVIK_BAR_TOP", "999999999"}}, 999999999},
        {"", {{"TARVIK_BAR_TOP", "1000000000"}}, -1},
        {"", {{"TARVIK_BAR_TOP", "99999999999999999999"}}, -1},
        {"", {{"TARVIK_BAR_TOP", "12 34"}}, 12},
        {"", {{"TARVIK_BAR_TOP", "\xef\xbc\x94\xef\xbc\x90"}}, -1},  // full-width digits
        {"", {{"TARVIK_BAR_TOP", "7\xc3\xa9\xff"}}, 7},
        {"", {{"TARVIK_BAR_TOP", std::string(100000, '9')}}, -1},
        {"", {{"TARVIK_BAR_TOP", "5" + longText}}, 5},
        {"", {{"TARVIK_TOP", "40"}}, -1},  // another variable
        {"top:40", {{"TARVIK_BAR_TOP", "60"}}, 40},
        {"top: 40", {{"TARVIK_BAR_TOP", "60"}}, -1},  // the switch's value is not trimmed
        {"top:", {{"TARVIK_BAR_TOP", "60"}}, -1},
        {"top:x", {{"TARVIK_BAR_TOP", "60"}}, -1},
        {"TOP:40", {}, 40},
        {"--Top:40 --demo", {}, 40},
        {"desktop:12", {}, 12},  // a switch may sit inside a longer word
        {"top:40 top:50", {}, 40},
        {"top:12abc", {}, 12},
        {"top:000000042", {}, 42},
        {"top:0000000042", {}, -1},
        {"top", {{"TARVIK_BAR_TOP", "60"}}, 60},
        {"t op:40", {{"TARVIK_BAR_TOP", "60"}}, 60},
        {"caf\xc3\xa9 \xe2\x9c\x93 top:7", {}, 7},
        {"\xc3\x89top:8 \xff", {}, 8},
        {std::string("a\0top:3", 7), {}, 3},
        {longText + " top:25", {}, 25},
        {"top:" + std::string(1000, '0') + "1", {}, -1},
    };
    for (const Case& c : cases) {
        FakeEnvironment environment;
        environment.arguments = c.arguments;
        environment.variables = c.variables;
        const CommandLine commandLine(environment);
        EXPECT_EQ(commandLine.ReadNumber("top:", "TARVIK_BAR_TOP"), c.expected)
            << "arguments '" << c.arguments.substr(0, 40) << "', variables " << c.variables.size();
    }
}

TEST(CommandLineReadNumber, SwitchNameIsMatchedIgnoringCase) {
    FakeEnvironment environment;
    environment.arguments = "/SCALEOVERRIDE:125";
    const CommandLine commandLine(environment);
    EXPECT_EQ(commandLine.ReadNumber("ScaleOverride:", "TARVIK_SCALE"), 125);
}

// Each override with its switch, its variable and its accepted range. Results are compared as
// numbers: a boolean reads as 0 or 1, a scale as the stored fraction.
TEST(CommandLineOverrides, EachReaderUsesItsSwitchVariableAndRange) {
    using Reader = std::function<double(CommandLine&)>;
    const Reader scale = [](CommandLine& c) { return c.ScaleOverride(); };
    const Reader scaleAuto = [](CommandLine& c) { return c.ScaleAuto() ? 1 : 0; };
    const Reader font = [](CommandLine& c) { return c.FontSizeOverride(); };
    const Reader gap = [](CommandLine& c) { return c.ItemGapOverride(); };
    const Reader textY = [](CommandLine& c) { return c.TextYOverride(); };
    const Reader top = [](CommandLine& c) { return c.BarTopOffset(); };
    const Reader demo = [](CommandLine& c) { return c.DemoMode() ? 1 : 0; };
    struct Case {
        const char* name;
        const Reader& reader;
        std::string arguments;
        Variables variables;
        double expected;
    };
    const Case cases[] = {
        {"scale unset", scale, "", {}, 0},
        {"scale 125", scale, "", {{"TARVIK_SCALE", "125"}}, 1.25},
        {"scale 99", scale, "", {{"TARVIK_SCALE", "99"}}, 0},
        {"scale 100", scale, "", {{"TARVIK_SCALE", "100"}}, 1},
        {"scale 400", scale, "", {{"TARVIK_SCALE", "400"}}, 4},
        {"scale 401", scale, "", {{"TARVIK_SCALE", "401"}}, 0},
        {"scale 150%", scale, "", {{"TARVIK_SCALE", " 150% "}}, 1.5},
        {"scale auto", scale, "", {{"TARVIK_SCALE", "auto"}}, 0},
        {"scale switch", scale, "ScaleOverride:175", {{"TARVIK_SCALE", "200"}}, 1.75},
        {"scale switch spaced", scale, "ScaleOverride: 175", {{"TARVIK_SCALE", "200"}}, 0},
        {"scale switch 50", scale, "scaleoverride:50", {{"TARVIK_SCALE", "200"}}, 0},

        {"auto unset", scaleAuto, "", {}, 0},
        {"auto empty", scaleAuto, "", {{"TARVIK_SCALE", ""}}, 0},
        {"auto", scaleAuto, "", {{"TARVIK_SCALE", "auto"}}, 1},
        {"AUTO", scaleAuto, "", {{"TARVIK_SCALE", "AUTO"}}, 1},
        {"auto spaced", scaleAuto, "", {{"TARVIK_SCALE", "   AuTo   "}}, 1},
        {"auto longer", scaleAuto, "", {{"TARVIK_SCALE", "automatic please"}}, 1},
        {"aut", scaleAuto, "", {{"TARVIK_SCALE", "aut"}}, 0},
        {"au to", scaleAuto, "", {{"TARVIK_SCALE", "au to"}}, 0},
        {"xauto", scaleAuto, "", {{"TARVIK_SCALE", "xauto"}}, 0},
        {"auto number", scaleAuto, "", {{"TARVIK_SCALE", "150"}}, 0},
        {"auto switch", scaleAuto, "ScaleOverride:Auto", {}, 1},
        {"auto switch spaced", scaleAuto, "x SCALEOVERRIDE:   auto y", {}, 1},
        {"auto switch wins", scaleAuto, "ScaleOverride:150", {{"TARVIK_SCALE", "auto"}}, 0},
        {"auto other switch", scaleAuto, "ScaleOverride=auto", {{"TARVIK_SCALE", "auto"}}, 1},

        {"font unset", font, "", {}, -1},
        {"font 12", font, "", {{"TARVIK_FONT", "12"}}, 12},
        {"font 0", font, "", {{"TARVIK_FONT", "0"}}, -1},
        {"font switch", font, "font:14", {{"TARVIK_FONT", "12"}}, 14},
        {"font switch 0", font, "FONT:0", {{"TARVIK_FONT", "12"}}, -1},

        {"gap unset", gap, "", {}, -1},
        {"gap 0", gap, "", {{"TARVIK_ITEM_GAP", "0"}}, 0},
        {"gap 9", gap, "", {{"TARVIK_ITEM_GAP", "9"}}, 9},
        {"gap switch 0", gap, "itemgap:0", {{"TARVIK_ITEM_GAP", "9"}}, 0},
        {"gap negative", gap, "", {{"TARVIK_ITEM_GAP", "-2"}}, -1},

        {"texty unset", textY, "", {}, -1},
        {"texty 0", textY, "", {{"TARVIK_TEXT_Y", "0"}}, 0},
        {"texty switch", textY, "TextY:3", {{"TARVIK_TEXT_Y", "9"}}, 3},

        {"top unset", top, "", {}, 0},
        {"top 1", top, "", {{"TARVIK_BAR_TOP", "1"}}, 1},
        {"top 2000", top, "", {{"TARVIK_BAR_TOP", "2000"}}, 2000},
        {"top 2001", top, "", {{"TARVIK_BAR_TOP", "2001"}}, 0},
        {"top 0", top, "", {{"TARVIK_BAR_TOP", "0"}}, 0},
        {"top switch", top, "top:40", {{"TARVIK_BAR_TOP", "60"}}, 40},
        {"top switch spaced", top, "top: 40", {{"TARVIK_BAR_TOP", "60"}}, 0},

        {"demo unset", demo, "", {}, 0},
        {"demo empty", demo, "", {{"TARVIK_DEMO", ""}}, 0},
        {"demo 0", demo, "", {{"TARVIK_DEMO", "0"}}, 0},
        {"demo spaced 0", demo, "", {{"TARVIK_DEMO", "  0 "}}, 0},
        {"demo spaces", demo, "", {{"TARVIK_DEMO", "   "}}, 0},
        {"demo false", demo, "", {{"TARVIK_DEMO", "false"}}, 1},
        {"demo 00", demo, "", {{"TARVIK_DEMO", "00"}}, 1},
        {"demo 1", demo, "", {{"TARVIK_DEMO", "1"}}, 1},
        {"demo switch", demo, "--DEMO", {{"TARVIK_DEMO", "0"}}, 1},
        {"demo inside a word", demo, "demonstrate", {}, 1},
        {"demo absent", demo, "dem o", {}, 0},
    };
    for (const Case& c : cases) {
        FakeEnvironment environment;
        environment.arguments = c.arguments;
        environment.variables = c.variables;
        CommandLine commandLine(environment);
        EXPECT_EQ(c.reader(commandLine), c.expected) << c.name;
    }
}

TEST(CommandLineOverrides, ScaleAndBarTopAreReadOnceTheOthersEveryTime) {
    FakeEnvironment environment;
    environment.variables = {{"TARVIK_SCALE", "125"}, {"TARVIK_FONT", "12"}};
    CommandLine commandLine(environment);
    EXPECT_EQ(commandLine.ScaleOverride(), 1.25f);
    EXPECT_EQ(commandLine.BarTopOffset(), 0);
    EXPECT_EQ(commandLine.FontSizeOverride(), 12);
    EXPECT_FALSE(commandLine.DemoMode());

    environment.arguments = "ScaleOverride:auto top:30 demo";
    environment.variables = {{"TARVIK_SCALE", "300"},
                             {"TARVIK_BAR_TOP", "60"},
                             {"TARVIK_FONT", "16"},
                             {"TARVIK_ITEM_GAP", "4"}};
    EXPECT_EQ(commandLine.ScaleOverride(), 1.25f);
    EXPECT_EQ(commandLine.BarTopOffset(), 0);
    EXPECT_TRUE(commandLine.ScaleAuto());
    EXPECT_EQ(commandLine.FontSizeOverride(), 16);
    EXPECT_EQ(commandLine.ItemGapOverride(), 4);
    EXPECT_TRUE(commandLine.DemoMode());
}

}  // namespace
}  // namespace tarvik
