// Tarvik.exe started under Wine as a user would start it: its start-up lines, its overrides
// and its refusal of Windows older than 10.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "TarvikProcess.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> WithPrefix(const std::vector<std::string>& lines, const std::string& p) {
    std::vector<std::string> found;
    for (const auto& line : lines) {
        if (line.rfind(p, 0) == 0) found.push_back(line);
    }
    return found;
}

// Starts a copy of the program, closes it once its bar is up and returns its log messages.
std::vector<std::string> RunToEnd(const std::wstring& arguments,
                                  const std::map<std::wstring, std::wstring>& variables) {
    TarvikInstall install;
    TarvikProcess tarvik(install, arguments, variables);
    EXPECT_TRUE(tarvik.Started());
    EXPECT_EQ(tarvik.RunUntilBarThenClose(30s), std::optional<DWORD>(0));
    return install.LogMessages();
}

TEST(Startup, WritesTheStartLineWithTheRevisionInTimestampedRecords) {
    TarvikInstall install;
    TarvikProcess tarvik(install, L"");
    ASSERT_TRUE(tarvik.Started());
    ASSERT_EQ(tarvik.RunUntilBarThenClose(30s), std::optional<DWORD>(0));

    const auto lines = install.LogLines();
    const std::regex record(R"(#\d{4}-\d{2}-\d{2}( \d{2}:\d{2}:\d{2})?#,"Starting Tarvik rev\d+")");
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [&](const std::string& line) { return std::regex_match(line, record); }),
        1)
        << ::testing::PrintToString(lines);
    // Without overrides there is neither a bar-offset nor a scale line.
    EXPECT_TRUE(WithPrefix(install.LogMessages(), "bar top offset").empty());
    EXPECT_TRUE(WithPrefix(install.LogMessages(), "drawing at").empty());
}

TEST(Startup, BarTopOffsetComesFromTheSwitchBeforeTheVariable) {
    struct Case {
        std::wstring arguments;
        std::map<std::wstring, std::wstring> variables;
        std::vector<std::string> expected;  // the bar-offset lines
    };
    const Case cases[] = {
        {L"", {{L"TARVIK_BAR_TOP", L"30"}}, {"bar top offset 30px (comparison mode)"}},
        {L"top:40", {{L"TARVIK_BAR_TOP", L"60"}}, {"bar top offset 40px (comparison mode)"}},
        // The switch's value is not trimmed, and the variable is not consulted behind it.
        {L"top: 40", {{L"TARVIK_BAR_TOP", L"60"}}, {}},
        {L"", {{L"TARVIK_BAR_TOP", L"2001"}}, {}},
        {L"", {{L"TARVIK_BAR_TOP", L" 2000 "}}, {"bar top offset 2000px (comparison mode)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.arguments.begin(), c.arguments.end()));
        const auto messages = RunToEnd(c.arguments, c.variables);
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(WithPrefix(messages, "Starting Tarvik rev").size(), 1u);
        EXPECT_EQ(WithPrefix(messages, "bar top offset"), c.expected);
    }
}

TEST(Startup, ScaleLineSaysWhyTheDrawingScaleDiffersFromTheDisplay) {
    // The private display reports 96 DPI, that is 100%.
    EXPECT_EQ(WithPrefix(RunToEnd(L"", {{L"TARVIK_SCALE", L"150"}}), "drawing at"),
              std::vector<std::string>{"drawing at 150% by switch, display reports 100%"});
    EXPECT_EQ(WithPrefix(RunToEnd(L"ScaleOverride:125", {}), "drawing at"),
              std::vector<std::string>{"drawing at 125% by switch, display reports 100%"});
    // Out of range, or following a display at 100%: nothing to say.
    EXPECT_TRUE(WithPrefix(RunToEnd(L"", {{L"TARVIK_SCALE", L"99"}}), "drawing at").empty());
    EXPECT_TRUE(WithPrefix(RunToEnd(L"", {{L"TARVIK_SCALE", L"auto"}}), "drawing at").empty());
}

TEST(Startup, TheThemeLoadsBeforeTheStartLinesWhichFollowInOrder) {
    const auto messages = RunToEnd(L"", {{L"TARVIK_BAR_TOP", L"30"}, {L"TARVIK_SCALE", L"200"}});
    // The shipped theme names Windows' own font first; the test machine only has its last one.
    // Whatever the bar logs afterwards (Wine's shell takes no activation hook) comes later.
    ASSERT_GE(messages.size(), 4u) << ::testing::PrintToString(messages);
    EXPECT_EQ(messages[0],
              "Theme: font face 'Segoe UI' is not installed, falling back to 'DejaVu Sans'");
    EXPECT_EQ(messages[1].rfind("Starting Tarvik rev", 0), 0u);
    EXPECT_EQ(messages[2], "bar top offset 30px (comparison mode)");
    EXPECT_EQ(messages[3], "drawing at 200% by switch, display reports 100%");
    for (size_t i = 4; i < messages.size(); ++i) {
        EXPECT_NE(messages[i].find("\"RivovoZoz\""), std::string::npos) << messages[i];
    }
}

TEST(Startup, WithoutItsThemeFileTheProgramStartsOnBuiltInValues) {
    TarvikInstall install;
    std::filesystem::remove(install.Folder() / L"resources" / L"theme.xml");
    TarvikProcess tarvik(install, L"");
    ASSERT_TRUE(tarvik.Started());
    EXPECT_EQ(tarvik.RunUntilBarThenClose(30s), std::optional<DWORD>(0));

    const auto messages = install.LogMessages();
    ASSERT_GE(messages.size(), 2u) << ::testing::PrintToString(messages);
    EXPECT_EQ(messages.front(),
              "0,\"Theme\",\"Initialize\",\"could not read resources\\theme.xml - drawing with "
              "built-in defaults\"");
    EXPECT_EQ(WithPrefix(messages, "Starting Tarvik rev").size(), 1u);
}

}  // namespace
}  // namespace tarvik::test

namespace tarvik::test {
namespace {

TEST(Startup, AnUnwritableLogNeverStopsTheProgram) {
    TarvikInstall install;
    // A folder where the log file should be: every record fails to open.
    std::filesystem::create_directory(install.LogFile());
    TarvikProcess tarvik(install, L"top:30", {{L"TARVIK_SCALE", L"150"}});
    ASSERT_TRUE(tarvik.Started());
    EXPECT_EQ(tarvik.RunUntilBarThenClose(30s), std::optional<DWORD>(0));
    EXPECT_TRUE(std::filesystem::is_directory(install.LogFile()));
}

TEST(Startup, OddOverrideTextIsReadSafely) {
    struct Case {
        std::wstring arguments, barTop, scale;
        std::vector<std::string> offsetLines, scaleLines;
    };
    const std::wstring longDigits(5000, L'7');
    const Case cases[] = {
        {L"", L"", L"", {}, {}},
        {L"top:" + longDigits, L"-30", L"-150", {}, {}},
        {L"top:-5 ScaleOverride:\u00e9\u00e8", L"\u6570\u5b57", L"\U0001F600", {}, {}},
        // Ten digits are too many, and the variable is not read behind the switch.
        {L"top:0000000042", L"30", L"auto\u00e9", {}, {}},
        {L"top:000000042", L"", L"", {"bar top offset 42px (comparison mode)"}, {}},
        // "top" without its colon is no switch; the variable's leading digits count.
        {L"\u00c4\u00d6\u00dc top",
         L" 30 px",
         L"150%",
         {"bar top offset 30px (comparison mode)"},
         {"drawing at 150% by switch, display reports 100%"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments.size() << " argument characters");
        const auto messages =
            RunToEnd(c.arguments, {{L"TARVIK_BAR_TOP", c.barTop}, {L"TARVIK_SCALE", c.scale}});
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(WithPrefix(messages, "Starting Tarvik rev").size(), 1u);
        EXPECT_EQ(WithPrefix(messages, "bar top offset"), c.offsetLines);
        EXPECT_EQ(WithPrefix(messages, "drawing at"), c.scaleLines);
    }
}

}  // namespace
}  // namespace tarvik::test
