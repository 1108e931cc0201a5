#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/menus/MenuItem.h"
#include "core/platform/WindowHandle.h"

namespace tarvik {

// Another program's menu as core code sees it: an opaque handle value, 0 for none.
using MenuHandle = std::uintptr_t;

// Reads the Win32 menus and titles of other programs' windows. Every call answers for a stale or
// invalid handle too (a count of -1, empty text, 0), as Windows itself does.
class IMenuReader {
  public:
    virtual ~IMenuReader() = default;

    // The window's own menu bar (never its system menu), 0 when it has none.
    virtual MenuHandle MenuBar(WindowHandle window) const = 0;
    // The number of entries, -1 when the handle is not a menu.
    virtual int32_t ItemCount(MenuHandle menu) const = 0;
    // The submenu opened by the entry at a 0-based position, 0 when it opens none.
    virtual MenuHandle SubMenu(MenuHandle menu, int32_t position) const = 0;
    // The entry's state flags (MF_GRAYED, MF_DISABLED, MF_SEPARATOR ...), by position.
    virtual uint32_t State(MenuHandle menu, int32_t position) const = 0;
    // The entry's caption as Windows keeps it (mnemonic markers and accelerator text included),
    // at most 255 UTF-16 units.
    virtual std::string Text(MenuHandle menu, int32_t position) const = 0;
    // The entry's command identifier; -1 for an entry that opens a submenu.
    virtual int32_t ItemId(MenuHandle menu, int32_t position) const = 0;
    // The window's title, at most 255 UTF-16 units; empty when it has none or cannot be read.
    virtual std::string WindowTitle(WindowHandle window) const = 0;
};

// The outcome of posting a command: whether Windows queued it and, when not, its error code.
struct PostResult {
    bool posted = false;
    int32_t errorCode = 0;
};

// Sends menu commands to other programs' windows without waiting for them.
class ICommandPoster {
  public:
    virtual ~ICommandPoster() = default;

    // Posts WM_COMMAND with the command identifier as wParam and 0 as lParam.
    virtual PostResult PostCommand(WindowHandle window, int32_t commandId) = 0;
};

// Shows a message box and returns at once, without waiting for the user to close it: no message
// loop runs under the caller. May throw tarvik::Error.
class IMessageBox {
  public:
    virtual ~IMessageBox() = default;

    // flags are the MB_* style bits of the box.
    virtual void Show(std::string_view title, std::string_view text, uint32_t flags) = 0;
};

// Reads what the strip shows for a foreground window: its short title and its menu bar.
class IMenuSource {
  public:
    virtual ~IMenuSource() = default;
    // The window's title cut for display.
    virtual std::string ShortWindowTitle(WindowHandle window) const = 0;
    // Appends one title per entry of the window's menu bar (with their drop-down rows as
    // children); adds nothing for a window without a menu bar.
    virtual void ReadMenuBar(MenuItemList& titles, WindowHandle window) = 0;
    // Called just before a title's drop-down opens. A source whose titles come with their rows
    // does nothing; one that reads rows only when asked fills the title's children here.
    virtual void ReadTitleRows(MenuItem& /*title*/) {}
};

// Runs a menu entry the user chose, as a pick in a drop-down does, with the same refusals.
class IMenuCommands {
  public:
    virtual ~IMenuCommands() = default;
    virtual void RunCommand(const MenuItem& item) = 0;
};

// The user's own shortcut menus, offered for windows that have no menu bar of their own.
class ICustomMenuSource {
  public:
    virtual ~ICustomMenuSource() = default;
    virtual void AppendMenusFor(MenuItemList& titles, WindowHandle window) = 0;
};

}  // namespace tarvik
