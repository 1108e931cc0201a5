#include "win32/app/WindowsEnvironment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "win32/platform/WideText.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik {
namespace {

// When this program is started by the ArgumentText test below, it only writes what it reads as
// its argument text to the file that the test names, and ends before any test runs.
constexpr wchar_t kArgumentFileVariable[] = L"TARVIK_TEST_ARGUMENT_FILE";

const bool kRunningAsChild = [] {
    wchar_t file[MAX_PATH * 2] = {};
    const DWORD length =
        GetEnvironmentVariableW(kArgumentFileVariable, file, static_cast<DWORD>(std::size(file)));
    if (length == 0 || length >= std::size(file)) return false;
    const std::string text = WindowsEnvironment().ArgumentText();
    HANDLE out = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(out);
    }
    ExitProcess(0);
}();

TEST(ArgumentsOf, DropsTheProgramPathAndTheBlanksAfterIt) {
    struct Case {
        const wchar_t* commandLine;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"", L""},
        {L"C:\\Tarvik\\Tarvik.exe top:40", L"top:40"},
        {L"C:\\Tarvik\\Tarvik.exe \t  demo  font:12 ", L"demo  font:12 "},
        {L"C:\\Tarvik\\Tarvik.exe\tdemo", L"demo"},
        {L"\"C:\\Program Files\\Tarvik\\Tarvik.exe\"top:40", L"top:40"},
        {L"\"C:\\Program Files\\Tarvik\\Tarvik.exe\"   \"a b\" c", L"\"a b\" c"},
        {L"\"C:\\Tab\there\\Tarvik.exe\" demo", L"demo"},
        {L"\"C:\\Program Files\\Tarvik\\Tarvik.exe demo", L""},  // never closed
        {L"\"\" demo", L"demo"},
        {L"   demo", L"demo"},  // an empty program path
        {L"\"C:\\T\u00e4rvik \u2713\\Tarvik.exe\" caf\u00e9 \U0001F600", L"caf\u00e9 \U0001F600"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ArgumentsOf(c.commandLine), c.expected) << Narrow(c.commandLine);
    }
}

TEST(WindowsEnvironment, VariableTellsMissingFromEmptyAndKeepsNonAsciiText) {
    const std::wstring longValue(32000, L'7');  // near the largest value Windows allows
    SetEnvironmentVariableW(L"TARVIK_TEST_EMPTY", L"");
    SetEnvironmentVariableW(L"TARVIK_T\u00c4ST", L" caf\u00e9 \U0001F600 ");
    SetEnvironmentVariableW(L"TARVIK_TEST_LONG", longValue.c_str());
    SetEnvironmentVariableW(L"TARVIK_TEST_MISSING", nullptr);

    const WindowsEnvironment environment;
    EXPECT_EQ(environment.Variable("TARVIK_TEST_MISSING"), std::nullopt);
    EXPECT_EQ(environment.Variable("TARVIK_TEST_EMPTY"), std::optional<std::string>(""));
    EXPECT_EQ(environment.Variable("tarvik_T\xc3\x84ST"), " caf\xc3\xa9 \xf0\x9f\x98\x80 ");
    EXPECT_EQ(environment.Variable("TARVIK_TEST_LONG"), std::string(32000, '7'));
    for (const wchar_t* name : {L"TARVIK_TEST_EMPTY", L"TARVIK_T\u00c4ST", L"TARVIK_TEST_LONG"}) {
        SetEnvironmentVariableW(name, nullptr);
    }
}

// Starts this program again with the given command line and returns the argument text it read.
std::string ArgumentTextOfChild(const std::wstring& commandLine) {
    test::TempFolder folder;
    const std::filesystem::path file = folder.Path() / L"arguments.txt";
    SetEnvironmentVariableW(kArgumentFileVariable, file.c_str());
    wchar_t program[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, program, static_cast<DWORD>(std::size(program)));
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableW(kArgumentFileVariable, nullptr);
    if (!started) return "(not started)";
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!std::filesystem::exists(file)) return "(no answer)";
    return test::ReadFile(file);
}

TEST(WindowsEnvironment, ArgumentTextIsTheCommandLineWithoutTheProgramAsUtf8) {
    struct Case {
        const wchar_t* commandLine;
        const char* expected;
    };
    const Case cases[] = {
        {L"\"C:\\Program Files\\T\u00e4rvik \u2713\\Tarvik.exe\"  top:40 caf\u00e9 \"a b\"",
         "top:40 caf\xc3\xa9 \"a b\""},
        {L"Tarvik.exe", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ArgumentTextOfChild(c.commandLine), c.expected) << Narrow(c.commandLine);
    }
}

}  // namespace
}  // namespace tarvik
