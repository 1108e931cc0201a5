#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <regex>
#include <string>

#include "core/app/Trace.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik {
namespace {

using test::ReadFile;
using test::TempFolder;

class FixedClock final : public IClock {
  public:
    LocalTime Now() const override { return {2026, 5, 4, 9, 15, 2, 1}; }
};

constexpr char kStamp[] = "#2026-05-04 09:15:02#,";

class TraceFile : public ::testing::Test {
  protected:
    std::filesystem::path LogPath() const { return m_folder.Path() / L"errors.log"; }

    TempFolder m_folder;
    FixedClock m_clock;
    Trace m_trace{LogPath(), m_clock};
};

TEST_F(TraceFile, RealClockWritesALocalTimestamp) {
    SYSTEMTIME before{};
    GetLocalTime(&before);
    SystemClock clock;
    Trace trace(LogPath(), clock);
    trace.LogError(-5, "WorkArea", "GetWorkspace", "failed to get the user workspace");
    const std::string content = ReadFile(LogPath());
    std::smatch match;
    ASSERT_TRUE(
        std::regex_match(content, match,
                         std::regex("#(\\d{4})-\\d\\d-\\d\\d( \\d\\d:\\d\\d:\\d\\d)?#,-5,"
                                    "\"WorkArea\",\"GetWorkspace\",\"failed to get the user "
                                    "workspace\"\r\n")))
        << content;
    EXPECT_EQ(std::stoi(match[1].str()), before.wYear);
}

TEST_F(TraceFile, FolderWithANonAsciiNameGetsItsLog) {
    const std::filesystem::path folder = m_folder.Path() / L"T\u00e4rvik \u2713";
    std::filesystem::create_directory(folder);
    Trace trace(folder / L"errors.log", m_clock);
    trace.Log("caf\xc3\xa9");
    const std::filesystem::path log = folder / L"errors.log";
    ASSERT_TRUE(std::filesystem::exists(log));
    EXPECT_EQ(ReadFile(log), std::string(kStamp) + "\"caf\xc3\xa9\"\r\n");
    // Nothing went astray under a mangled name beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(TraceFile, LogHeldOpenWithoutSharingLosesRecordsAndCallsReturn) {
    m_trace.Log("before");
    HANDLE held = CreateFileW(LogPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    m_trace.Log("lost");
    m_trace.LogError(32, "Bar", "Tick", "lost");
    m_trace.LogErrorOnce(32, "Bar", "Tick", "lost once");
    CloseHandle(held);

    m_trace.LogErrorOnce(32, "Bar", "Tick", "lost once");  // already remembered
    m_trace.Log("after");
    EXPECT_EQ(ReadFile(LogPath()),
              std::string(kStamp) + "\"before\"\r\n" + kStamp + "\"after\"\r\n");
}

TEST_F(TraceFile, AnotherProgramMayReadAndDeleteTheLogBetweenRecords) {
    m_trace.Log("one");
    // Exclusive access only succeeds when the log is closed between records.
    HANDLE other = CreateFileW(LogPath().c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    char buffer[256] = {};
    DWORD read = 0;
    EXPECT_TRUE(::ReadFile(other, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), std::string(kStamp) + "\"one\"\r\n");
    CloseHandle(other);
    ASSERT_TRUE(DeleteFileW(LogPath().c_str()));

    m_trace.Log("two");
    EXPECT_EQ(ReadFile(LogPath()), std::string(kStamp) + "\"two\"\r\n");
}

TEST_F(TraceFile, UnwritableLogPathsReturnNormally) {
    std::filesystem::create_directory(LogPath());
    for (const std::filesystem::path& path :
         {LogPath(), m_folder.Path() / L"missing" / L"errors.log", std::filesystem::path(),
          std::filesystem::path(L"Q:\\no such drive \u2713\\errors.log")}) {
        Trace trace(path, m_clock);
        trace.Log("lost");
        trace.LogError(5, "WorkArea", "SetWorkspace", "lost");
        trace.LogErrorOnce(5, "WorkArea", "SetWorkspace", "lost");
    }
    EXPECT_TRUE(std::filesystem::is_directory(LogPath()));
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / L"missing"));
}

}  // namespace
}  // namespace tarvik
