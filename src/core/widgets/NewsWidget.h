#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/feeds/FeedFetcher.h"
#include "core/feeds/FeedReading.h"
#include "core/widgets/FeedLinks.h"
#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class ISystemCommands;
class Theme;
class Trace;
class XmlParser;

// What the news widget works with; every reference must outlive the widget.
struct NewsWidgetServices {
    const Theme& theme;  // the feed's address
    Trace& trace;
    ISystemCommands& commands;  // opens a picked story
    const XmlParser& parser;
    IFeedFetcher& feed;
};

// One headline at a time on the bar, the next every ten seconds, and a menu of up to ten
// headlines; a pick opens the story in the browser. The feed is fetched when the widget is
// switched on, every 15 minutes and on demand; a feed that fails keeps the previous headlines.
class NewsWidget final : public IWidget {
  public:
    static constexpr const char* kSource = "NewsWidget";
    static constexpr int32_t kRefreshCommand = 9001;
    static constexpr int32_t kTicksPerFetch = 900;
    static constexpr int32_t kTicksPerHeadline = 10;
    static constexpr size_t kMaxHeadlines = 10;
    static constexpr int32_t kBarWidth = 48;
    static constexpr int32_t kMenuWidth = 64;

    explicit NewsWidget(const NewsWidgetServices& services);

    std::string Name() const override { return "News"; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateMenu; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return m_buttonText; }
    void Refresh() override;
    MenuItemList BuildMenu() override;
    void OnMenuCommand(const MenuItem& item) override;
    void SetRunning(bool running) override;

    // Loads the feed again, dropping a load still running.
    void StartFetch();

  private:
    void OnFeed(const FeedAnswer& answer);
    void ShowHeadline(size_t index);

    const Theme& m_theme;
    Trace& m_trace;
    const XmlParser& m_parser;
    IFeedFetcher& m_feed;
    FeedLinks m_menuLinks;
    std::vector<FeedItem> m_headlines;
    size_t m_current = 0;  // 0-based
    std::string m_buttonText;
    int32_t m_fetchTicks = 0;
    int32_t m_rotateTicks = 0;
    bool m_fetching = false;
};

}  // namespace tarvik
