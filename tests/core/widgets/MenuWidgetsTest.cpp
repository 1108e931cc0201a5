#include <gtest/gtest.h>

#include "core/app/MonotonicClock.h"
#include "core/feeds/FeedReading.h"
#include "core/support/PugiXmlParser.h"
#include "core/support/WidgetFakes.h"
#include "core/widgets/ClipboardHistory.h"
#include "core/widgets/ClipboardWidget.h"
#include "core/widgets/NewsWidget.h"
#include "core/widgets/StartWidget.h"
#include "core/widgets/SystemSound.h"
#include "core/widgets/TimerWidget.h"
#include "core/widgets/WeatherWidget.h"

namespace tarvik::test {
namespace {

// A clipboard that holds what the test copies and what is put back, feeding a history; a busy
// one refuses writing. Copy returns positions 0 .. count + 1 of the history.
struct Copies final : IClipboard {
    ClipboardMarks marks;
    std::optional<std::string> text;
    bool busy = false;
    TestTrace log;
    ClipboardHistory history{*this, log.trace};
    Copies() { history.StartClipboardHistory(42); }
    void Listen(WindowHandle) override {}
    void StopListening(WindowHandle) override {}
    ClipboardMarks ReadMarks(WindowHandle) override { return marks; }
    std::optional<std::string> ReadText(WindowHandle) override { return text; }
    void WriteText(WindowHandle, std::string_view put) override {
        busy ? throw Error(5, "held") : void(text = put);
    }
    std::string Copy(const Lines& texts, ClipboardMarks copyMarks = {}) {
        for (const auto& copied : texts)
            text = copied, marks = copyMarks, history.OnClipboardUpdate();
        std::string entries;
        for (int32_t i = 0; i <= history.HistoryCount() + 1; ++i)
            entries += history.HistoryItem(i) + "|";
        return entries;
    }
};

TEST(ClipboardHistory, KeepsTheFifteenNewestDistinctTextsThatMayBeKept) {
    Lines sixteen;
    std::string fifteen = "|";
    for (int i = 1; i <= 16; ++i) sixteen.push_back(std::to_string(i));
    for (int i = 16; i >= 2; --i) fifteen += std::to_string(i) + "|";
    const std::string longest(ClipboardHistory::kMaxUnits, 'x');
    const std::tuple<Lines, ClipboardMarks, std::string> cases[] = {
        {{"A", "B", "A", "A"}, {}, "|A|B||"},
        {sixteen, {}, fifteen + "|"},
        {{"", "   ", "\t", "\r\n", longest + "y", longest}, {}, "|" + longest + "|\r\n|\t||"},
        {{"pw"}, {true, false, {}}, "||"},
        {{"pw"}, {false, true, {}}, "||"},
        {{"pw"}, {false, false, 0u}, "||"},
        {{"pw"}, {false, false, 1u}, "|pw||"},
    };
    for (const auto& [texts, marks, expected] : cases)
        EXPECT_EQ(Copies().Copy(texts, marks), expected) << texts[0];
    // Another program's block without its terminator is read to the block's end only, and a
    // huge one no further than one unit past the longest entry.
    const char16_t units[] = {u'a', u'b', 0, u'c', u'd'};
    for (const auto& [block, bytes, text] :
         {std::tuple{units, 10, u"ab"}, {units, 3, u"a"}, {units + 3, 4, u"cd"}})
        EXPECT_EQ(ClipboardBlockText(block, bytes), text) << bytes;
    const std::u16string huge(ClipboardHistory::kMaxUnits + 100, u'x');
    EXPECT_EQ(ClipboardBlockText(huge.data(), huge.size() * 2).size(),
              ClipboardHistory::kMaxUnits + 1);
}

TEST(ClipboardWidget, ListsCutLabelsAndRestoresWhatTheMenuShowedToTheTop) {
    Theme theme;
    Copies bar;
    ClipboardWidget widget(theme, bar.history, bar.log.trace);
    EXPECT_EQ(MenuRows(widget), Lines{"Nothing copied yet 0 off"});
    const std::string a48(48, 'a'), b49(49, 'b');
    bar.Copy({a48, b49, "\t\t"});
    EXPECT_EQ(MenuRows(widget),
              (Lines{" 1", b49.substr(4) + "... 2", a48 + " 3", "-", "Clear History 10000"}));
    // The third row as the menu showed it, though the history changed since.
    bar.Copy({"new"});
    PickCommand(widget, 3);
    EXPECT_EQ(bar.history.HistoryItem(1), a48) << "at the top before the clipboard's notice";
    EXPECT_EQ(bar.Copy({*bar.text}), "|" + a48 + "|new|\t\t|" + b49 + "||");
    bar.busy = true;
    for (int32_t command : {3, 3, ClipboardWidget::kClearHistory}) PickCommand(widget, command);
    EXPECT_EQ(bar.history.HistoryCount(), 0);
    EXPECT_EQ(bar.log.Records(), Lines{R"(5,"ClipboardHistory","Restore","held")"});
}

struct Ticks final : IMonotonicClock, ISystemSound {
    int64_t now = 0;
    int sounds = 0;
    int64_t Milliseconds() const override { return now; }
    void Asterisk() override { ++sounds; }
};

// Each step: milliseconds later, a command (0: the host's tick; 5001 .. 5004 pause, resume, cancel,
// dismiss); then the button's text, the menu's rows before its four durations, the sounds so far.
TEST(TimerWidget, CountsDownPausesResumesAndSoundsOncePerCountdown) {
    const std::string run = "Pause Cancel - ", paused = "Resume Cancel - ", done = "Dismiss - ";
    const std::tuple<int64_t, int32_t, std::string, std::string, int> steps[] = {
        {0, 25, "25:00", run, 0},       {999, 0, "25:00", run, 0},
        {1000, 0, "24:59", run, 0},     {0, 65, "1:05:00", run, 0},
        {0, 60, "1:00:00", run, 0},     {1000, 0, "59:59", run, 0},
        {0, 5, "5:00", run, 0},         {297000, 5001, "(0:03)", paused, 0},
        {9000, 0, "(0:03)", paused, 0}, {0, 5002, "0:03", run, 0},
        {1000, 0, "0:02", run, 0},      {2000, 0, "Done!", done, 1},
        {1000, 0, "Done!", done, 1},    {0, 5004, "", "", 1},
        {0, 1, "1:00", run, 1},         {0, 5003, "", "", 1},
    };
    Theme theme;
    TestTrace log;
    Ticks ticks;
    TimerWidget widget(theme, ticks, ticks, log.trace);
    for (const auto& [at, command, text, head, sounds] : steps) {
        ticks.now += at;
        command ? PickCommand(widget, command) : widget.Refresh();
        std::string menu;
        for (const auto& row : widget.BuildMenu())
            menu += (row->IsSeparator ? "-" : row->text) + " ";
        EXPECT_EQ(widget.ButtonText(), text) << at << " " << command;
        EXPECT_EQ(menu, head + "5 Minutes 15 Minutes 25 Minutes 45 Minutes ") << at;
        EXPECT_EQ(widget.ButtonIcon(), text.empty() ? &theme.Skin("timer") : nullptr) << at;
        EXPECT_EQ(ticks.sounds, sounds) << at;
    }
    EXPECT_TRUE(log.Records().empty());
}

TEST(StartWidget, ElevenRowsInThreeGroupsEachRunningItsCommandWithFailuresLoggedOnce) {
    Theme theme;
    TestTrace log;
    RecordingCommands commands;
    StartWidget widget(theme, commands, log.trace);
    EXPECT_EQ(MenuRows(widget),
              (Lines{"About This PC 1", "System Settings... 2", "-", "Task Manager... 3", "-",
                     "Sleep 4", "Restart 5", "Shut Down 6", "-", "Lock Screen 7", "Log Out 8"}));
    for (int32_t command = 0; command <= 9; ++command) PickCommand(widget, command);
    EXPECT_EQ(commands.calls,
              (Lines{"open ms-settings:about", "open ms-settings:", "system taskmgr.exe ",
                     "suspend", "hidden system shutdown.exe /r /t 0",
                     "hidden system shutdown.exe /s /t 0", "lock", "logoff"}));
    commands.fail = true;
    for (int32_t command : {1, 8}) PickCommand(widget, command);
    EXPECT_EQ(log.Records(), Lines{R"(70,"StartWidget","OnMenuCommand","Permission denied")"});
}

const std::string kThursday = "Thursday: Sunny, Minimum Temperature: 8\u00b0C (46\u00b0F) ";

// An RSS document with one item per title and link; the title "!" leaves the title out.
std::string Rss(const std::vector<std::pair<std::string, std::string>>& items) {
    std::string xml = "<?xml version='1.0'?><rss><channel><title>Feed</title>";
    for (const auto& [title, link] : items)
        xml += "<item>" + (title == "!" ? "" : "<title>" + title + "</title>") + "<link>" + link +
               "</link></item>";
    return xml + "</channel></rss>";
}

// Both widgets on a host with the built-in theme and the fake network, logging on their own.
struct Rig : HostRig {
    explicit Rig(bool held = false) {
        if (held) host->HoldBackgroundWork();
        host->Register(weather);
        host->Register(news);
    }
    ~Rig() { host.reset(); }  // it detaches the widgets, which use the rig's parts
    const Theme& theme = load.theme;
    TestTrace log;
    RecordingCommands commands;
    PugiXmlParser parser;
    FakeFeedFetcher observation, forecast, feed;
    std::shared_ptr<WeatherWidget> weather = std::make_shared<WeatherWidget>(
        WeatherWidgetServices{theme, log.trace, commands, parser, observation, forecast});
    std::shared_ptr<NewsWidget> news =
        std::make_shared<NewsWidget>(NewsWidgetServices{theme, log.trace, commands, parser, feed});
};

TEST(FeedTexts, TemperaturesForecastLinesAndWebLinks) {
    const std::pair<std::string, std::string> temperatures[] = {
        {"Sunny, 12\u00b0C (54\u00b0F)", "12\u00b0"},
        {"Ice: -3\u00b0C", "-3\u00b0"},
        {"12 degrees (54\u00b0F)", ""},
        {"x \u00b0C", ""}};
    for (const auto& [text, expected] : temperatures) EXPECT_EQ(TemperatureFrom(text), expected);
    const std::pair<std::string, std::string> lines[] = {
        {kThursday + "Maximum Temperature: 15\u00b0C (59\u00b0F)", "Thursday: Sunny, 8-15\u00b0"},
        {"Friday: Rain", "Friday: Rain"},
        {kThursday, "Thursday: Sunny, 8\u00b0"},
        {"Sat: Fog, MINIMUM Temperature: --, maximum Temperature: 4\u00b0C",
         "Sat: Fog, max 4\u00b0"},
        {"Sun: Hail, Minimum Temperature: n/a", "Sun: Hail"},
        {" , Minimum Temperature: n/a", " , Minimum Temperature: n/a"}};
    for (const auto& [title, expected] : lines) EXPECT_EQ(ForecastLine(title), expected);
    for (const char* good : {"http://a.example/s?q=1&r=2", "HTTPS://b.example"})
        EXPECT_TRUE(IsWebLink(good)) << good;
    for (const char* bad : {"file:///C:/Windows/calc.exe", "\\\\server\\share\\x.exe", "http://",
                            "https:///x", "javascript:alert(1)", "http://a b", "http://a\"b",
                            "http://a\\b", "ms-settings:", "calc.exe"})
        EXPECT_FALSE(IsWebLink(bad)) << bad;
}

TEST(WidgetHost, HeldBackgroundWorkStartsOnceForTheWidgetsThatAreOnThen) {
    Rig rig(true);
    rig.host->SetWidgetEnabled("News", false);
    rig.host->SetWidgetEnabled("Weather", false);
    rig.host->SetWidgetEnabled("Weather", true);
    EXPECT_EQ(rig.observation.starts.size() + rig.feed.starts.size(), 0u) << "before the start";
    rig.host->StartBackgroundWork();
    rig.host->StartBackgroundWork();
    EXPECT_EQ(std::pair(rig.observation.starts.size(), rig.feed.starts.size()),
              (std::pair<size_t, size_t>(1, 0)));
    rig.host->SetWidgetEnabled("News", true);
    EXPECT_EQ(rig.feed.starts.size(), 1u);
}

TEST(WeatherWidget, FetchesBothFeedsNumbersTheMenuKeepsValuesOnFailureAndOpensOnlyWebLinks) {
    Rig rig;
    EXPECT_EQ(rig.observation.starts,
              Lines{"https://weather-broker-cdn.api.bbci.co.uk/en/observation/rss/2643743"});
    EXPECT_EQ(rig.forecast.starts,
              Lines{"https://weather-broker-cdn.api.bbci.co.uk/en/forecast/rss/3day/2643743"});
    EXPECT_EQ(MenuRows(*rig.weather),
              (Lines{"Fetching the weather... 0 off", "-", "Refresh Weather 9001"}));
    rig.forecast.Answer(Rss({{kThursday, "file:///C:/Windows/calc.exe"},
                             {"Fri: Rain", "\\\\evil\\share"},
                             {"!", "x"},
                             {"Sat: Sun", ""}}));
    EXPECT_EQ(MenuRows(*rig.weather), (Lines{"Thursday: Sunny, 8\u00b0 1", "Fri: Rain 2",
                                             "Sat: Sun 3", "-", "Refresh Weather 9001"}));
    rig.observation.Answer(Rss({{" Now: Sunny, 12\u00b0C (54\u00b0F) ", " http://w.example/1 "}}));
    const Lines full{"Now: Sunny, 12\u00b0C (54\u00b0F) 1",
                     "-",
                     "Thursday: Sunny, 8\u00b0 2",
                     "Fri: Rain 3",
                     "Sat: Sun 4",
                     "-",
                     "Refresh Weather 9001"};
    EXPECT_EQ(MenuRows(*rig.weather), full);
    EXPECT_EQ(rig.weather->ButtonText(), "12\u00b0");

    PickCommand(*rig.weather, 9001);  // hostile answers change nothing
    rig.observation.Answer("<rss><item><title>1\u00b0C</title>");
    rig.forecast.Answer("<!DOCTYPE r [<!ENTITY a 'b'>]><rss><item><title>&a;</title></item></rss>");
    for (int command = 0; command <= 5; ++command) PickCommand(*rig.weather, command);
    EXPECT_EQ(MenuRows(*rig.weather), full);
    EXPECT_EQ(rig.commands.calls, Lines{"open http://w.example/1"});
    const Lines records = rig.log.Records();  // two feeds kept, two links refused
    ASSERT_EQ(records.size(), 4u);
    EXPECT_NE(records[2].find("'file:///C:/Windows/calc.exe'"), std::string::npos);
    for (int tick = 1; tick < 1800; ++tick) rig.weather->Refresh();
    EXPECT_EQ(rig.observation.starts.size(), 2u);
    rig.weather->Refresh();
    EXPECT_EQ(rig.forecast.starts.size(), 3u);
    rig.host->Dispose();
    EXPECT_FALSE(rig.observation.pending || rig.forecast.pending);
}

TEST(NewsWidget, TakesTheFirstTenTitledItemsRotatesCutsAndKeepsTheBarWithoutTitles) {
    Rig rig;
    EXPECT_EQ(rig.feed.starts, Lines{"https://feeds.bbci.co.uk/news/rss.xml"});
    EXPECT_EQ(MenuRows(*rig.news),
              (Lines{"Fetching headlines... 0 off", "-", "Refresh Headlines 9001"}));
    std::vector<std::pair<std::string, std::string>> items{{std::string(70, 'a'), "http://n/1"}};
    for (int i = 2; i <= 25; ++i)
        items.emplace_back(i % 4 == 0 ? " " : i == 2 ? "!" : "N" + std::to_string(i), "");
    rig.feed.Answer(Rss(items));
    Lines expected{std::string(61, 'a') + "... 1"};
    for (int i : {3, 5, 6, 7, 9, 10, 11, 13, 14})
        expected.push_back("N" + std::to_string(i) + " " + std::to_string(expected.size() + 1));
    expected.insert(expected.end(), {"-", "Refresh Headlines 9001"});
    EXPECT_EQ(MenuRows(*rig.news), expected);
    EXPECT_EQ(rig.news->ButtonText(), std::string(45, 'a') + "...");

    PickCommand(*rig.news, 9001);
    // A document type quoted in the content is text; only one in the prolog refuses the feed.
    rig.feed.Answer(Rss({{"One", ""}, {"<![CDATA[Two <!DOCTYPE>]]>", ""}, {"Three", ""}}));
    Lines shown;
    for (int tick = 1; tick <= 40; ++tick, rig.news->Refresh())
        if (tick % 10 == 1) shown.push_back(rig.news->ButtonText());
    EXPECT_EQ(shown, (Lines{"One", "Two <!DOCTYPE>", "Three", "One"}));
    PickCommand(*rig.news, 9001);
    rig.feed.Answer(Rss({{"!", "http://n/1"}, {"  ", ""}}));
    EXPECT_EQ(MenuRows(*rig.news), (Lines{"No headlines 0 off", "-", "Refresh Headlines 9001"}));
    EXPECT_EQ(rig.news->ButtonText(), "Two <!DOCTYPE>");
    PickCommand(*rig.news, 9001);
    rig.feed.Answer({}, "no answer");
    EXPECT_EQ(rig.log.Records(),
              Lines{R"(12002,"NewsWidget","onreadystatechange","the feed did not )"
                    R"(load or parse: no answer (https://feeds.bbci.co.uk/news/rss.)"
                    R"(xml) - keeping the previous headlines")"});
    // A load that cannot start leaves nothing fetching.
    rig.feed.failStart = true;
    PickCommand(*rig.news, 9001);
    EXPECT_EQ(MenuRows(*rig.news).front(), "No headlines 0 off");
}

}  // namespace
}  // namespace tarvik::test
