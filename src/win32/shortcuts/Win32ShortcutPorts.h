#pragma once

#include "core/shortcuts/ShortcutPorts.h"

namespace tarvik {

// Key events through keybd_event. Windows reports nothing back: events meant for a program
// running with higher rights are dropped without a word.
class Win32KeySender final : public IKeySender {
  public:
    void SendKey(uint8_t keyCode, uint32_t flags) override;
};

// Other programs' windows as the custom menus see them.
class Win32ShortcutWindows final : public IShortcutWindows {
  public:
    std::string ProcessImagePath(WindowHandle window) const override;
    bool IsWindow(WindowHandle window) const override;
    bool BringToForeground(WindowHandle window) override;
    int32_t CursorX() const override;
};

}  // namespace tarvik
