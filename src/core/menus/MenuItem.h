#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/menus/AccessibleElement.h"
#include "core/platform/WindowHandle.h"

namespace tarvik {

class IWidget;
struct MenuItem;

// Menus hold shared items: the strip, a drop-down and its cascade may refer to the same ones.
using MenuItemList = std::vector<std::shared_ptr<MenuItem>>;

// One entry of any menu: read from another program, built by a widget, or a custom shortcut.
struct MenuItem {
    float width = 0;   // measured title width, set by the strip's layout
    float Left = 0;    // x of the title text inside the strip, set by the layout
    std::string text;  // caption without mnemonic markers
    // The letter the caption marked with a single "&" (its access key, one UTF-8 character);
    // empty when it marked none.
    std::string AccessKey;
    MenuItemList Children;
    int32_t CommandId = 0;           // sent as the WM_COMMAND wParam
    WindowHandle hWnd = 0;           // receives the command
    IWidget* OwnerWidget = nullptr;  // when set, picking calls the widget instead of posting
    std::string ShortcutKeys;        // key chord of a custom shortcut entry
    std::string AcceleratorText;     // key text a program's menu shows beside the caption
    bool IsSeparator = false;
    bool IsEnabled = true;
    bool IsChecked = false;  // drawn with a check mark
    // Set for an entry read through the program's accessibility interface: where it sits below
    // the program's menu bar. Picking such an entry runs it there instead of posting a command.
    AccessPath AccessiblePath;
};

}  // namespace tarvik
