#include "core/app/Trace.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        {{2026, 12, 31, 23, 59, 59, 4}, "#2026-12-31 23:59:59#"},
        {{2026, 1, 1, 0, 0, 0, 4}, "#2026-01-01#"},
        {{2026, 1, 1, 0, 0, 1, 4}, "#2026-01-01 00:00:01#"},
        {{2026, 1, 1, 0, 1, 0, 4}, "#2026-01-01 00:01:00#"},
        {{2026, 1, 1, 12, 0, 0, 4}, "#2026-01-01 12:00:00#"},
        {{987, 2, 3, 4, 5, 6, 0}, "#0987-02-03 04:05:06#"},
    };
    for (const Case& c : cases) EXPECT_EQ(Trace::FormatTimestamp(c.time), c.expected);
}

class TraceFile : public ::testing::Test {
  protected:
    std::filesystem::path LogPath() const { return m_folder.Path() / "errors.log"; }
    std::string Content() const { return ReadFile(LogPath()); }

    TempFolder m_folder;
    FakeClock m_clock;
    Trace m_trace{LogPath(), m_clock};
};

TEST_F(TraceFile, RecordsAreAppendedUnchangedWithCrLf) {
    m_trace.Log("first");
    Trace again(LogPath(), m_clock);  // a second trace appends to the existing log
    m_clock.now = {2026, 5, 5, 0, 0, 0, 2};
    again.Log("a, \"quoted\" value");
    again.LogError(INT32_MIN, "Menu\"Strip", "Read,Menu", "caf\xc3\xa9");
    EXPECT_EQ(Content(),
              "#2026-05-04 09:15:02#,\"first\"\r\n"
              "#2026-05-05#,\"a, \"quoted\" value\"\r\n"
              "#2026-05-05#,-2147483648,\"Menu\"Strip\",\"Read,Menu\",\"caf\xc3\xa9\"\r\n");
    std::filesystem::remove(LogPath());
    m_trace.Log("again");
    EXPECT_EQ(Content(), "#2026-05-05#,\"again\"\r\n");
}

TEST(TraceOnce, LogErrorOnceSuppressesOnlyARepeatOfTheLastOnceRecord) {
    struct Call {
        bool once;
        int32_t code;
        const char* source;
        const char* message;
    };
    struct Case {
        const char* name;
        std::vector<Call> calls;
        size_t written;
    };
    const Case cases[] = {
        {"identical pair", {{true, 1, "a", "x"}, {true, 1, "a", "x"}}, 1},
        {"another in between", {{true, 1, "a", "x"}, {true, 2, "a", "y"}, {true, 1, "a", "x"}}, 3},
        {"LogError between does not count",
         {{true, 1, "a", "x"}, {false, 1, "a", "x"}, {true, 1, "a", "x"}},
         2},
        {"codes differ", {{true, 1, "a", "x"}, {true, -1, "a", "x"}}, 2},
        {"fields cannot run into each other", {{true, 1, "ab", "x"}, {true, 1, "a", "bx"}}, 2},
        {"nor the code into a field", {{true, 12, "a", "x"}, {true, 1, "2a", "x"}}, 2},
    };
    FakeClock clock;
    for (const Case& c : cases) {
        TempFolder folder;
        const std::filesystem::path path = folder.Path() / "errors.log";
        Trace trace(path, clock);
        for (const Call& call : c.calls) {
            if (call.once) {
                trace.LogErrorOnce(call.code, call.source, "", call.message);
            } else {
                trace.LogError(call.code, call.source, "", call.message);
            }
        }
        const std::string log = ReadFile(path);
        EXPECT_EQ(static_cast<size_t>(std::count(log.begin(), log.end(), '\n')), c.written)
            << c.name;
    }
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
    }
    EXPECT_FALSE(std::filesystem::exists(missingFolder.parent_path()));

    // A record lost to an unwritable log still counts as the last LogErrorOnce record.
    Trace trace(directory, clock);
    trace.LogErrorOnce(7, "Feed", "Parse", "bad");
    std::filesystem::remove(directory);
    trace.LogErrorOnce(7, "Feed", "Parse", "bad");
    trace.Log("written");
    EXPECT_EQ(ReadFile(directory), "#2026-05-04 09:15:02#,\"written\"\r\n");
}

}  // namespace
}  // namespace tarvik
