#include "core/app/Trace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/support/Fakes.h"

namespace tarvik {
namespace {

using test::FakeClock;
using test::ReadFile;
using test::TempFolder;

TEST(TraceTimestamp, DateAndTimeWithOnlyExactMidnightDroppingTheTime) {
    struct Case {
        LocalTime time;
        const char* expected;
    };
    const Case cases[] = {
        {{2026, 5, 4, 9, 15, 2, 1}, "#2026-05-04 09:15:02#"},
        {{2026, 12, 31, 23, 59, 59, 4}, "#2026-12-31 23:59:59#"},
        {{2026, 1, 1, 0, 0, 0, 4}, "#2026-01-01#"},
        {{2026, 1, 1, 0, 0, 1, 4}, "#2026-01-01 00:00:01#"},
        {{2026, 1, 1, 0, 1, 0, 4}, "#2026-01-01 00:01:00#"},
        {{2026, 1, 1, 12, 0, 0, 4}, "#2026-01-01 12:00:00#"},
        {{987, 2, 3, 4, 5, 6, 0}, "#0987-02-03 04:05:06#"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Trace::FormatTimestamp(c.time), c.expected) << c.expected;
    }
}

class TraceFile : public ::testing::Test {
  protected:
    std::filesystem::path LogPath() const { return m_folder.Path() / "errors.log"; }
    std::string Content() const { return ReadFile(LogPath()); }

    TempFolder m_folder;
    FakeClock m_clock;
    Trace m_trace{LogPath(), m_clock};
};

TEST_F(TraceFile, FirstRecordCreatesTheFileAndEveryLineEndsInCrLf) {
    ASSERT_FALSE(std::filesystem::exists(LogPath()));
    m_trace.Log("Starting Tarvik rev244");
    ASSERT_TRUE(std::filesystem::exists(LogPath()));
    m_clock.now = {2026, 5, 5, 0, 0, 0, 2};
    m_trace.LogError(5, "WorkArea", "SetWorkspace", "failed to set the user workspace");
    EXPECT_EQ(
        Content(),
        "#2026-05-04 09:15:02#,\"Starting Tarvik rev244\"\r\n"
        "#2026-05-05#,5,\"WorkArea\",\"SetWorkspace\",\"failed to set the user workspace\"\r\n");
}

TEST_F(TraceFile, AppendsToAnExistingLog) {
    m_trace.Log("first");
    Trace again(LogPath(), m_clock);
    again.Log("second");
    EXPECT_EQ(Content(), "#2026-05-04 09:15:02#,\"first\"\r\n#2026-05-04 09:15:02#,\"second\"\r\n");
}

TEST_F(TraceFile, TextAndNumbersAreWrittenUnchanged) {
    m_trace.Log("a, \"quoted\" value");
    m_trace.LogError(-2147024891, "Menu\"Strip", "Read,Menu", "");
    m_trace.LogError(INT32_MIN, "", "", "caf\xc3\xa9 \xe2\x9c\x93");
    m_trace.Log("");
    EXPECT_EQ(Content(),
              "#2026-05-04 09:15:02#,\"a, \"quoted\" value\"\r\n"
              "#2026-05-04 09:15:02#,-2147024891,\"Menu\"Strip\",\"Read,Menu\",\"\"\r\n"
              "#2026-05-04 09:15:02#,-2147483648,\"\",\"\",\"caf\xc3\xa9 \xe2\x9c\x93\"\r\n"
              "#2026-05-04 09:15:02#,\"\"\r\n");
}

// One step of a LogError / LogErrorOnce sequence.
struct Call {
    bool once;
    int32_t code;
    const char* message;
};

std::string Line(int32_t code, const char* message) {
    return "#2026-05-04 09:15:02#," + std::to_string(code) + ",\"Bar\",\"Tick\",\"" + message +
           "\"\r\n";
}

TEST_F(TraceFile, LogErrorOnceSuppressesOnlyARepeatOfTheLastOnceRecord) {
    struct Case {
        const char* name;
        std::vector<Call> calls;
        std::vector<std::pair<int32_t, const char*>> lines;
    };
    const Case cases[] = {
        {"identical pair", {{true, 1, "x"}, {true, 1, "x"}}, {{1, "x"}}},
        {"pair with another in between",
         {{true, 1, "x"}, {true, 2, "y"}, {true, 1, "x"}},
         {{1, "x"}, {2, "y"}, {1, "x"}}},
        {"LogError between does not count",
         {{true, 1, "x"}, {false, 2, "y"}, {true, 1, "x"}},
         {{1, "x"}, {2, "y"}}},
        {"LogError of the same record is always written",
         {{true, 1, "x"}, {false, 1, "x"}, {false, 1, "x"}, {true, 1, "x"}},
         {{1, "x"}, {1, "x"}, {1, "x"}}},
        {"codes differ", {{true, 1, "x"}, {true, -1, "x"}}, {{1, "x"}, {-1, "x"}}},
        {"messages differ", {{true, 1, "x"}, {true, 1, "x "}}, {{1, "x"}, {1, "x "}}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::filesystem::path path = folder.Path() / "errors.log";
        Trace trace(path, m_clock);
        for (const Call& call : c.calls) {
            if (call.once) {
                trace.LogErrorOnce(call.code, "Bar", "Tick", call.message);
            } else {
                trace.LogError(call.code, "Bar", "Tick", call.message);
            }
        }
        std::string expected;
        for (const auto& [code, message] : c.lines) expected += Line(code, message);
        EXPECT_EQ(ReadFile(path), expected) << c.name;
    }
}

TEST_F(TraceFile, KeyFieldsCannotRunIntoEachOther) {
    // Different records whose fields joined without separators would look the same.
    m_trace.LogErrorOnce(1, "ab", "c", "d");
    m_trace.LogErrorOnce(1, "a", "bc", "d");
    m_trace.LogErrorOnce(1, "a", "b", "cd");
    m_trace.LogErrorOnce(12, "a", "b", "cd");
    m_trace.LogErrorOnce(1, "2a", "b", "cd");
    EXPECT_EQ(Content(),
              "#2026-05-04 09:15:02#,1,\"ab\",\"c\",\"d\"\r\n"
              "#2026-05-04 09:15:02#,1,\"a\",\"bc\",\"d\"\r\n"
              "#2026-05-04 09:15:02#,1,\"a\",\"b\",\"cd\"\r\n"
              "#2026-05-04 09:15:02#,12,\"a\",\"b\",\"cd\"\r\n"
              "#2026-05-04 09:15:02#,1,\"2a\",\"b\",\"cd\"\r\n");
}

TEST(TraceUnwritable, EveryCallReturnsNormallyAndTheOnceKeyIsStillRemembered) {
    TempFolder folder;
    FakeClock clock;
    const std::filesystem::path directory = folder.Path() / "errors.log";
    std::filesystem::create_directory(directory);
    const std::filesystem::path missingFolder = folder.Path() / "missing" / "errors.log";
    for (const std::filesystem::path& path : {directory, missingFolder, std::filesystem::path()}) {
        Trace trace(path, clock);
        trace.Log("lost");
        trace.LogError(5, "WorkArea", "SetWorkspace", "lost");
        trace.LogErrorOnce(5, "WorkArea", "SetWorkspace", "lost");
        trace.LogErrorOnce(5, "WorkArea", "SetWorkspace", "lost");
        EXPECT_EQ(trace.File(), path);
    }
    EXPECT_TRUE(std::filesystem::is_directory(directory));
    EXPECT_FALSE(std::filesystem::exists(missingFolder.parent_path()));

    // A record lost to an unwritable log still counts as the last LogErrorOnce record.
    const std::filesystem::path later = folder.Path() / "later.log";
    std::filesystem::create_directory(later);
    Trace trace(later, clock);
    trace.LogErrorOnce(7, "Feed", "Parse", "bad");
    std::filesystem::remove(later);
    trace.LogErrorOnce(7, "Feed", "Parse", "bad");
    trace.Log("written");
    EXPECT_EQ(ReadFile(later), "#2026-05-04 09:15:02#,\"written\"\r\n");
}

TEST_F(TraceFile, FileDeletedBetweenRecordsIsCreatedAgain) {
    m_trace.Log("one");
    std::filesystem::remove(LogPath());
    m_trace.Log("two");
    EXPECT_EQ(Content(), "#2026-05-04 09:15:02#,\"two\"\r\n");
}

}  // namespace
}  // namespace tarvik
