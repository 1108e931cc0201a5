#pragma once

#include <cstdint>
#include <functional>

#include "core/menus/AccessibleMenuSource.h"
#include "core/menus/DropDownPlacement.h"
#include "core/menus/MenuPorts.h"
#include "core/menus/NativeMenu.h"
#include "core/shortcuts/CustomMenus.h"
#include "core/shortcuts/Hotkeys.h"
#include "core/theme/Brushes.h"
#include "core/widgets/ClipboardHistory.h"
#include "win32/app/SystemClock.h"
#include "win32/bar/RivovoZoz.h"
#include "win32/bar/WindowComposition.h"
#include "win32/feeds/HttpFeedFetcher.h"
#include "win32/menus/ContextMenu.h"
#include "win32/menus/DropDownMenu.h"
#include "win32/menus/Win32AccessibleMenus.h"
#include "win32/menus/Win32MenuPorts.h"
#include "win32/platform/LayeredWindow.h"
#include "win32/platform/RegistrySettings.h"
#include "win32/platform/WindowSubclass.h"
#include "win32/search/SearchPanel.h"
#include "win32/shortcuts/GlobalHotkeys.h"
#include "win32/shortcuts/Win32ShortcutPorts.h"
#include "win32/widgets/CoreAudio.h"
#include "win32/widgets/LocaleDateNames.h"
#include "win32/widgets/SystemCommands.h"
#include "win32/widgets/SystemCounters.h"
#include "win32/widgets/TimerPorts.h"
#include "win32/widgets/TrayHost.h"
#include "win32/widgets/Win32Clipboard.h"
#include "win32/widgets/framework/WidgetCanvas.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik {

class Dpi;
struct Overrides;
class Theme;
class WidgetHost;
class Trace;
struct WindowsVersion;

// The object graph behind the bar: every process-wide service the bar, its menus and its
// windows use, made in one place in the order they depend on each other and dropped in reverse.
// Start-up, the Windows test harness and the timing programs all build it here, so a new
// port or service is wired once. Trace, overrides, scale and theme are made before it (the theme
// decides the brushes and the layout) and must outlive it.
class BarParts {
  public:
    BarParts(Trace& trace, const Overrides& overrides, const Dpi& dpi, const Theme& theme,
             const WindowsVersion& version);
    BarParts(const BarParts&) = delete;
    BarParts& operator=(const BarParts&) = delete;

    // What the bar is built from; onContextCommand hears the context menu's picks.
    BarServices ForBar(std::function<void(int32_t)> onContextCommand);
    // What a drop-down of the bar's menus is built from.
    DropDownServices ForDropDown();
    // What the widgets' canvas is built from.
    WidgetCanvasServices ForCanvas();
    // Makes the built-in widgets and registers them with the host in their order on the bar.
    void RegisterWidgets(WidgetHost& host);

    Trace& trace;
    const Overrides& overrides;
    const Dpi& dpi;
    const Theme& theme;
    TwipsPerPixel twipsPerPixel;
    WindowSubclass subclass;
    LayeredWindow surfaces;
    WindowComposition composition;
    Brushes brushes;
    Win32MenuReader systemMenuReader;
    Win32CommandPoster commandPoster;
    Win32MessageBox messageBox;
    NativeMenu nativeMenu;
    // Menu bars that programs draw themselves, read through their accessibility interface where
    // a window has no Win32 menu bar: what the strip reads.
    Win32AccessibleMenus accessibleMenus;
    AccessibleMenuSource menuSource;
    // The bar's right-click menu: its one entry, "Exit", is command 1.
    ContextMenu contextMenu;
    // What the widgets use: the user's settings, the system's commands, the clock and the
    // names of days and months, the sound device, the load counters.
    RegistrySettings settings;
    ShellSystemCommands systemCommands;
    SystemClock clock;
    LocaleDateNames dateNames;
    CoreAudio audio;
    SystemCounters counters;
    // The clipboard history the bar's window feeds, and what the countdown runs on.
    Win32Clipboard clipboard;
    ClipboardHistory clipboardHistory;
    TickClock tickClock;
    MessageBeepSound sound;
    // Synthetic keys, and the user's shortcut menus for programs without a menu bar.
    Win32KeySender keySender;
    Win32ShortcutWindows shortcutWindows;
    CustomMenus customMenus;
    // The system-wide hotkeys (open the menus, menu search), held for the bar's window.
    GlobalHotkeys hotkeyWindow;
    Hotkeys hotkeys{settings, hotkeyWindow, trace};
    // The weather's two feeds and the news feed, each loaded on its own, read as XML.
    MsXmlParser feedParser;
    HttpFeedFetcher observationFeed{trace};
    HttpFeedFetcher forecastFeed{trace};
    HttpFeedFetcher newsFeed{trace};
    // The notification icons of other programs, for the tray widget.
    TrayHost trayHost;
    // The search over the menus of the program in front; its hotkey opens it with OpenFor.
    SearchPanel searchPanel;

  private:
    void RouteWidgetCommands();
};

}  // namespace tarvik
