#include "core/widgets/WeatherWidget.h"

#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/feeds/FeedReading.h"
#include "core/text/MenuLabel.h"
#include "core/theme/Theme.h"
#include "core/xml/XmlDocument.h"

namespace tarvik {

namespace {

constexpr int32_t kMenuWidth = 64;

// The service's host as an address start: a bare host name is reached over https.
std::string ServiceRoot(std::string_view host) {
    std::string root(host.find("://") == std::string_view::npos ? "https://" : "");
    root += host;
    while (!root.empty() && root.back() == '/') root.pop_back();
    return root;
}

}  // namespace

WeatherWidget::WeatherWidget(const WeatherWidgetServices& services)
    : m_theme(services.theme),
      m_trace(services.trace),
      m_parser(services.parser),
      m_observationFeed(services.observationFeed),
      m_forecastFeed(services.forecastFeed),
      m_menuLinks(services.commands, services.trace, kSource) {}

const SkinButton* WeatherWidget::ButtonIcon() const {
    return &m_theme.Skin("weather");
}

std::string WeatherWidget::ObservationAddress() const {
    return ServiceRoot(m_theme.WeatherHost) + "/en/observation/rss/" + m_theme.WeatherLocation;
}

std::string WeatherWidget::ForecastAddress() const {
    return ServiceRoot(m_theme.WeatherHost) + "/en/forecast/rss/3day/" + m_theme.WeatherLocation;
}

void WeatherWidget::SetRunning(bool running) {
    if (running) {
        m_ticks = 0;
        StartFetch();
    } else {
        m_observationFeed.Cancel();
        m_forecastFeed.Cancel();
    }
}

void WeatherWidget::Refresh() {
    if (++m_ticks < kTicksPerFetch) return;
    m_ticks = 0;
    StartFetch();
}

void WeatherWidget::StartFetch() {
    RunLogged(m_trace, kSource, "StartFetch", true, [&] {
        if (m_theme.WeatherLocation.empty()) return;
        m_observationFeed.Start(ObservationAddress(),
                                [this](const FeedAnswer& answer) { OnObservation(answer); });
        m_forecastFeed.Start(ForecastAddress(),
                             [this](const FeedAnswer& answer) { OnForecast(answer); });
    });
}

void WeatherWidget::OnObservation(const FeedAnswer& answer) {
    RunLogged(m_trace, kSource, "observation", true, [&] {
        const LoadedFeed feed = LoadFeed(m_parser, answer);
        if (!feed.document) {
            m_trace.LogErrorOnce(feed.code, kSource, "observation",
                                 "the observation feed did not load or parse: " + feed.reason +
                                     " - keeping the previous reading");
            return;
        }
        const auto first = ReadFirstItem(*feed.document);
        if (!first) return;
        if (first->title) {
            m_observationTitle = *first->title;
            m_buttonText = TemperatureFrom(m_observationTitle);
        }
        if (first->link) m_observationLink = *first->link;
    });
}

void WeatherWidget::OnForecast(const FeedAnswer& answer) {
    RunLogged(m_trace, kSource, "forecast", true, [&] {
        const LoadedFeed feed = LoadFeed(m_parser, answer);
        if (!feed.document) {
            m_trace.LogErrorOnce(feed.code, kSource, "forecast",
                                 "the forecast feed did not load or parse: " + feed.reason +
                                     " - keeping the previous forecast");
            return;
        }
        const auto items = ReadTitledItems(*feed.document, kMaxForecastLines);
        if (!items) return;
        m_forecastLines.clear();
        m_forecastLinks.clear();
        for (const FeedItem& item : *items) {
            m_forecastLines.push_back(ForecastLine(item.title));
            m_forecastLinks.push_back(item.link);
        }
    });
}

MenuItemList WeatherWidget::BuildMenu() {
    MenuItemList items;
    std::vector<std::string> links;
    const bool built = RunLogged(m_trace, kSource, "BuildMenu", true, [&] {
        if (!m_observationTitle.empty()) {
            items.push_back(FeedMenuItem(MenuLabel(m_observationTitle, kMenuWidth), 1));
            links.push_back(m_observationLink);
        }
        if (!m_forecastLines.empty() && !items.empty()) items.push_back(FeedMenuItem({}, 0));
        for (size_t i = 0; i < m_forecastLines.size(); ++i) {
            const auto command = static_cast<int32_t>(links.size() + 1);
            items.push_back(FeedMenuItem(MenuLabel(m_forecastLines[i], kMenuWidth), command));
            links.push_back(m_forecastLinks[i]);
        }
        if (items.empty()) items.push_back(FeedMenuItem("Fetching the weather...", 0, false));
        items.push_back(FeedMenuItem({}, 0));
        items.push_back(FeedMenuItem("Refresh Weather", kRefreshCommand));
    });
    if (!built) items.clear();
    m_menuLinks.Remember(built ? std::move(links) : std::vector<std::string>());
    return items;
}

void WeatherWidget::OnMenuCommand(const MenuItem& item) {
    m_menuLinks.Pick(item, kRefreshCommand, [this] { StartFetch(); });
}

}  // namespace tarvik
