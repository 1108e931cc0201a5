// On Windows older than 10 the program shows one message box and does nothing else.
#include <gtest/gtest.h>

#include "TarvikProcess.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

// Wine reports the Windows version configured for a program's file name; a copy of Tarvik.exe
// under its own name sees Windows 8.1 while every other program keeps Windows 10.
class OldWindows {
  public:
    explicit OldWindows(const std::wstring& exeName)
        : m_key(L"Software\\Wine\\AppDefaults\\" + exeName) {
        const wchar_t version[] = L"win81";
        RegSetKeyValueW(HKEY_CURRENT_USER, m_key.c_str(), L"Version", REG_SZ, version,
                        sizeof version);
    }
    ~OldWindows() { RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str()); }

  private:
    std::wstring m_key;
};

TEST(VersionGate, OnWindows81OnlyTheMessageBoxAppears) {
    const std::wstring exeName = L"TarvikOnWindows81.exe";
    OldWindows old(exeName);
    TarvikInstall install(exeName);
    TarvikProcess tarvik(install, L"", {{L"TARVIK_BAR_TOP", L"30"}});
    ASSERT_TRUE(tarvik.Started());

    const HWND box = tarvik.WaitForWindow(L"#32770", 20s);
    ASSERT_NE(box, nullptr) << "no message box appeared";
    EXPECT_EQ(TextOf(box), L"Tarvik");
    // System-modal boxes stay on top of every other window.
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);

    std::wstring text;
    std::vector<std::wstring> buttons;
    bool hasIcon = false;
    for (HWND child : ChildrenOf(box)) {
        const std::wstring cls = ClassOf(child);
        if (cls == L"Button") buttons.push_back(TextOf(child));
        if (cls == L"Static") {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                hasIcon = true;
            else if (!TextOf(child).empty())
                text = TextOf(child);
        }
    }
    EXPECT_EQ(buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_TRUE(hasIcon);
    EXPECT_EQ(text,
              L"Tarvik needs Windows 10 or later.\r\n\r\n"
              L"The menu bar and its menus are drawn with the blur and rounding that Windows 10 "
              L"introduced, and there is no way to draw them on an earlier version.\r\n\r\n"
              L"Tarvik 2.x still runs on Windows XP and later - see https://tarvik.app.");

    // The box is the program's only window.
    EXPECT_EQ(tarvik.TopLevelWindows(), std::vector<HWND>{box});

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(tarvik.WaitForExit(20s), std::optional<DWORD>(0));
    EXPECT_FALSE(std::filesystem::exists(install.LogFile())) << "the gate writes no log line";
}

}  // namespace
}  // namespace tarvik::test
