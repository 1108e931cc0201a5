#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/feeds/FeedFetcher.h"
#include "core/widgets/FeedLinks.h"
#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class ISystemCommands;
class Theme;
class Trace;
class XmlParser;

// What the weather widget works with; every reference must outlive the widget.
struct WeatherWidgetServices {
    const Theme& theme;  // the service's host and the place
    Trace& trace;
    ISystemCommands& commands;  // opens a picked entry's page
    const XmlParser& parser;
    IFeedFetcher& observationFeed;
    IFeedFetcher& forecastFeed;
};

// The current temperature on the bar (for example 12°) and a menu with the latest observation,
// the three-day forecast and "Refresh Weather". Both feeds are fetched when the widget is switched
// on, every 30 minutes and on demand; each updates only its own part, and a feed that fails
// leaves the previous values in place.
class WeatherWidget final : public IWidget {
  public:
    static constexpr const char* kSource = "WeatherWidget";
    static constexpr int32_t kRefreshCommand = 9001;
    static constexpr int32_t kTicksPerFetch = 1800;
    // A forecast never has more entries than this, whatever the feed holds.
    static constexpr size_t kMaxForecastLines = 10;

    explicit WeatherWidget(const WeatherWidgetServices& services);

    std::string Name() const override { return "Weather"; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateMenu; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return m_buttonText; }
    void Refresh() override;
    MenuItemList BuildMenu() override;
    void OnMenuCommand(const MenuItem& item) override;
    void SetRunning(bool running) override;

    // Loads both feeds again, dropping loads still running.
    void StartFetch();
    // The two addresses for the theme's service and place.
    std::string ObservationAddress() const;
    std::string ForecastAddress() const;

  private:
    void OnObservation(const FeedAnswer& answer);
    void OnForecast(const FeedAnswer& answer);

    const Theme& m_theme;
    Trace& m_trace;
    const XmlParser& m_parser;
    IFeedFetcher& m_observationFeed;
    IFeedFetcher& m_forecastFeed;
    FeedLinks m_menuLinks;
    std::string m_buttonText;
    std::string m_observationTitle;
    std::string m_observationLink;
    std::vector<std::string> m_forecastLines;
    std::vector<std::string> m_forecastLinks;
    int32_t m_ticks = 0;
};

}  // namespace tarvik
