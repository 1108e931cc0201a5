// A failure nothing handles ends the process. It happens in a child: this test program started
// again with TARVIK_CRASH_CHILD set to the failure and the folder for the child's log and notes.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <regex>
#include <stdexcept>

#include "core/bar/WorkArea.h"
#include "win32/app/CrashGuard.h"
#include "win32/bar/WorkAreaWin32.h"
#include "win32/platform/RegistrySettings.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

constexpr const wchar_t* kVariable = L"TARVIK_CRASH_CHILD";
constexpr const wchar_t* kSettingsRoot = L"Software\\Tarvik.Test\\Crash";

// The system's work area, noting its top in tops.txt after every write.
struct NotedWorkArea final : IDesktopWorkArea {
    WorkAreaWin32 real;
    std::filesystem::path notes;
    WorkspaceRect Read() override { return real.Read(); }
    void Write(const WorkspaceRect& rect) override {
        real.Write(rect);
        std::ofstream(notes, std::ios::app) << real.Read().top << ' ';
    }
};

// The child: reserves the strip, then fails on its window thread; the guard must end it.
void Fail(const std::wstring& failure, const std::filesystem::path& folder) {
    SystemClock clock;
    Trace trace(folder / "errors.log", clock);
    NotedWorkArea desktop;
    desktop.notes = folder / "tops.txt";
    RegistrySettings settings(trace, kSettingsRoot);
    WorkArea workArea(desktop, settings, trace, 23, 0);
    workArea.Reserve();
    CrashGuard guard(trace, [&] { workArea.Restore(); });
    if (failure == L"throw") throw std::runtime_error("broken on purpose");
    TestWindow window(0, 100, 50, 50);
    window.answer = [](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_APP) *static_cast<volatile int*>(nullptr) = 1;
        return std::nullopt;
    };
    PostMessageW(window.Handle(), WM_APP, 0, 0);
    PumpMessages(10s);
}

[[maybe_unused]] const bool g_child = [] {
    wchar_t value[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(kVariable, value, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2) return false;
    const std::wstring text(value);
    Fail(text.substr(0, text.find(L'|')), text.substr(text.find(L'|') + 1));
    ExitProcess(0);  // the guard did not end the process
}();

TEST(CrashGuard, AFailureNothingHandledIsLoggedOnceGivesTheStripBackAndEnds) {
    const std::string ending = " - the top strip is given back and Tarvik ends";
    const std::tuple<std::wstring, DWORD, std::string> cases[] = {
        {L"fault", EXCEPTION_ACCESS_VIOLATION,
         R"(-1073741819,"Program","UnhandledException","exception 0xC0000005 at 0x[0-9A-F]{16})"},
        {L"throw", CrashGuard::kTerminateExitCode,
         R"(0,"Program","Terminate","a C\+\+ exception nothing caught: broken on purpose)"},
    };
    for (const auto& [failure, exitCode, record] : cases) {
        TempFolder folder;
        SetEnvironmentVariableW(kVariable, (failure + L'|' + folder.Path().wstring()).c_str());
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        std::wstring commandLine = L"child --gtest_list_tests";
        const std::wstring program = (TestProgramFolder() / L"tarvik_win32_startup_tests.exe");
        ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &child));
        SetEnvironmentVariableW(kVariable, nullptr);
        EXPECT_EQ(WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);

        EXPECT_EQ(code, exitCode);
        EXPECT_TRUE(std::regex_match(ReadFile(folder.Path() / "errors.log"),
                                     std::regex("#[-0-9: ]+#," + record + ending + "\"\r?\n")))
            << ReadFile(folder.Path() / "errors.log");
        EXPECT_EQ(ReadFile(folder.Path() / "tops.txt"), "23 0 ") << "the strip was not given back";
        HKEY left = nullptr;
        EXPECT_NE(
            RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kSettingsRoot) + L"\\WorkArea").c_str(),
                          0, KEY_READ, &left),
            ERROR_SUCCESS)
            << "the strip is still on record for the next run";
        if (left) RegCloseKey(left);
    }
}

}  // namespace
}  // namespace tarvik::test
