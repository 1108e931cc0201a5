// The weather and the news from a local feed server (feeds/serve.py): the values on the bar and
// in the menus, a refresh whose answers fail and change nothing, and a headline's web link handed
// to the shell.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "E2eSupport.h"
#include "win32/platform/WideText.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

const int kRight = GetSystemMetrics(SM_CXSCREEN) - 8;  // where the weather button ends
const int kWeather = kRight - 20, kNews = kRight - 200;
// Row tops in the full menus: "Refresh Weather" below 1 + 3 rows, the first headline at the top.
constexpr int kWeatherRefresh = 4 + 4 * 21 + 2 * 10, kFirstHeadline = 4;

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    GetEnvironmentVariableW(name, value, MAX_PATH);
    return value;
}
std::filesystem::path Work(const wchar_t* file) {
    return std::filesystem::path(Variable(L"TARVIK_TEST_FEEDS_DIR")) / file;
}
// Columns of the visible bar between the two x with a dark pixel (text or icon strokes).
int DarkColumns(int from, int to) {
    int dark = 0;
    for (const Title& run : DarkRuns(RECT{from, 2, to, 21}, L"feeds-bar.png", 1))
        dark += run.Width();
    return dark;
}
// A temperature beside the weather icon and a headline beside it.
bool BarShowsTheFeeds() {
    return DarkColumns(kRight - 70, kRight) > 28 && DarkColumns(kRight - 400, kRight - 80) > 100;
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
        EXPECT_TRUE(tarvik.StartDemo(0ms));
    }
    ~FeedRun() { Store(HKEY_LOCAL_MACHINE, kBrowserKey, nullptr, m_browser); }
    static void Store(HKEY root, const wchar_t* key, const wchar_t* name, const wchar_t* value) {
        RegSetKeyValueW(root, key, name, REG_SZ, value,
                        static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    // Drops down the button's menu (at once) and picks the row whose top is `row` below the
    // menu's; returns the menu's height.
    int Pick(int x, int row, const wchar_t* picture) {
        const RECT r = ClickOpens(tarvik, x, 10, L"Tarvik_DropDownMenu", picture, 1500ms);
        const HWND menu = tarvik.WaitForWindow(L"Tarvik_DropDownMenu", 0ms);
        MovePointer(r.left + 60, r.top + row + 10);
        ClickPointer();
        // Under Wine the hidden menu stays the active window for up to 2 s, and takes the clicks.
        PumpUntil([&] { return GetForegroundWindow() != menu; }, 3s);
        return r.bottom - r.top;
    }
    static constexpr const wchar_t* kBrowserKey = L"Software\\Classes\\http\\shell\\open\\command";
    wchar_t m_browser[MAX_PATH] = L"\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"";
    const OnlyWidgets m_shown{L"Weather", L"News"};
    TarvikCopy tarvik;
};

TEST(Feeds, ShowTheServedValuesKeepThemThroughFailedAnswersAndHandAHeadlinesLinkToTheShell) {
    StartGdiPlus();
    FeedRun run;
    // All three feeds asked for and answered (a moment to read the last answer).
    PumpUntil([] { return LinesWith(Work(L"requests.log"), "/") == 3; }, 5s);
    PumpMessages(1s);
    EXPECT_TRUE(BarShowsTheFeeds()) << "no temperature or no headline";
    // The weather refreshed while the server answers the observation with too much and the
    // forecast with endless redirects: one line for each, and the values stay.
    std::ofstream(Work(L"mode")) << "huge redirect good";
    // The served observation and three forecast days fill the menu; ten headlines the other.
    EXPECT_EQ(run.Pick(kWeather, kWeatherRefresh, L"feeds-weather-menu.png"), 5 * 21 + 2 * 10 + 10);
    EXPECT_EQ(run.Pick(kNews, kFirstHeadline, L"feeds-news-menu.png"), 11 * 21 + 10 + 10);
    const auto log = run.tarvik.LogFile();
    EXPECT_TRUE(PumpUntil(
        [&] { return LinesWith(log, "larger than 2 MiB") + LinesWith(log, "redirects") == 2; },
        10s))
        << ReadFile(log);
    EXPECT_TRUE(BarShowsTheFeeds()) << "a failed answer took the values";
    // The first headline's link went to the shell.
    EXPECT_TRUE(PumpUntil(
        [&] { return ReadFile(Work(L"opened.txt")) == "http://127.0.0.1/story\r\n"; }, 10s))
        << ReadFile(Work(L"opened.txt"));
}

}  // namespace
}  // namespace tarvik::test
