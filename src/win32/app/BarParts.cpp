#include "win32/app/BarParts.h"

#include "core/theme/Theme.h"
#include "win32/app/ProcessInfo.h"

namespace tarvik {

BarParts::BarParts(Trace& trace, const Overrides& overrides, const Theme& theme,
                   const WindowsVersion& version)
    : trace(trace),
      overrides(overrides),
      theme(theme),
      twipsPerPixel(ScreenTwipsPerPixel()),
      subclass(trace),
      surfaces(trace),
      composition(version, trace),
      brushes(theme.TextColour, theme.HighlightTextColour, theme.DisabledTextColour),
      nativeMenu(systemMenuReader, commandPoster, messageBox, trace, theme.Layout) {
    contextMenu.AddItem(1, "Exit");
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
                       std::move(onContextCommand)};
}

DropDownServices BarParts::ForDropDown() {
    return DropDownServices{theme,       brushes,  trace,      surfaces,
                            composition, subclass, nativeMenu, twipsPerPixel};
}

WidgetCanvasServices BarParts::ForCanvas() {
    return WidgetCanvasServices{theme, trace, surfaces, composition, subclass};
}

}  // namespace tarvik
