#pragma once

#include "core/menus/MenuStrip.h"

namespace tarvik {

class NativeMenu;

// What the strip shows for a foreground window, read from the window's own menu bar.
class BarMenuSource final : public IMenuSource {
  public:
    explicit BarMenuSource(NativeMenu& nativeMenu) : m_nativeMenu(nativeMenu) {}

    std::string ShortWindowTitle(WindowHandle window) override;
    void ReadMenuBar(MenuItemList& titles, WindowHandle window) override;

  private:
    NativeMenu& m_nativeMenu;
};

}  // namespace tarvik
