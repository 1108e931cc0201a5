#include "core/app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>

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
    struct Case {
        const char* reader;
        std::string arguments;
        const char* variable;  // the reader's own variable; null: not set
        double expected;
        bool again = false;  // read again after the arguments changed
    };
    const Case cases[] = {
        {"top", "", nullptr, -1},
        {"top", "", "-5", -1},
        {"top", "", "000000042", 42},          // nine digits
        {"top", "", "0000000042", -1},         // ten
        {"top", "--TOP:40 top:50", "60", 40},  // any case, the first
        {"top", "t op:40", "60", 60},
        {"top", std::string("caf\xc3\xa9 a\0top:7\xff", 14), nullptr, 7},
        {"scale", "", "400", 4},
        {"scale", "", "401", 0},
        {"scale", "", "125", 1.25, true},
        {"auto", "", "   AuTo   ", 1},
        {"auto", "", "xauto", 0},
        {"auto", "x SCALEOVERRIDE:   auto y", nullptr, 1},
        {"auto", "ScaleOverride:150", "auto", 0},
        {"font", "", "0", -1},
        {"font", "", "12", 16, true},
        {"gap", "itemgap:0", "9", 0},
        {"texty", "TextY:3", "9", 3},
        {"bartop", "", "2000", 2000},
        {"bartop", "", "2001", 0},
        {"bartop", "", nullptr, 0, true},
        {"demo", "", "  0 ", 0},
        {"demo", "", "00", 1},
        {"demo", "--DEMO", "0", 1},
    };
    const std::map<std::string_view, const char*> variables{
        {"top", "TARVIK_BAR_TOP"}, {"scale", "TARVIK_SCALE"},   {"auto", "TARVIK_SCALE"},
        {"font", "TARVIK_FONT"},   {"gap", "TARVIK_ITEM_GAP"},  {"texty", "TARVIK_TEXT_Y"},
        {"demo", "TARVIK_DEMO"},   {"bartop", "TARVIK_BAR_TOP"}};
    for (const Case& c : cases) {
        FakeEnvironment environment;
        environment.arguments = c.arguments;
        if (c.variable) environment.variables[variables.at(c.reader)] = c.variable;
        CommandLine commandLine(environment);
        if (c.again) {
            Read(commandLine, c.reader);
            environment.arguments = "top:30 font:16 ScaleOverride:300";
        }
        EXPECT_EQ(Read(commandLine, c.reader), c.expected) << "case " << (&c - cases);
    }
}

}  // namespace
}  // namespace tarvik::test
