#include "win32/app/BarParts.h"

#include "core/app/LogException.h"
#include "core/theme/Theme.h"
#include "core/widgets/AppWidget.h"
#include "core/widgets/ClockWidget.h"
#include "core/widgets/StartWidget.h"
#include "core/widgets/framework/WidgetHost.h"
#include "win32/app/ProcessInfo.h"

namespace tarvik {

BarParts::BarParts(Trace& trace, const Overrides& overrides, const Dpi& dpi, const Theme& theme,
                   const WindowsVersion& version)
    : trace(trace),
      overrides(overrides),
      dpi(dpi),
      theme(theme),
      twipsPerPixel(ScreenTwipsPerPixel()),
      subclass(trace),
      surfaces(trace),
      composition(version, trace),
      brushes(theme.TextColour, theme.HighlightTextColour, theme.DisabledTextColour),
      nativeMenu(systemMenuReader, commandPoster, messageBox, trace, theme.Layout),
      settings(trace) {
    contextMenu.AddItem(1, "Exit");
    // A widget's menu row runs the widget's command; a failure there ends only that command.
    nativeMenu.SetWidgetCommand([&trace](IWidget& widget, const MenuItem& item) {
        RunLogged(trace, NativeMenu::kModule, "HandleMenuItem", true,
                  [&] { widget.OnMenuCommand(item); });
    });
}

void BarParts::RegisterWidgets(WidgetHost& host) {
    host.Register(std::make_shared<StartWidget>(theme, systemCommands, trace));
    host.Register(std::make_shared<ClockWidget>(
        ClockWidgetServices{theme, brushes, trace, dpi, clock, dateNames}));
    host.Register(std::make_shared<AppWidget>(
        AppWidgetServices{theme, brushes, trace, dpi, systemCommands, ExecutableVersion()}));
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
                       [this](WidgetHost& host) { RegisterWidgets(host); }};
}

DropDownServices BarParts::ForDropDown() {
    return DropDownServices{theme,       brushes,  trace,      surfaces,
                            composition, subclass, nativeMenu, twipsPerPixel};
}

WidgetCanvasServices BarParts::ForCanvas() {
    return WidgetCanvasServices{theme, trace, surfaces, composition, subclass};
}

}  // namespace tarvik
