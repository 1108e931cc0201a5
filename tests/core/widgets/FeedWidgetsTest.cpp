#include <gtest/gtest.h>

#include "core/feeds/FeedReading.h"
#include "core/support/PugiXmlParser.h"
#include "core/support/WidgetFakes.h"
#include "core/widgets/NewsWidget.h"
#include "core/widgets/WeatherWidget.h"

namespace tarvik::test {
namespace {

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
