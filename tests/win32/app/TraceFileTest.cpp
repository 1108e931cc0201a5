#include <gtest/gtest.h>

#include <cstdio>

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
    const std::string first = ReadFile(log);
    char day[16] = {};
    std::snprintf(day, sizeof day, "#%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    EXPECT_TRUE(first.starts_with(day) && first.ends_with("#,\"caf\xc3\xa9\"\r\n")) << first;

    const HANDLE held = CreateFileW(log.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    trace.Log("lost");
    CloseHandle(held);
    EXPECT_EQ(ReadFile(log), first);
    EXPECT_TRUE(DeleteFileW(log.c_str()));
}

}  // namespace
}  // namespace tarvik::test
