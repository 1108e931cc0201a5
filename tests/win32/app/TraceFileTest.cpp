#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <regex>
#include <string>

#include "core/app/Trace.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

class FixedClock final : public IClock {
  public:
    LocalTime Now() const override { return {2026, 5, 4, 9, 15, 2, 1}; }
};

constexpr char kStamp[] = "#2026-05-04 09:15:02#,";

TEST(TraceFile, TheRealClockWritesTheLocalDate) {
    TempFolder folder;
    SystemClock clock;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    Trace(folder.Path() / "errors.log", clock).LogError(-5, "WorkArea", "Get", "failed");
    const std::string content = ReadFile(folder.Path() / "errors.log");
    std::smatch year;
    ASSERT_TRUE(std::regex_match(content, year,
                                 std::regex("#(\\d{4})-\\d\\d-\\d\\d( \\d\\d:\\d\\d:\\d\\d)?#,-5,"
                                            "\"WorkArea\",\"Get\",\"failed\"\r\n")))
        << content;
    EXPECT_EQ(std::stoi(year[1].str()), now.wYear);
}

TEST(TraceFile, ANonAsciiFolderGetsItsLogAndAnotherProgramMayHoldOrDeleteIt) {
    TempFolder folder;
    const std::filesystem::path log = folder.Path() / L"T\u00e4rvik \u2713" / L"errors.log";
    std::filesystem::create_directory(log.parent_path());
    FixedClock clock;
    Trace trace(log, clock);
    trace.Log("caf\xc3\xa9");
    EXPECT_EQ(ReadFile(log), std::string(kStamp) + "\"caf\xc3\xa9\"\r\n");

    // Held without sharing, records are lost and calls return; the log is closed in between,
    // so another program may then read and delete it.
    HANDLE held = CreateFileW(log.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    trace.Log("lost");
    trace.LogErrorOnce(32, "Bar", "Tick", "lost once");
    CloseHandle(held);
    trace.LogErrorOnce(32, "Bar", "Tick", "lost once");  // already remembered
    ASSERT_TRUE(DeleteFileW(log.c_str()));
    trace.Log("after");
    EXPECT_EQ(ReadFile(log), std::string(kStamp) + "\"after\"\r\n");

    // Paths that cannot be written return normally.
    for (const std::filesystem::path& path :
         {log.parent_path(), std::filesystem::path(L"Q:\\no such drive \u2713\\errors.log")}) {
        Trace(path, clock).LogError(5, "WorkArea", "Set", "lost");
    }
    EXPECT_TRUE(std::filesystem::is_directory(log.parent_path()));
}

}  // namespace
}  // namespace tarvik::test
