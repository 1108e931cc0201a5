// Another program's notification icons: collected in front of a stand-in for the shell's
// taskbar, shared with a second copy that takes over when the first is killed, and handed back to
// the shell at the end. (Pictures and clicks are tested in-process: Wine keeps icon handles to
// their own process.)
#include <windows.h>

#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "core/support/TrayFakes.h"
#include "core/widgets/TrayPayload.h"
#include "win32/widgets/TrayOwners.h"

namespace tarvik::test {
namespace {

// The tray fixture in the given mode, run from a copy of the given name with a log; killed at the
// end.
struct Fixture {
    Fixture(const wchar_t* mode, const std::filesystem::path& exe,
            const std::filesystem::path& log) {
        std::filesystem::copy_file(TestProgramFolder() / L"TrayFixture.exe", exe,
                                   std::filesystem::copy_options::overwrite_existing);
        std::wstring line = L"\"" + exe.wstring() + L"\" " + mode + L" \"" + log.wstring() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &m_run));
        CloseHandle(m_run.hThread);
    }
    ~Fixture() {
        TerminateProcess(m_run.hProcess, 1), WaitForSingleObject(m_run.hProcess, 5000);
        CloseHandle(m_run.hProcess);
    }
    PROCESS_INFORMATION m_run{};
};

HWND Decoy() {
    return FindWindowW(L"Shell_TrayWnd", nullptr);
}
DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return window ? process : 0;
}
// The icon messages of the tray kind that this process's stand-in sinks heard.
int g_relayed = 0;
LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) g_relayed += reinterpret_cast<COPYDATASTRUCT*>(lParam)->dwData == 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

// The reply of the window to the copy-data (of the tray kind, 1, unless another is given), 0 when
// it gave none.
LRESULT SendCopy(HWND to, std::vector<uint8_t> bytes, ULONG_PTR kind = 1) {
    COPYDATASTRUCT data{kind, static_cast<DWORD>(bytes.size()), bytes.data()};
    DWORD_PTR reply = 0;
    SendMessageTimeoutW(to, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 3000,
                        &reply);
    return static_cast<LRESULT>(reply);
}

// Hostile senders: only another copy's sink subscribes, eight at most, and hears only the icon
// messages that were taken (not a planted WM_SYSCOMMAND callback).
void Harden() {
    const HWND decoy = Decoy();
    const UINT share = RegisterWindowMessageW(L"Hollisk.TrayShare");
    WNDCLASSW sinkClass{};
    sinkClass.lpfnWndProc = SinkProc;
    sinkClass.hInstance = GetModuleHandleW(nullptr);
    sinkClass.lpszClassName = L"Hollisk_TraySink";
    RegisterClassW(&sinkClass);
    const TestWindow stranger(0, 0, 1, 1, WS_POPUP);
    std::vector<HWND> joining{stranger.Handle()};
    for (int i = 0; i < 9; ++i)
        joining.push_back(CreateWindowExW(0, sinkClass.lpszClassName, nullptr, WS_POPUP, 0, 0, 0, 0,
                                          nullptr, nullptr, nullptr, nullptr));
    std::string replies;
    for (DWORD_PTR reply = 0; const HWND window : joining) {
        SendMessageTimeoutW(FindWindowW(L"Hollisk_TrayShare", nullptr), share, WPARAM(window), 1,
                            SMTO_ABORTIFHUNG, 3000, &reply);
        replies += std::to_string(reply);
    }
    EXPECT_EQ(replies, "0111111110");
    g_relayed = 0;
    const uint32_t owner = TrayHandleOf(stranger.Handle());
    EXPECT_EQ(
        SendCopy(decoy, std::vector<uint8_t>(20)) +
            SendCopy(decoy, TrayBytes(24, NimAdd, owner, 1, NifMessage).Word(16, 0x112).bytes) +
            SendCopy(decoy, TrayBytes(24, NimAdd, owner, 1, NifMessage).Word(16, 0x8001).bytes),
        1);
    EXPECT_EQ(g_relayed, 8);
    for (size_t i = 1; i < joining.size(); ++i) DestroyWindow(joining[i]);
    PumpMessages(1s);  // the host drops the gone sinks on its next tick
}

TEST(Tray, IconsAreCollectedSharedTakenOverAndHandedBack) {
    TempFolder folder;
    const auto shellLog = folder.Path() / L"shell.log", ownerLog = folder.Path() / L"owner.log";
    const Fixture shell(L"shell", folder.Path() / L"explorer.exe", shellLog);
    ASSERT_TRUE(PumpUntil([&] { return ProcessOf(Decoy()) == shell.m_run.dwProcessId; }, 10s));
    const Fixture owner(L"owner", folder.Path() / L"TrayFixture.exe", ownerLog);
    ASSERT_TRUE(PumpUntil([&] { return LinesWith(shellLog, "1 ") == 1; }, 20s))
        << ReadFile(shellLog);

    // The first copy hosts: its decoy stands in front of the shell's taskbar.
    TarvikCopy first;
    ASSERT_TRUE(first.Start(L"", {}) && first.WaitForWindow(L"Tarvik_Bar"));
    const auto decoyOf = [](TarvikCopy& copy) { return ProcessOf(Decoy()) == copy.ProcessId(); };
    ASSERT_TRUE(PumpUntil([&] { return decoyOf(first); }, 5s));
    // Other copy-data goes on to the shell; the share window takes none.
    EXPECT_EQ(SendCopy(Decoy(), {}, 3), 0x5EED);
    EXPECT_EQ(SendCopy(FindWindowW(L"Hollisk_TrayShare", nullptr), {}, 3), 0);
    EXPECT_EQ(LinesWith(shellLog, "3 "), 1);
    Harden();

    // A second copy subscribes; killed, the first hands over to it, and the owner's icons,
    // registered again, reach the new host.
    TarvikCopy second;
    ASSERT_TRUE(second.Start(L"", {{L"TARVIK_BAR_TOP", L"100"}}) &&
                second.WaitForWindow(L"Tarvik_Bar"));
    EXPECT_TRUE(PumpUntil(
        [&] { return ReadFile(second.LogFile()).find("subscribed") != std::string::npos; }, 5s));
    const int added = LinesWith(ownerLog, "0 0");
    first.Kill();
    EXPECT_TRUE(PumpUntil([&] { return decoyOf(second); }, 5s)) << ReadFile(second.LogFile());
    EXPECT_TRUE(PumpUntil([&] { return LinesWith(ownerLog, "0 0") == added + 2; }, 3s));

    // Stopped, the host hands the icons back: the owners are told to register with the shell.
    const int handedBack = LinesWith(ownerLog, "0 0");
    PostMessageW(second.WaitForWindow(L"Tarvik_Bar"), WM_CLOSE, 0, 0);
    EXPECT_TRUE(second.WaitForExit(10s));
    EXPECT_TRUE(PumpUntil([&] { return LinesWith(ownerLog, "0 0") > handedBack; }, 3s));
}

}  // namespace
}  // namespace tarvik::test
