#include "core/app/Trace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "core/support/Fakes.h"

namespace tarvik::test {
namespace {

// What a sequence of calls leaves in the log file: timestamps, records, the once rule and an
// unwritable log.
TEST(Trace, RecordsAreAppendedWithTheirTimestampsAndOnceRecordsAreNotRepeated) {
    using Act = std::function<void(Trace&, FakeClock&, const std::filesystem::path&)>;
    const auto at = [](LocalTime time) {
        return [time](Trace& t, FakeClock& clock, const std::filesystem::path&) {
            clock.now = time;
            t.Log("x");
        };
    };
    struct Record {
        int32_t code;
        const char* source;
        const char* message;
    };
    const auto once = [](std::vector<Record> records) {
        return [records](Trace& t, FakeClock&, const std::filesystem::path&) {
            for (const Record& r : records) t.LogErrorOnce(r.code, r.source, "", r.message);
        };
    };
    struct Case {
        const char* name;
        Act act;
        std::string log;
    };
    const Case cases[] = {
        {"full", at({2026, 12, 31, 23, 59, 59, 4}), "#2026-12-31 23:59:59#,\"x\"\r\n"},
        {"midnight", at({2026, 1, 1, 0, 0, 0, 4}), "#2026-01-01#,\"x\"\r\n"},
        {"a second", at({2026, 1, 1, 0, 0, 1, 4}), "#2026-01-01 00:00:01#,\"x\"\r\n"},
        {"a minute", at({2026, 1, 1, 0, 1, 0, 4}), "#2026-01-01 00:01:00#,\"x\"\r\n"},
        {"noon", at({987, 2, 3, 12, 0, 0, 0}), "#0987-02-03 12:00:00#,\"x\"\r\n"},
        {"unchanged fields, appended",
         [](Trace& t, FakeClock& clock, const std::filesystem::path& path) {
             t.Log("a, \"quoted\" value");
             Trace again(path, clock);
             again.LogError(INT32_MIN, "Menu\"Strip", "Read,Menu", "caf\xc3\xa9");
         },
         "#2026-05-04 09:15:02#,\"a, \"quoted\" value\"\r\n"
         "#2026-05-04 09:15:02#,-2147483648,\"Menu\"Strip\",\"Read,Menu\",\"caf\xc3\xa9\"\r\n"},
        {"a removed log starts again",
         [](Trace& t, FakeClock&, const std::filesystem::path& path) {
             t.Log("gone");
             std::filesystem::remove(path);
             t.Log("again");
         },
         "#2026-05-04 09:15:02#,\"again\"\r\n"},
        {"once: only a repeat of the last once record is dropped",
         once({{1, "a", "x"},
               {1, "a", "x"},
               {2, "a", "x"},
               {1, "a", "x"},
               {-1, "a", "x"},
               {1, "ab", "x"},
               {1, "a", "bx"},
               {12, "a", "x"},
               {1, "2a", "x"}}),
         "8 records"},
        {"LogError between does not count",
         [](Trace& t, FakeClock&, const std::filesystem::path&) {
             t.LogErrorOnce(1, "a", "", "x");
             t.LogError(1, "a", "", "x");
             t.LogErrorOnce(1, "a", "", "x");
         },
         "2 records"},
        {"a lost record still counts as the last once record",
         [](Trace& t, FakeClock&, const std::filesystem::path& path) {
             std::filesystem::create_directory(path);
             t.LogErrorOnce(7, "Feed", "Parse", "bad");
             t.Log("lost");
             Trace(path / "missing" / "errors.log", FakeClock()).Log("lost");
             Trace({}, FakeClock()).Log("lost");
             std::filesystem::remove(path);  // fails when the missing folder was made
             t.LogErrorOnce(7, "Feed", "Parse", "bad");
         },
         ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        FakeClock clock;
        const std::filesystem::path path = folder.Path() / "errors.log";
        Trace trace(path, clock);
        c.act(trace, clock, path);
        std::string log = ReadFile(path);
        if (c.log.ends_with("records"))
            log = std::to_string(std::count(log.begin(), log.end(), '\n')) + " records";
        EXPECT_EQ(log, c.log) << c.name;
    }
}

}  // namespace
}  // namespace tarvik::test
