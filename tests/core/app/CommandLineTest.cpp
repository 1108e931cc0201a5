#include "core/app/CommandLine.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "core/support/Fakes.h"

namespace tarvik::test {
namespace {

// One override read from an argument text and variables, compared as a number (a flag reads as
// 0 or 1, a scale as the stored fraction). Some readers change the environment and read again.
TEST(CommandLine, EachReaderUsesItsSwitchVariableRangeAndReadsOnceWhereItMust) {
    using Reader = std::function<double(CommandLine&, FakeEnvironment&)>;
    const Reader top = [](CommandLine& c, FakeEnvironment&) {
        return c.ReadNumber("top:", "TARVIK_BAR_TOP");
    };
    const Reader scale = [](CommandLine& c, FakeEnvironment&) { return c.ScaleOverride(); };
    const Reader scaleAuto = [](CommandLine& c, FakeEnvironment&) { return c.ScaleAuto(); };
    const Reader font = [](CommandLine& c, FakeEnvironment&) { return c.FontSizeOverride(); };
    const Reader gap = [](CommandLine& c, FakeEnvironment&) { return c.ItemGapOverride(); };
    const Reader textY = [](CommandLine& c, FakeEnvironment&) { return c.TextYOverride(); };
    const Reader barTop = [](CommandLine& c, FakeEnvironment&) { return c.BarTopOffset(); };
    const Reader demo = [](CommandLine& c, FakeEnvironment&) { return c.DemoMode(); };
    const auto again = [](const Reader& read) {
        return [read](CommandLine& c, FakeEnvironment& e) {
            read(c, e);
            e.arguments = "top:30 font:16 ScaleOverride:300";
            return read(c, e);
        };
    };
    struct Case {
        const Reader& read;
        std::string arguments;
        std::map<std::string, std::string, std::less<>> variables;
        double expected;
    };
    const Case cases[] = {
        {top, "", {}, -1},
        {top, "", {{"TARVIK_BAR_TOP", "  40  "}}, 40},
        {top, "", {{"TARVIK_BAR_TOP", "150%"}}, 150},
        {top, "", {{"TARVIK_BAR_TOP", "-5"}}, -1},
        {top, "", {{"TARVIK_BAR_TOP", "000000042"}}, 42},   // nine digits
        {top, "", {{"TARVIK_BAR_TOP", "0000000042"}}, -1},  // ten
        {top, "top: 40", {{"TARVIK_BAR_TOP", "60"}}, -1},   // the switch's value is not trimmed
        {top, "--TOP:40 top:50", {{"TARVIK_BAR_TOP", "60"}}, 40},  // any case, the first
        {top, "t op:40", {{"TARVIK_BAR_TOP", "60"}}, 60},
        {top, std::string("caf\xc3\xa9 a\0top:7\xff", 14), {}, 7},
        {scale, "", {{"TARVIK_SCALE", "99"}}, 0},
        {scale, "", {{"TARVIK_SCALE", "400"}}, 4},
        {scale, "", {{"TARVIK_SCALE", "401"}}, 0},
        {scale, "/SCALEOVERRIDE:175", {{"TARVIK_SCALE", "200"}}, 1.75},
        {again(scale), "", {{"TARVIK_SCALE", "125"}}, 1.25},
        {scaleAuto, "", {{"TARVIK_SCALE", "   AuTo   "}}, 1},
        {scaleAuto, "", {{"TARVIK_SCALE", "automatic"}}, 1},
        {scaleAuto, "", {{"TARVIK_SCALE", "xauto"}}, 0},
        {scaleAuto, "x SCALEOVERRIDE:   auto y", {}, 1},
        {scaleAuto, "ScaleOverride:150", {{"TARVIK_SCALE", "auto"}}, 0},
        {font, "", {{"TARVIK_FONT", "0"}}, -1},
        {font, "font:14", {{"TARVIK_FONT", "12"}}, 14},
        {again(font), "", {{"TARVIK_FONT", "12"}}, 16},
        {gap, "itemgap:0", {{"TARVIK_ITEM_GAP", "9"}}, 0},
        {gap, "", {{"TARVIK_ITEM_GAP", "-2"}}, -1},
        {textY, "TextY:3", {{"TARVIK_TEXT_Y", "9"}}, 3},
        {barTop, "", {{"TARVIK_BAR_TOP", "2000"}}, 2000},
        {barTop, "", {{"TARVIK_BAR_TOP", "2001"}}, 0},
        {barTop, "", {{"TARVIK_BAR_TOP", "0"}}, 0},
        {again(barTop), "", {}, 0},
        {demo, "", {{"TARVIK_DEMO", "  0 "}}, 0},
        {demo, "", {{"TARVIK_DEMO", "   "}}, 0},
        {demo, "", {{"TARVIK_DEMO", "00"}}, 1},
        {demo, "--DEMO", {{"TARVIK_DEMO", "0"}}, 1},
    };
    for (const Case& c : cases) {
        FakeEnvironment environment;
        environment.arguments = c.arguments;
        environment.variables = c.variables;
        CommandLine commandLine(environment);
        EXPECT_EQ(c.read(commandLine, environment), c.expected) << "case " << (&c - cases);
    }
}

}  // namespace
}  // namespace tarvik::test
