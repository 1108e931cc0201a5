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

// The log in a folder the ANSI code page cannot name, stamped by the real clock, and closed
// between records so that another program may hold it (records are then lost) or delete it.
TEST(TraceFile, TheLogOfANonAsciiFolderHasTheLocalDateAndIsNotKeptOpen) {
    TempFolder folder;
    const std::filesystem::path log =
        folder.Path() / L"\u0422\u0430\u0440\u0432\u0438\u043a" / L"errors.log";
    std::filesystem::create_directory(log.parent_path());
    SystemClock clock;
    Trace trace(log, clock);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    trace.Log("caf\xc3\xa9");
    std::smatch date;
    const std::string first = ReadFile(log);
    ASSERT_TRUE(std::regex_match(
        first, date,
        std::regex("#(\\d{4})-(\\d\\d)-(\\d\\d)( \\d\\d:\\d\\d:\\d\\d)?#,\"caf\xc3\xa9\"\r\n")))
        << first;
    EXPECT_EQ(std::stoi(date[1]) * 10000 + std::stoi(date[2]) * 100 + std::stoi(date[3]),
              now.wYear * 10000 + now.wMonth * 100 + now.wDay);

    const HANDLE held = CreateFileW(log.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    trace.Log("lost");
    CloseHandle(held);
    EXPECT_EQ(ReadFile(log), first);
    ASSERT_TRUE(DeleteFileW(log.c_str()));
    trace.Log("after");
    EXPECT_TRUE(ReadFile(log).ends_with(",\"after\"\r\n")) << ReadFile(log);
}

}  // namespace
}  // namespace tarvik::test
