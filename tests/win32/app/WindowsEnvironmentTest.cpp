#include "win32/app/WindowsEnvironment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win32/platform/WideText.h"

namespace tarvik {
namespace {

TEST(ArgumentsOf, DropsTheProgramPathAndTheBlanksAfterIt) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"", L""},
        {L"C:\\Tarvik\\Tarvik.exe \t  demo  font:12 ", L"demo  font:12 "},
        {L"C:\\Tarvik\\Tarvik.exe\tdemo", L"demo"},
        {L"\"C:\\Program Files\\Tarvik.exe\"top:40", L"top:40"},
        {L"\"C:\\Tab\there\\Tarvik.exe\"   \"a b\" c", L"\"a b\" c"},
        {L"\"C:\\Program Files\\Tarvik.exe demo", L""},  // never closed
        {L"   demo", L"demo"},                           // an empty program path
    };
    for (const auto& [commandLine, expected] : cases) {
        EXPECT_EQ(ArgumentsOf(commandLine), expected) << Narrow(commandLine);
    }
}

TEST(WindowsEnvironment, VariableTellsMissingFromEmptyAndKeepsLongNonAsciiText) {
    const std::wstring value = L" caf\u00e9 \U0001F600" + std::wstring(32000, L'7');
    SetEnvironmentVariableW(L"TARVIK_TEST_EMPTY", L"");
    SetEnvironmentVariableW(L"TARVIK_T\u00c4ST", value.c_str());
    SetEnvironmentVariableW(L"TARVIK_TEST_MISSING", nullptr);
    const WindowsEnvironment environment;
    EXPECT_EQ(environment.Variable("TARVIK_TEST_MISSING"), std::nullopt);
    EXPECT_EQ(environment.Variable("TARVIK_TEST_EMPTY"), std::optional<std::string>(""));
    EXPECT_EQ(environment.Variable("tarvik_T\xc3\x84ST"),
              " caf\xc3\xa9 \xf0\x9f\x98\x80" + std::string(32000, '7'));
    SetEnvironmentVariableW(L"TARVIK_TEST_EMPTY", nullptr);
    SetEnvironmentVariableW(L"TARVIK_T\u00c4ST", nullptr);
}

}  // namespace
}  // namespace tarvik
