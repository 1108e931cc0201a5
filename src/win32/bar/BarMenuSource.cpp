#include "win32/bar/BarMenuSource.h"

#include <windows.h>

#include "core/menus/NativeMenu.h"

namespace tarvik {

std::string BarMenuSource::ShortWindowTitle(WindowHandle window) {
    return m_nativeMenu.ShortWindowTitle(window);
}

void BarMenuSource::ReadMenuBar(MenuItemList& titles, WindowHandle window) {
    // Only the menu bar is read, never the window's system menu.
    const HMENU menuBar = GetMenu(reinterpret_cast<HWND>(window));
    if (!menuBar) return;
    m_nativeMenu.PopulateMenuFromHandle(titles, reinterpret_cast<MenuHandle>(menuBar), window);
}

}  // namespace tarvik
