#include "core/widgets/NewsWidget.h"

#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/text/MenuLabel.h"
#include "core/theme/Theme.h"
#include "core/xml/XmlDocument.h"

namespace tarvik {

NewsWidget::NewsWidget(const NewsWidgetServices& services)
    : m_theme(services.theme),
      m_trace(services.trace),
      m_parser(services.parser),
      m_feed(services.feed),
      m_menuLinks(services.commands, services.trace, kSource) {}

const SkinButton* NewsWidget::ButtonIcon() const {
    return &m_theme.Skin("news");
}

void NewsWidget::SetRunning(bool running) {
    if (running) {
        m_fetchTicks = 0;
        StartFetch();
    } else {
        m_feed.Cancel();
        m_fetching = false;
    }
}

void NewsWidget::Refresh() {
    RunLogged(m_trace, kSource, "Refresh", true, [&] {
        if (++m_fetchTicks >= kTicksPerFetch) {
            m_fetchTicks = 0;
            StartFetch();
        }
        if (++m_rotateTicks < kTicksPerHeadline) return;
        m_rotateTicks = 0;
        if (!m_headlines.empty()) ShowHeadline((m_current + 1) % m_headlines.size());
    });
}

void NewsWidget::ShowHeadline(size_t index) {
    m_current = index;
    m_buttonText = MenuLabel(m_headlines[index].title, kBarWidth);
}

void NewsWidget::StartFetch() {
    RunLogged(m_trace, kSource, "StartFetch", true, [&] {
        m_fetching = false;
        if (m_theme.NewsFeedUrl.empty()) return;
        m_feed.Start(m_theme.NewsFeedUrl, [this](const FeedAnswer& answer) { OnFeed(answer); });
        m_fetching = true;
    });
}

void NewsWidget::OnFeed(const FeedAnswer& answer) {
    m_fetching = false;
    RunLogged(m_trace, kSource, "onreadystatechange", true, [&] {
        const LoadedFeed feed = LoadFeed(m_parser, answer);
        if (!feed.document) {
            m_trace.LogErrorOnce(feed.code, kSource, "onreadystatechange",
                                 "the feed did not load or parse: " + feed.reason + " (" +
                                     m_theme.NewsFeedUrl + ") - keeping the previous headlines");
            return;
        }
        auto headlines = ReadTitledItems(*feed.document, kMaxHeadlines);
        if (!headlines) return;
        // A feed without a titled item empties the menu; the bar keeps its last headline.
        m_headlines = std::move(*headlines);
        if (m_headlines.empty()) return;
        m_rotateTicks = 0;
        ShowHeadline(0);
    });
}

MenuItemList NewsWidget::BuildMenu() {
    MenuItemList items;
    std::vector<std::string> links;
    const bool built = RunLogged(m_trace, kSource, "BuildMenu", true, [&] {
        for (const FeedItem& headline : m_headlines) {
            links.push_back(headline.link);
            items.push_back(FeedMenuItem(MenuLabel(headline.title, kMenuWidth),
                                         static_cast<int32_t>(links.size())));
        }
        if (items.empty()) {
            items.push_back(
                FeedMenuItem(m_fetching ? "Fetching headlines..." : "No headlines", 0, false));
        }
        items.push_back(FeedMenuItem({}, 0));
        items.push_back(FeedMenuItem("Refresh Headlines", kRefreshCommand));
    });
    if (!built) items.clear();
    m_menuLinks.Remember(built ? std::move(links) : std::vector<std::string>());
    return items;
}

void NewsWidget::OnMenuCommand(const MenuItem& item) {
    m_menuLinks.Pick(item, kRefreshCommand, [this] { StartFetch(); });
}

}  // namespace tarvik
