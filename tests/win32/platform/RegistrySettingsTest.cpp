// The settings in the real registry: what the program writes reads back, and what others wrote
// there reads as the default when it is not text of a usable length.
#include "win32/platform/RegistrySettings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

const std::wstring kRoot = L"Software\\TarvikTest" + std::to_wstring(GetCurrentProcessId());

// Writes a value as another program might, bypassing the store.
void Put(const wchar_t* name, DWORD type, const void* bytes, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (kRoot + L"\\Widgets").c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(bytes), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST(RegistrySettings, ValuesRoundTripAndForeignOnesReadAsTheDefaultWithOneLine) {
    TestLog log;
    RegistrySettings settings(log.trace, kRoot);
    EXPECT_EQ(settings.Read("Widgets", "Disabled", "none"), "none");
    EXPECT_TRUE(settings.Write("Widgets", "Disabled", "Clock,Caf\xC3\xA9"));
    EXPECT_EQ(settings.Read("Widgets", "Disabled", ""), "Clock,Caf\xC3\xA9");

    const DWORD number = 7;
    Put(L"Number", REG_DWORD, &number, sizeof number);
    const std::wstring huge(RegistrySettings::kMaxBytes, L'x');
    Put(L"Huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    Put(L"Unterminated", REG_SZ, unterminated, sizeof unterminated - 1);  // odd: half a unit
    for (const char* name : {"Number", "Number", "Huge", "Huge"}) {
        EXPECT_EQ(settings.Read("Widgets", name, "d"), "d") << name;
    }
    EXPECT_EQ(settings.Read("Widgets", "Unterminated", "d"), "ab");
    const std::string text = log.Text();
    EXPECT_NE(text.find("'Number' in 'Widgets' is not text of a usable length (type 4"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("'Huge' in 'Widgets' is not text"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;  // a repeat says nothing

    EXPECT_FALSE(settings.Write("Widgets", "Long", std::string(RegistrySettings::kMaxBytes, 'y')));
    EXPECT_EQ(settings.Read("Widgets", "Long", "not stored"), "not stored");
    settings.DeleteSection("Widgets");
    settings.DeleteSection("Widgets");
    EXPECT_EQ(settings.Read("Widgets", "Disabled", "gone"), "gone");
    RegDeleteTreeW(HKEY_CURRENT_USER, kRoot.c_str());
}

}  // namespace
}  // namespace tarvik::test
