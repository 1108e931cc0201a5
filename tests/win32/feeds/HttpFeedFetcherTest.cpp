// The fetcher against a local server that takes the connection and never answers: pressing
// Refresh again and again leaves one worker, whatever the hanging loads do.
#include <winsock2.h>
// After winsock2.h.
#include <tlhelp32.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win32/feeds/HttpFeedFetcher.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

int ThreadsOfThisProcess() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

TEST(HttpFeedFetcher, RefreshingTenTimesLeavesOneWorker) {
    WSADATA winsock{};
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &winsock), 0);
    const SOCKET silent = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{AF_INET, 0, {}, {}};
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), size), 0);
    ASSERT_EQ(listen(silent, 16), 0);
    getsockname(silent, reinterpret_cast<sockaddr*>(&address), &size);
    const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
    TestLog log;
    HttpFeedFetcher fetcher(log.trace);
    int answers = 0, working = 0;
    for (int press = 0; press <= 10; ++press) {
        fetcher.Start(url, [&](const FeedAnswer&) { ++answers; });
        PumpMessages(press ? 100ms : 300ms);
        if (!press) working = ThreadsOfThisProcess();
    }
    EXPECT_LE(ThreadsOfThisProcess(), working);
    EXPECT_EQ(answers, 0);
    fetcher.Cancel();
    closesocket(silent);
    WSACleanup();
}

}  // namespace
}  // namespace tarvik::test
