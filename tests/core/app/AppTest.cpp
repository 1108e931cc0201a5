#include <gtest/gtest.h>

#include "core/app/CommandLine.h"
#include "core/app/Trace.h"
#include "core/support/TestTrace.h"

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

struct TraceTest : ::testing::Test, TestTrace {
    const std::filesystem::path path = folder.Path() / "errors.log";
};

// Fields are written unchanged and appended, the time is left out only at midnight, and a
// removed log starts again.
TEST_F(TraceTest, RecordsAreAppendedUnchangedAndARemovedLogStartsAgain) {
    trace.Log("a, \"quoted\" value");
    Trace(path, clock).LogError(INT32_MIN, "Menu\"Strip", "Read,Menu", "caf\xc3\xa9");
    for (const LocalTime& time : {LocalTime{2026, 1, 1, 0, 0, 0, 4}, {2026, 12, 31, 0, 0, 1, 4}}) {
        clock.now = time;
        trace.Log("x");
    }
    EXPECT_EQ(ReadFile(path),
              "#2026-05-04 09:15:02#,\"a, \"quoted\" value\"\r\n"
              "#2026-05-04 09:15:02#,-2147483648,\"Menu\"Strip\",\"Read,Menu\",\"caf\xc3\xa9\"\r\n"
              "#2026-01-01#,\"x\"\r\n#2026-12-31 00:00:01#,\"x\"\r\n");
    std::filesystem::remove(path);
    trace.Log("again");
    EXPECT_EQ(ReadFile(path), "#2026-12-31 00:00:01#,\"again\"\r\n");
}

// Each record is written once, whatever came between, even when it was lost; a LogError does
// not count.
TEST_F(TraceTest, EachOnceRecordIsWrittenOnce) {
    const std::tuple<int32_t, const char*, const char*, const char*> records[] = {
        {1, "a", "p", "x"},  {1, "a", "p", "y"},  {2, "a", "p", "x"}, {1, "a", "p", "x"},
        {-1, "a", "p", "x"}, {1, "ab", "p", "x"}, {1, "a", "", "x"},  {1, "a", "ap", "x"},
        {12, "a", "p", "x"}, {1, "2a", "p", "x"},
    };
    trace.LogError(1, "a", "b", "x");
    for (const auto& [code, source, procedure, message] : records)
        trace.LogErrorOnce(code, source, procedure, message);
    trace.LogErrorOnce(1, "a", "b", "x");
    const std::string written = ReadFile(path);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 11);

    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // every record is lost now
    trace.LogErrorOnce(7, "Feed", "Parse", "bad");
    trace.Log("lost");
    Trace(path / "missing" / "errors.log", clock).Log("lost");
    Trace({}, clock).Log("lost");
    std::filesystem::remove(path);  // fails when the missing folder was made
    trace.LogErrorOnce(7, "Feed", "Parse", "bad");
    EXPECT_EQ(ReadFile(path), "");
}

// A log that a record would take past 1 MiB becomes errors.old.log, replacing the older one.
TEST_F(TraceTest, AFullLogMovesToTheOldLogAndTheRecordStartsANewOne) {
    const std::string full(Trace::kMaxBytes - 27, 'a');
    std::ofstream(path, std::ios::binary) << full;
    std::ofstream(folder.Path() / "errors.old.log") << "older";
    int rotations = 0;
    trace.Rotated = [&] { ++rotations; };
    trace.Log("1");  // 27 bytes with its line end: the log is exactly full
    trace.Log("2");
    EXPECT_EQ(ReadFile(path), "#2026-05-04 09:15:02#,\"2\"\r\n");
    EXPECT_EQ(ReadFile(folder.Path() / "errors.old.log"), full + "#2026-05-04 09:15:02#,\"1\"\r\n");
    EXPECT_EQ(rotations, 1);
}

}  // namespace
}  // namespace tarvik::test
