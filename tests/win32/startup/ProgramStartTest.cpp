// The program's start and end in this process, where the work area it reserves can be read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <regex>
#include <thread>

#include "win32/app/Program.h"
#include "win32/platform/RegistrySettings.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// A window class of the bar's name whose windows refuse to be made, as when the system is out
// of window resources: creating the bar fails after the strip was reserved.
LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) return FALSE;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ProgramStart, ABarThatCannotBeMadeGivesTheReservedStripBack) {
    const LONG before = WorkArea().top;
    ASSERT_LT(before, 23);
    WNDCLASSEXW refusing{};
    refusing.cbSize = sizeof refusing;
    refusing.lpfnWndProc = RefuseCreation;
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpszClassName = RivovoZoz::kClassName;
    ASSERT_NE(RegisterClassExW(&refusing), 0);
    Program program;
    EXPECT_FALSE(program.Main());
    EXPECT_EQ(WorkArea().top, before);
    EXPECT_EQ(program.Bar(), nullptr);
}

TEST(ShellRestart, TheStripIsReservedAgainOnceAndTheBarGoesBackAboveTheNewTaskbar) {
    Program program;
    ASSERT_TRUE(program.Main());
    const std::string before = ReadFile(program.GetTrace().File());
    const RECT reserved = WorkArea();
    RECT area = reserved;
    area.top = 0;  // the new shell's own work area, and its taskbar above the bar
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0));
    TestWindow taskbar(0, 1000, 800, 40, WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    ASSERT_EQ(GetTopWindow(nullptr), taskbar.Handle());
    for (int broadcast = 0; broadcast < 2; ++broadcast) {  // anyone may send the second one
        PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        PumpMessages(500ms);
    }
    area = WorkArea();
    EXPECT_TRUE(EqualRect(&area, &reserved)) << area.top;
    const std::string logged = ReadFile(program.GetTrace().File()).substr(before.size());
    const size_t line = logged.find("the shell restarted - the top strip is reserved again");
    EXPECT_TRUE(line != logged.npos && line == logged.rfind("the shell restarted")) << logged;
    HWND top = GetTopWindow(nullptr);  // the tray's hidden stand-in for the taskbar may be above
    while (top && !IsWindowVisible(top)) top = GetWindow(top, GW_HWNDNEXT);
    EXPECT_EQ(top, program.Bar()->Handle());
    program.OnContextCommand(1);
    EXPECT_TRUE(PumpUntil([] { return WorkArea().top == 0; }, 2s))
        << "Exit gives back the strip taken the second time";
}

// Exit, a close from anyone, the session ending and a quit reaching the loop all give the strip
// back and forget its record; the session's end does so before its message returns. The strip
// is taken from the top of the real work area alone.
TEST(ProgramEnd, EveryWayOutGivesTheStripBackAndForgetsItsRecord) {
    RECT original = WorkArea();
    RECT start{original.left, 0, original.right - 7, original.bottom - 5}, now{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &start, 0));
    const auto is = [&](const RECT& expected) {
        return now = WorkArea(), EqualRect(&now, &expected);
    };
    const auto onRecord = [] {
        return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Tarvik\\WorkArea", L"SavedTop",
                            RRF_RT_REG_SZ, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    };
    const auto ownDecoy = [] {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"Shell_TrayWnd", nullptr));) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process == GetCurrentProcessId()) return true;
        }
        return false;
    };
    for (const UINT way : {0u, UINT{WM_CLOSE}, UINT{WM_ENDSESSION}, UINT{WM_QUIT}}) {
        Program program;
        ASSERT_TRUE(program.Main());
        ASSERT_TRUE(is({start.left, 23, start.right, start.bottom}) && onRecord()) << now.top;
        const HWND bar = program.Bar()->Handle();
        if (way == 0) program.OnContextCommand(1);
        if (way == WM_CLOSE) PostMessageW(bar, WM_CLOSE, 0, 0);
        if (way == WM_QUIT) PostQuitMessage(0);
        if (way == WM_ENDSESSION) {
            EXPECT_TRUE(PumpUntil(ownDecoy, 5s)) << "no tray decoy";
            SendMessageW(bar, WM_ENDSESSION, TRUE, 0);
            EXPECT_TRUE(is(start) && !onRecord() && !ownDecoy()) << "not done before returning";
        }
        EXPECT_EQ(program.Run(), 0);
        EXPECT_TRUE(is(start) && !onRecord() && !IsWindow(bar)) << way;
    }
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, 0);
}

// A failure nothing handles, in a child: this program started again with TARVIK_CRASH_CHILD set
// to the failure's first letter and the child's folder. The child takes the strip and fails: a
// C++ exception, a fault on its user-interface thread, or one on a worker thread.
[[maybe_unused]] const bool g_crashChild = [] {
    wchar_t value[MAX_PATH * 2] = {};
    if (!GetEnvironmentVariableW(L"TARVIK_CRASH_CHILD", value, MAX_PATH * 2)) return false;
    static std::filesystem::path folder;
    folder = value + 1;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT reserved = area;
    reserved.top = 23;
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &reserved, 0);
    // The work area is this process's own under Wine: the child writes down what it got back.
    CrashGuard guard(folder / "errors.log", [](const RECT& back) {
        CrashGuard::WriteWorkArea(back);
        RECT now{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &now, 0);
        std::ofstream(folder / "top") << now.top;
    });
    guard.SetWorkArea(area);
    if (value[0] == L't') throw std::runtime_error("broken on purpose");
    const auto fault = [] { *static_cast<volatile int*>(nullptr) = 1; };
    if (value[0] == L'w') std::thread(fault).detach();
    TestWindow window(0, 0, 9, 9);
    window.answer = [&](UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        fault();
        return {};
    };
    if (value[0] == L'f') PostMessageW(window.Handle(), WM_APP, 0, 0);
    PumpMessages(10s);
    ExitProcess(0);
}();

TEST(CrashGuard, AFailureNothingHandledIsLoggedGivesTheStripBackAndEnds) {
    const std::string fault =
        R"(-1073741819,"Program","UnhandledException","exception 0xC0000005 at 0x[0-9A-F]{16})";
    const std::tuple<std::wstring, DWORD, std::string> cases[] = {
        {L"f", EXCEPTION_ACCESS_VIOLATION, fault},
        {L"w", EXCEPTION_ACCESS_VIOLATION, fault},
        {L"t", CrashGuard::kTerminateExitCode,
         R"(0,"Program","Terminate","a C\+\+ exception nothing caught: broken on purpose)"}};
    for (const auto& [failure, exitCode, record] : cases) {
        TempFolder folder;
        SetEnvironmentVariableW(L"TARVIK_CRASH_CHILD", (failure + folder.Path().wstring()).c_str());
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        ASSERT_TRUE(CreateProcessW(
            (TestProgramFolder() / L"tarvik_win32_startup_tests.exe").c_str(), nullptr, nullptr,
            nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
        SetEnvironmentVariableW(L"TARVIK_CRASH_CHILD", nullptr);
        DWORD code = WaitForSingleObject(child.hProcess, 30000);
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
        EXPECT_EQ(code, exitCode);
        EXPECT_TRUE(
            std::regex_match(ReadFile(folder.Path() / "errors.log"),
                             std::regex("#[-0-9: ]+#," + record +
                                        " - the top strip is given back and Tarvik ends\"\r?\n")));
        EXPECT_EQ(ReadFile(folder.Path() / "top"), "0") << "the strip was not given back";
    }
}

}  // namespace
}  // namespace tarvik::test
