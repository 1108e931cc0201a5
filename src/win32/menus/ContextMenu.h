#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "win32/platform/UniqueHandle.h"

namespace tarvik {

// The bar's own right-click menu: a popup menu that Windows draws itself.
class ContextMenu {
  public:
    ContextMenu() : m_menu(CreatePopupMenu()) {}

    HMENU Handle() const { return m_menu.Get(); }
    // Shows the menu with its top-left corner at (x, y), or at the cursor when both are 0 (the
    // cursor position is then written back). Returns the picked command, 0 when dismissed.
    int32_t ShowMenu(HWND owner, int32_t& x, int32_t& y);
    // The text of the entry with that command; empty when there is none.
    std::string GetMenuText(int32_t id) const;
    void AddItem(int32_t id, std::string_view caption);

  private:
    UniqueMenu m_menu;
};

}  // namespace tarvik
