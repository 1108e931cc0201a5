#include "win32/app/BarParts.h"

#include "core/app/LogException.h"
#include "core/shortcuts/MenuEditorWidget.h"
#include "core/theme/Theme.h"
#include "core/widgets/AppWidget.h"
#include "core/widgets/ClipboardWidget.h"
#include "core/widgets/ClockWidget.h"
#include "core/widgets/NewsWidget.h"
#include "core/widgets/SpotlightWidget.h"
#include "core/widgets/StartWidget.h"
#include "core/widgets/StatsWidget.h"
#include "core/widgets/TimerWidget.h"
#include "core/widgets/TrayWidget.h"
#include "core/widgets/VolumeWidget.h"
#include "core/widgets/WeatherWidget.h"
#include "core/widgets/framework/WidgetHost.h"
#include "win32/app/ProcessInfo.h"

namespace tarvik {

BarParts::BarParts(Trace& log, const Overrides& given, const Dpi& scale, const Theme& look,
                   const WindowsVersion& version)
    : trace(log),
      overrides(given),
      dpi(scale),
      theme(look),
      twipsPerPixel(ScreenTwipsPerPixel()),
      subclass(trace),
      surfaces(trace),
      composition(version, trace),
      brushes(theme.TextColour, theme.HighlightTextColour, theme.DisabledTextColour),
      nativeMenu(systemMenuReader, commandPoster, messageBox, trace, theme.Layout),
      menuSource(nativeMenu, accessibleMenus, trace),
      settings(trace),
      audio(trace),
      clipboardHistory(clipboard, trace),
      customMenus(CustomMenusServices{settings, trace, shortcutWindows, keySender, nativeMenu}),
      trayHost(trace),
      searchPanel(SearchPanelServices{theme, brushes, trace, surfaces, composition, menuSource,
                                      &customMenus, nativeMenu, shortcutWindows, settings}) {
    contextMenu.AddItem(1, "Exit");
    RouteWidgetCommands();
    nativeMenu.SetAccessibleCommand([this](const MenuItem& item) { menuSource.Invoke(item); });
}

// A widget's menu row runs the widget's command; a failure there ends only that command.
void BarParts::RouteWidgetCommands() {
    nativeMenu.SetWidgetCommand([this](IWidget& widget, const MenuItem& item) {
        RunLogged(trace, NativeMenu::kModule, "HandleMenuItem", true,
                  [&] { widget.OnMenuCommand(item); });
    });
}

void BarParts::RegisterWidgets(WidgetHost& host) {
    host.Register(std::make_shared<StartWidget>(theme, systemCommands, trace));
    host.Register(std::make_shared<ClockWidget>(
        ClockWidgetServices{theme, brushes, trace, dpi, clock, dateNames}));
    host.Register(std::make_shared<AppWidget>(AppWidgetServices{
        theme, brushes, trace, dpi, systemCommands, ExecutableVersion(), &hotkeys}));
    host.Register(std::make_shared<SpotlightWidget>(theme, keySender));
    host.Register(
        std::make_shared<VolumeWidget>(VolumeWidgetServices{theme, brushes, trace, dpi, audio}));
    host.Register(std::make_shared<WeatherWidget>(WeatherWidgetServices{
        theme, trace, systemCommands, feedParser, observationFeed, forecastFeed}));
    host.Register(
        std::make_shared<TrayWidget>(TrayWidgetServices{theme, trace, dpi, trayHost.Icons()}));
    host.Register(std::make_shared<ClipboardWidget>(theme, clipboardHistory, trace));
    host.Register(std::make_shared<TimerWidget>(theme, tickClock, sound, trace));
    host.Register(std::make_shared<StatsWidget>(
        StatsWidgetServices{theme, brushes, trace, dpi, counters, UserDecimalSeparator()}));
    host.Register(std::make_shared<NewsWidget>(
        NewsWidgetServices{theme, trace, systemCommands, feedParser, newsFeed}));
    // Hidden, after every widget on the bar: it owns the custom menus' entries.
    host.RegisterHidden(std::make_shared<MenuEditorWidget>(
        MenuEditorServices{theme, brushes, trace, dpi, customMenus}));
}

BarServices BarParts::ForBar(std::function<void(int32_t)> onContextCommand) {
    return BarServices{trace,
                       overrides,
                       theme,
                       brushes,
                       surfaces,
                       subclass,
                       composition,
                       nativeMenu,
                       contextMenu,
                       twipsPerPixel,
                       dpi,
                       settings,
                       std::move(onContextCommand),
                       [this](WidgetHost& host) { RegisterWidgets(host); },
                       nullptr,
                       &clipboardHistory,
                       &customMenus,
                       &trayHost,
                       &menuSource,
                       nullptr,
                       &hotkeys,
                       &hotkeyWindow,
                       {},
                       &menuSource};
}

DropDownServices BarParts::ForDropDown() {
    return DropDownServices{theme,       brushes,  trace,      surfaces,
                            composition, subclass, nativeMenu, twipsPerPixel};
}

WidgetCanvasServices BarParts::ForCanvas() {
    return WidgetCanvasServices{theme, trace, surfaces, composition, subclass};
}

}  // namespace tarvik
