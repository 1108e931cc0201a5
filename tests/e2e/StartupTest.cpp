// Tarvik.exe started as a user would start it: the lines its start-up writes to errors.log, from
// its overrides, its theme file and its own file name; or, on Windows older than 10, one message.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "E2eSupport.h"

namespace tarvik::test {
namespace {

enum Change { kNone, kNoThemeFile, kLogIsAFolder, kCyrillicName };
using Lines = std::vector<std::string>;

// Starts a copy with the change made and the two variables, closes it once its bar is up, and
// returns its log's messages (a Log record's text, an error record whole; the revision as #) up to
// the bar's first one. Any other line fails.
Lines StartupLines(Change change, const std::wstring& arguments, const std::wstring& top,
                   const std::wstring& scale) {
    TarvikCopy tarvik(change == kCyrillicName ? L"Тарвик.exe" : L"Tarvik.exe");
    if (change == kNoThemeFile) std::filesystem::remove(tarvik.Folder() / L"resources/theme.xml");
    if (change == kLogIsAFolder) std::filesystem::create_directory(tarvik.LogFile());
    EXPECT_TRUE(tarvik.Start(arguments, {{L"TARVIK_BAR_TOP", top}, {L"TARVIK_SCALE", scale}}));
    PostMessageW(tarvik.WaitForWindow(L"Tarvik_Bar"), WM_CLOSE, 0, 0);
    EXPECT_EQ(tarvik.WaitForExit(20s), std::optional<DWORD>(0));
    static const std::regex record(
        R"re(#\d{4}-\d{2}-\d{2}( \d{2}:\d{2}:\d{2})?#,(?:"(.*)"|(.*))\r?)re");
    Lines messages;
    std::istringstream lines(ReadFile(tarvik.LogFile()));
    std::smatch match;
    for (std::string line; std::getline(lines, line) && line.find("\"RivovoZoz\"") == line.npos;) {
        EXPECT_TRUE(std::regex_match(line, match, record)) << "not a log record: " << line;
        messages.push_back(std::regex_replace(match[2].matched ? match[2].str() : match[3].str(),
                                              std::regex("^(Starting Tarvik rev)\\d+$"), "$1#"));
    }
    return messages;
}

TEST(Startup, LogsTheThemeThenTheStartLineThenWhatTheOverridesChanged) {
    // The shipped theme names Windows' own font first; the test machine only has its last one.
    const std::string font =
        "Theme: font face 'Segoe UI' is not installed, falling back to 'DejaVu Sans'";
    const std::string start = "Starting Tarvik rev#", top = "bar top offset 30px (comparison mode)";
    // Variables are trimmed and read up to their first non-digit.
    EXPECT_EQ(StartupLines(kNone, L"", L" 30 px", L"200%"),
              (Lines{font, start, top, "drawing at 200% by switch, display reports 100%"}));
    // Without overrides there is neither an offset nor a scale line.
    EXPECT_EQ(StartupLines(kNoThemeFile, L"", L"", L""),
              (Lines{"0,\"Theme\",\"Initialize\",\"could not read resources\\theme.xml - drawing "
                     "with built-in defaults\"",
                     "0,\"Theme\",\"ResolveFontFamily\",\"no usable font family in 'Helvetica "
                     "Neue, Helvetica, Segoe UI, Arial'\"",
                     start}));
    // Every record fails to open; the program runs on regardless.
    EXPECT_EQ(StartupLines(kLogIsAFolder, L"top:30", L"", L""), Lines{});
    // The program converts its file name itself, never through the ANSI code page (1252 here).
    ASSERT_EQ(GetACP(), 1252u) << "code page 1252 cannot hold Cyrillic letters";
    EXPECT_EQ(StartupLines(kCyrillicName, L"top:30", L"", L""), (Lines{font, start, top}));
}

TEST(VersionGate, OnWindows81OnlyTheMessageBoxAppears) {
    // Wine reports the Windows version configured for the file name of a copy under its own name.
    const wchar_t* key = L"Software\\Wine\\AppDefaults\\TarvikOnWindows81.exe";
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Version", REG_SZ, L"win81", 12);
    TarvikCopy tarvik(L"TarvikOnWindows81.exe");
    ASSERT_TRUE(tarvik.Start(L"", {{L"TARVIK_BAR_TOP", L"30"}}));
    const HWND box = tarvik.WaitForWindow(L"#32770");
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
    ASSERT_NE(box, nullptr) << "no message box appeared";
    EXPECT_EQ(tarvik.WaitForWindow(L"Tarvik_Bar", 0ms), nullptr) << "a bar beside the box";
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "not system-modal";
    const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
    EXPECT_TRUE(text.starts_with(L"Tarvik needs Windows 10 or later.\r\n\r\n") &&
                text.ends_with(L"see https://tarvik.app."))
        << text.size();
    EXPECT_EQ(TextOf(box) + TextOf(GetDlgItem(box, IDOK)), L"TarvikOK");
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "OK is the only button";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(tarvik.WaitForExit(20s), std::optional<DWORD>(0));
    EXPECT_FALSE(std::filesystem::exists(tarvik.LogFile())) << "the gate writes no log line";
}

}  // namespace
}  // namespace tarvik::test
