#pragma once

#include <cstdint>
#include <functional>

#include "core/menus/DropDownPlacement.h"
#include "core/menus/MenuPorts.h"
#include "core/menus/NativeMenu.h"
#include "core/theme/Brushes.h"
#include "win32/bar/RivovoZoz.h"
#include "win32/bar/WindowComposition.h"
#include "win32/menus/ContextMenu.h"
#include "win32/menus/DropDownMenu.h"
#include "win32/menus/Win32MenuPorts.h"
#include "win32/platform/LayeredWindow.h"
#include "win32/platform/WindowSubclass.h"

namespace tarvik {

class CommandLine;
class Theme;
class Trace;
struct WindowsVersion;

// Ports a test may put in place of the system's own.
struct PortOverrides {
    const IMenuReader* menuReader = nullptr;
};

// The object graph behind the bar: every process-wide service the bar, its menus and its
// windows use, made in one place in the order they depend on each other and dropped in reverse.
// Start-up builds it with the system's ports; the Windows tests build the same graph with a
// port of their own swapped in. Trace, overrides and theme are made before it (the theme
// decides the brushes and the layout) and must outlive it.
class BarParts {
  public:
    BarParts(Trace& trace, CommandLine& commandLine, const Theme& theme,
             const WindowsVersion& version, PortOverrides overrides = {});
    BarParts(const BarParts&) = delete;
    BarParts& operator=(const BarParts&) = delete;

    // What the bar is built from; onContextCommand hears the context menu's picks.
    BarServices ForBar(std::function<void(int32_t)> onContextCommand);
    // What a drop-down of the bar's menus is built from.
    DropDownServices ForDropDown();

    Trace& trace;
    CommandLine& commandLine;
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
    // The bar's right-click menu: its one entry, "Exit", is command 1.
    ContextMenu contextMenu;
};

}  // namespace tarvik
