#include "core/app/CommandLine.h"

#include <gtest/gtest.h>

#include "core/support/Fakes.h"

namespace tarvik::test {
namespace {

// One override read as a number (a flag reads as 0 or 1, a scale as the stored fraction).
double Read(CommandLine& c, std::string_view reader) {
    if (reader == "top") return c.ReadNumber("top:", "TARVIK_BAR_TOP");
    if (reader == "scale") return c.ScaleOverride();
    if (reader == "auto") return c.ScaleAuto();
    if (reader == "font") return c.FontSizeOverride();
    if (reader == "gap") return c.ItemGapOverride();
    if (reader == "texty") return c.TextYOverride();
    if (reader == "bartop") return c.BarTopOffset();
    return c.DemoMode();
}

TEST(CommandLine, EachReaderUsesItsSwitchVariableRangeAndReadsOnceWhereItMust) {
    // Reader, argument text, "NAME=value" (empty: none), the value read, and whether it is read
    // again after the arguments changed.
    const std::tuple<const char*, std::string, std::string, double, bool> cases[] = {
        {"top", "", "TARVIK_BAR_TOP=-5", -1, false},
        {"top", "", "TARVIK_BAR_TOP=000000042", 42, false},          // nine digits
        {"top", "", "TARVIK_BAR_TOP=0000000042", -1, false},         // ten
        {"top", "--TOP:40 top:50", "TARVIK_BAR_TOP=60", 40, false},  // any case, the first
        {"top", "t op:40", "TARVIK_BAR_TOP=60", 60, false},
        {"top", std::string("caf\xc3\xa9 a\0top:7\xff", 14), "", 7, false},
        {"scale", "", "TARVIK_SCALE=401", 0, false},
        {"scale", "", "TARVIK_SCALE=125", 1.25, true},
        {"auto", "", "TARVIK_SCALE=   AuTo   ", 1, false},
        {"auto", "", "TARVIK_SCALE=xauto", 0, false},
        {"auto", "x SCALEOVERRIDE:   auto y", "", 1, false},
        {"auto", "ScaleOverride:150", "TARVIK_SCALE=auto", 0, false},
        {"font", "", "TARVIK_FONT=0", -1, false},
        {"font", "", "TARVIK_FONT=12", 16, true},
        {"gap", "itemgap:0", "TARVIK_ITEM_GAP=9", 0, false},
        {"texty", "TextY:3", "TARVIK_TEXT_Y=9", 3, false},
        {"bartop", "", "TARVIK_BAR_TOP=2000", 2000, false},
        {"bartop", "", "TARVIK_BAR_TOP=2001", 0, false},
        {"bartop", "", "", 0, true},
        {"demo", "", "TARVIK_DEMO=  0 ", 0, false},
        {"demo", "", "TARVIK_DEMO=00", 1, false},
        {"demo", "--DEMO", "TARVIK_DEMO=0", 1, false},
    };
    for (const auto& [reader, arguments, variable, expected, again] : cases) {
        FakeEnvironment environment;
        environment.arguments = arguments;
        const size_t equals = variable.find('=');
        if (!variable.empty())
            environment.variables[variable.substr(0, equals)] = variable.substr(equals + 1);
        CommandLine commandLine(environment);
        if (again) {
            Read(commandLine, reader);
            environment.arguments = "top:30 font:16 ScaleOverride:300";
        }
        EXPECT_EQ(Read(commandLine, reader), expected)
            << reader << " " << arguments << " " << variable;
    }
}

}  // namespace
}  // namespace tarvik::test
