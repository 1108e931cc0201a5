// The weather and the news from a local feed server (feeds/serve.py): the values on the bar and
// in the menus, a refresh that reaches the server, failed answers that change nothing and keep the
// bar responsive, and only web links handed to the shell.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "E2eSupport.h"
#include "win32/platform/WideText.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

const int kRight = GetSystemMetrics(SM_CXSCREEN) - 8;  // where the weather button ends
const int kWeather = kRight - 20, kNews = kRight - 200;
// Row tops in the full menus: "Refresh Weather" below 1 + 3 rows, "Refresh Headlines" below 10.
constexpr int kWeatherRefresh = 4 + 4 * 21 + 2 * 10, kNewsRefresh = 4 + 10 * 21 + 10;

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    GetEnvironmentVariableW(name, value, MAX_PATH);
    return value;
}
std::filesystem::path Work(const wchar_t* file) {
    return std::filesystem::path(Variable(L"TARVIK_TEST_FEEDS_DIR")) / file;
}
// The lines of the file, or those that hold the text.
size_t LineCount(const std::filesystem::path& file, const std::string& text = "") {
    std::istringstream lines(ReadFile(file));
    size_t count = 0;
    for (std::string line; std::getline(lines, line);) count += line.find(text) != line.npos;
    return count;
}

// Columns of the visible bar between the two x with a dark pixel (text or icon strokes).
int DarkColumns(int from, int to) {
    int dark = 0;
    for (const Title& run : DarkRuns(RECT{from, 2, to, 21}, L"feeds-bar.png", 1))
        dark += run.Width();
    return dark;
}

// Tarvik reading both feeds from the server, with only the weather and news widgets on, so that
// the weather button is the rightmost and the news button left of it; http links go to a fake
// browser that writes them down.
struct FeedRun {
    FeedRun() {
        const auto themeFile = tarvik.Folder() / L"resources/theme.xml";
        std::string theme = ReadFile(themeFile);
        const std::string server = Narrow(Variable(L"TARVIK_TEST_FEEDS"));
        theme.replace(theme.find("weather-broker"), 33, server);
        theme.replace(theme.find("https://feeds"), 37, server + "/news/rss.xml");
        std::ofstream(themeFile, std::ios::binary) << theme;
        // Wine's classes do not take the user's own: the machine's handler is swapped for a while.
        DWORD size = sizeof m_browser;
        RegGetValueW(HKEY_LOCAL_MACHINE, kBrowserKey, nullptr, RRF_RT_REG_SZ, nullptr, m_browser,
                     &size);
        const std::wstring browser = L"cmd.exe /c echo %1>>" + Work(L"opened.txt").wstring();
        Store(HKEY_LOCAL_MACHINE, kBrowserKey, nullptr, browser.c_str());
        std::ofstream(Work(L"mode")) << "good";
        EXPECT_TRUE(tarvik.StartDemo(3s));
    }
    ~FeedRun() { Store(HKEY_LOCAL_MACHINE, kBrowserKey, nullptr, m_browser); }
    static void Store(HKEY root, const wchar_t* key, const wchar_t* name, const wchar_t* value) {
        RegSetKeyValueW(root, key, name, REG_SZ, value,
                        static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    // Drops down the button's menu (at once) and picks the row whose top is `row` below the
    // menu's; returns the menu's height.
    int Pick(int x, int row, const wchar_t* picture = nullptr) {
        const RECT r = ClickOpens(tarvik, x, 10, L"Tarvik_DropDownMenu", picture, 1500ms);
        MovePointer(r.left + 60, r.top + row + 10);
        ClickPointer();
        PumpMessages(2s);  // hiding an active window takes up to 2 s under Wine
        return r.bottom - r.top;
    }
    static constexpr const wchar_t* kBrowserKey = L"Software\\Classes\\http\\shell\\open\\command";
    wchar_t m_browser[MAX_PATH] = L"\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"";
    const OnlyWidgets m_shown{L"Weather", L"News"};
    TarvikCopy tarvik;
};

TEST(Feeds, ShowTheServedValuesKeepThemThroughFailedAnswersAndHandOnlyWebLinksToTheShell) {
    StartGdiPlus();
    FeedRun run;
    EXPECT_GT(DarkColumns(kRight - 70, kRight), 28) << "no temperature beside the icon";
    EXPECT_GT(DarkColumns(kRight - 400, kRight - 80), 100) << "no headline";
    const size_t requests = LineCount(Work(L"requests.log"));
    // The served observation, three forecast days and ten headlines fill the menus.
    const int weatherHeight = run.Pick(kWeather, kWeatherRefresh, L"feeds-weather-menu.png");
    const int newsHeight = run.Pick(kNews, kNewsRefresh, L"feeds-news-menu.png");
    EXPECT_EQ(weatherHeight, 5 * 21 + 2 * 10 + 10);
    EXPECT_EQ(newsHeight, 11 * 21 + 10 + 10);
    EXPECT_TRUE(PumpUntil([&] { return LineCount(Work(L"requests.log")) == requests + 3; }, 5s));

    // One line per feed and failure, whether the answer is too long, does not parse or never
    // comes.
    for (const auto& [mode, text] :
         {std::pair{"huge", "larger than 2 MiB"}, {"broken", ""}, {"redirect", ""}}) {
        std::ofstream(Work(L"mode")) << mode;
        const size_t lines = LineCount(run.tarvik.LogFile(), text);
        EXPECT_EQ(run.Pick(kWeather, kWeatherRefresh), weatherHeight) << mode;
        EXPECT_EQ(run.Pick(kNews, kNewsRefresh), newsHeight) << mode;  // opens at once meanwhile
        EXPECT_TRUE(
            PumpUntil([&] { return LineCount(run.tarvik.LogFile(), text) == lines + 3; }, 40s))
            << mode << ": " << ReadFile(run.tarvik.LogFile());
    }

    std::ofstream(Work(L"mode")) << "links";
    run.Pick(kNews, kNewsRefresh);
    const size_t lines = LineCount(run.tarvik.LogFile());
    for (const int row : {25, 46, 4}) run.Pick(kNews, row);
    EXPECT_TRUE(PumpUntil(
        [&] { return ReadFile(Work(L"opened.txt")) == "http://127.0.0.1/story\r\n"; }, 10s))
        << ReadFile(Work(L"opened.txt"));
    EXPECT_EQ(LineCount(run.tarvik.LogFile()), lines + 2) << ReadFile(run.tarvik.LogFile());
}

}  // namespace
}  // namespace tarvik::test
