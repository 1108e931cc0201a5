#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/menus/MenuPorts.h"

namespace tarvik {

// Reads other programs' menus and window titles with the user32 menu calls, by position.
class Win32MenuReader final : public IMenuReader {
  public:
    MenuHandle MenuBar(WindowHandle window) const override;
    int32_t ItemCount(MenuHandle menu) const override;
    MenuHandle SubMenu(MenuHandle menu, int32_t position) const override;
    uint32_t State(MenuHandle menu, int32_t position) const override;
    std::string Text(MenuHandle menu, int32_t position) const override;
    int32_t ItemId(MenuHandle menu, int32_t position) const override;
    std::string WindowTitle(WindowHandle window) const override;
};

// Posts WM_COMMAND with PostMessageW; a refusal carries GetLastError's code.
class Win32CommandPoster final : public ICommandPoster {
  public:
    PostResult PostCommand(WindowHandle window, int32_t commandId) override;
};

// MessageBoxW without an owner window, on a thread of its own so that the caller's thread never
// runs the box's message loop; the box lives until the user closes it or the process ends.
// Throws when the thread cannot be started.
class Win32MessageBox final : public IMessageBox {
  public:
    void Show(std::string_view title, std::string_view text, uint32_t flags) override;
};

}  // namespace tarvik
