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
        std::string variable;
        int32_t expected;
    };
    const Case cases[] = {
        {"", "", -1},
        {"", "  40  ", 40},
        {"", "   ", -1},
        {"", "0", 0},
        {"", "150%", 150},
        {"", "-5", -1},
        {"", "000000042", 42},   // nine digits
        {"", "0000000042", -1},  // ten digits
        {"", "999999999", 999999999},
        {"", "\xef\xbc\x94\xef\xbc\x90", -1},  // full-width digits
        {"top:40", "60", 40},
        {"top: 40", "60", -1},  // the switch's value is not trimmed
        {"top:x", "60", -1},
        {"--TOP:40 --demo", "", 40},  // any case, inside a longer word
        {"top:40 top:50", "", 40},
        {"t op:40", "60", 60},
        {"caf\xc3\xa9 \xe2\x9c\x93 top:7\xff", "", 7},
        {std::string("a\0top:3", 7), "", 3},
        {std::string(100000, 'x') + " top:25", "", 25},
    };
    for (const Case& c : cases) {
        FakeEnvironment environment;
        environment.arguments = c.arguments;
        if (!c.variable.empty()) environment.variables["TARVIK_BAR_TOP"] = c.variable;
        const CommandLine commandLine(environment);
        EXPECT_EQ(commandLine.ReadNumber("top:", "TARVIK_BAR_TOP"), c.expected)
            << "arguments '" << c.arguments.substr(0, 40) << "', variable '" << c.variable << "'";
    }
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
        {"scale 99", scale, "", {{"TARVIK_SCALE", "99"}}, 0},
        {"scale 100", scale, "", {{"TARVIK_SCALE", "100"}}, 1},
        {"scale 400", scale, "", {{"TARVIK_SCALE", "400"}}, 4},
        {"scale 401", scale, "", {{"TARVIK_SCALE", "401"}}, 0},
        {"scale switch", scale, "/SCALEOVERRIDE:175", {{"TARVIK_SCALE", "200"}}, 1.75},
        {"auto", scaleAuto, "", {{"TARVIK_SCALE", "   AuTo   "}}, 1},
        {"auto longer", scaleAuto, "", {{"TARVIK_SCALE", "automatic"}}, 1},
        {"aut", scaleAuto, "", {{"TARVIK_SCALE", "aut"}}, 0},
        {"xauto", scaleAuto, "", {{"TARVIK_SCALE", "xauto"}}, 0},
        {"auto switch spaced", scaleAuto, "x SCALEOVERRIDE:   auto y", {}, 1},
        {"auto switch wins", scaleAuto, "ScaleOverride:150", {{"TARVIK_SCALE", "auto"}}, 0},
        {"font 12", font, "", {{"TARVIK_FONT", "12"}}, 12},
        {"font 0", font, "", {{"TARVIK_FONT", "0"}}, -1},
        {"font switch", font, "font:14", {{"TARVIK_FONT", "12"}}, 14},
        {"gap 0", gap, "itemgap:0", {{"TARVIK_ITEM_GAP", "9"}}, 0},
        {"gap negative", gap, "", {{"TARVIK_ITEM_GAP", "-2"}}, -1},
        {"texty switch", textY, "TextY:3", {{"TARVIK_TEXT_Y", "9"}}, 3},
        {"texty unset", textY, "", {}, -1},
        {"top 1", top, "", {{"TARVIK_BAR_TOP", "1"}}, 1},
        {"top 2000", top, "", {{"TARVIK_BAR_TOP", "2000"}}, 2000},
        {"top 2001", top, "", {{"TARVIK_BAR_TOP", "2001"}}, 0},
        {"top unset", top, "", {}, 0},
        {"demo spaced 0", demo, "", {{"TARVIK_DEMO", "  0 "}}, 0},
        {"demo spaces", demo, "", {{"TARVIK_DEMO", "   "}}, 0},
        {"demo 00", demo, "", {{"TARVIK_DEMO", "00"}}, 1},
        {"demo switch", demo, "--DEMO", {{"TARVIK_DEMO", "0"}}, 1},
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

    environment.arguments = "top:30 demo";
    environment.variables = {{"TARVIK_SCALE", "300"}, {"TARVIK_FONT", "16"}};
    EXPECT_EQ(commandLine.ScaleOverride(), 1.25f);
    EXPECT_EQ(commandLine.BarTopOffset(), 0);
    EXPECT_EQ(commandLine.FontSizeOverride(), 16);
    EXPECT_TRUE(commandLine.DemoMode());
}

}  // namespace
}  // namespace tarvik
