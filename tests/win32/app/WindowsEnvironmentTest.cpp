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

}  // namespace
}  // namespace tarvik
