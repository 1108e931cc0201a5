#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/platform/WindowHandle.h"

namespace tarvik {

// Another program's menu as core code sees it: an opaque handle value, 0 for none.
using MenuHandle = std::uintptr_t;

// Reads the Win32 menus and titles of other programs' windows. Every call answers for a stale or
// invalid handle too (a count of -1, empty text, 0), as Windows itself does.
class IMenuReader {
  public:
    virtual ~IMenuReader() = default;

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

// Shows a modal message box and returns when the user has closed it. May throw tarvik::Error.
class IMessageBox {
  public:
    virtual ~IMessageBox() = default;

    // flags are the MB_* style bits of the box.
    virtual void Show(std::string_view title, std::string_view text, uint32_t flags) = 0;
};

}  // namespace tarvik
