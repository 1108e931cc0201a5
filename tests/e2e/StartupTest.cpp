// Tarvik.exe started as a user would start it: the lines its start-up writes to errors.log, from
// its overrides, its theme file and its own file name.
#include <gtest/gtest.h>

#include <regex>

#include "E2eSupport.h"

namespace tarvik::test {
namespace {

// The shipped theme names Windows' own font first; the test machine only has its last one.
const std::string kThemeLine =
    "Theme: font face 'Segoe UI' is not installed, falling back to 'DejaVu Sans'";
const std::string kStartLine = "Starting Tarvik rev#";  // # stands for the revision number
const std::string kOffset30 = "bar top offset 30px (comparison mode)";

// Starts the copy, closes it once its bar is up, and compares the start-up lines of its log, in
// their order, with the expected ones. Whatever the bar logs afterwards (Wine's shell takes no
// activation hook) must come after them.
void ExpectStartAndLog(const TarvikInstall& install, const std::wstring& arguments,
                       const Variables& variables, const std::vector<std::string>& expected) {
    EXPECT_EQ(install.Start(arguments, variables)->CloseBar(), std::optional<DWORD>(0));
    static const std::regex startLine("^Starting Tarvik rev\\d+$");
    std::vector<std::string> startup;
    bool barSpoke = false;
    for (const std::string& message : install.LogMessages()) {
        if (message.find("\"RivovoZoz\"") != std::string::npos) {
            barSpoke = true;
            continue;
        }
        EXPECT_FALSE(barSpoke) << "after the bar's own lines: " << message;
        startup.push_back(std::regex_replace(message, startLine, kStartLine));
    }
    EXPECT_EQ(startup, expected);
}

TEST(Startup, LogsTheThemeThenTheStartLineThenWhatTheOverridesChanged) {
    enum class Change { None, NoThemeFile, LogIsAFolder };
    struct Case {
        const char* name;
        Change change;
        std::wstring arguments;
        Variables variables;
        std::vector<std::string> expected;
    };
    const std::string scale200 = "drawing at 200% by switch, display reports 100%";
    const Case cases[] = {
        // Variables are trimmed and read up to their first non-digit.
        {"variables",
         Change::None,
         L"",
         {{L"TARVIK_BAR_TOP", L" 30 px"}, {L"TARVIK_SCALE", L"200%"}},
         {kThemeLine, kStartLine, kOffset30, scale200}},
        {"switches before variables",
         Change::None,
         L"top:40 ScaleOverride:125",
         {{L"TARVIK_BAR_TOP", L"60"}, {L"TARVIK_SCALE", L"150"}},
         {kThemeLine, kStartLine, "bar top offset 40px (comparison mode)",
          "drawing at 125% by switch, display reports 100%"}},
        // A switch's value is not trimmed, and the variable is not read behind a bad switch.
        {"odd texts",
         Change::None,
         L"\u00c4\u00d6\u00dc top: 30 " + std::wstring(5000, L'7') + L" caf\u00e9",
         {{L"TARVIK_BAR_TOP", L"60"}, {L"TARVIK_SCALE", L"\U0001F600 200"}},
         {kThemeLine, kStartLine}},
        // Without overrides there is neither an offset nor a scale line.
        {"without its theme file",
         Change::NoThemeFile,
         L"",
         {},
         {"0,\"Theme\",\"Initialize\",\"could not read resources\\theme.xml - drawing with "
          "built-in defaults\"",
          "0,\"Theme\",\"ResolveFontFamily\",\"no usable font family in 'Helvetica Neue, "
          "Helvetica, Segoe UI, Arial'\"",
          kStartLine}},
        // Every record fails to open; the program runs on regardless.
        {"unwritable log", Change::LogIsAFolder, L"top:30", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TarvikInstall install;
        if (c.change == Change::NoThemeFile) {
            std::filesystem::remove(install.Folder() / L"resources" / L"theme.xml");
        }
        if (c.change == Change::LogIsAFolder) std::filesystem::create_directory(install.LogFile());
        ExpectStartAndLog(install, c.arguments, c.variables, c.expected);
    }
}

// A file name that the ANSI code page cannot hold does not stop start-up: the program converts
// its name from UTF-16 to UTF-8 itself, never through that code page.
TEST(Startup, StartsUnderAFileNameTheAnsiCodePageCannotHold) {
    // Under Wine a started program takes its code page from the Unix locale it inherits from
    // this test program (C.UTF-8, set by the build); on Windows the code page is the system's.
    ASSERT_EQ(GetACP(), 1252u) << "code page 1252 cannot hold Cyrillic letters";
    TarvikInstall install(L"Тарвик.exe");
    ExpectStartAndLog(install, L"top:30", {}, {kThemeLine, kStartLine, kOffset30});
}

}  // namespace
}  // namespace tarvik::test
