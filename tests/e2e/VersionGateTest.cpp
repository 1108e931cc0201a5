// On Windows older than 10 the program shows one message box and does nothing else.
#include <gtest/gtest.h>

#include "E2eSupport.h"

namespace tarvik::test {
namespace {

TEST(VersionGate, OnWindows81OnlyTheMessageBoxAppears) {
    // Wine reports the Windows version configured for a program's file name: a copy under its
    // own name sees Windows 8.1 while every other program keeps Windows 10.
    const std::wstring exeName = L"TarvikOnWindows81.exe";
    const std::wstring key = L"Software\\Wine\\AppDefaults\\" + exeName;
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, L"win81", 12);
    TarvikInstall install(exeName);
    const auto tarvik = install.Start(L"", {{L"TARVIK_BAR_TOP", L"30"}});
    const HWND box = tarvik->WaitForWindow(L"#32770");
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    ASSERT_NE(box, nullptr) << "no message box appeared";
    EXPECT_EQ(TextOf(box), L"Tarvik");
    // System-modal boxes stay on top of every other window.
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // An icon, and OK as the only button.
    std::vector<std::wstring> parts;
    for (HWND c = nullptr; (c = FindWindowExW(box, c, nullptr, nullptr));) {
        const bool icon = (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (ClassOf(c) == L"Button" || (ClassOf(c) == L"Static" && icon))
            parts.push_back(TextOf(c));
    }
    EXPECT_EQ(parts, (std::vector<std::wstring>{L"", L"OK"}));
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)),
              L"Tarvik needs Windows 10 or later.\r\n\r\n"
              L"The menu bar and its menus are drawn with the blur and rounding that Windows 10 "
              L"introduced, and there is no way to draw them on an earlier version.\r\n\r\n"
              L"Tarvik 2.x still runs on Windows XP and later - see https://tarvik.app.");
    std::vector<std::wstring> classes;
    for (HWND window : tarvik->Windows()) classes.push_back(ClassOf(window));
    EXPECT_EQ(classes, std::vector<std::wstring>{L"#32770"}) << "the box is the only window";

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(tarvik->WaitForExit(20s), std::optional<DWORD>(0));
    EXPECT_FALSE(std::filesystem::exists(install.LogFile())) << "the gate writes no log line";
}

}  // namespace
}  // namespace tarvik::test
