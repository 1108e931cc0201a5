#include "win32/app/WindowsEnvironment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win32/platform/WideText.h"

namespace tarvik {
namespace {

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

}  // namespace
}  // namespace tarvik
