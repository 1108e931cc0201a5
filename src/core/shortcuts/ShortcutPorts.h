#pragma once

#include <cstdint>
#include <string>

#include "core/platform/WindowHandle.h"

namespace tarvik {

// Synthetic key presses: each event goes to the system's input queue and reaches whatever window
// has the keyboard focus when it is taken off.
class IKeySender {
  public:
    static constexpr uint32_t kExtendedKey = 1;  // KEYEVENTF_EXTENDEDKEY
    static constexpr uint32_t kKeyUp = 2;        // KEYEVENTF_KEYUP

    virtual ~IKeySender() = default;
    // One key event for a virtual-key code, with scan code 0 and no extra information.
    virtual void SendKey(uint8_t keyCode, uint32_t flags) = 0;
};

// System-wide hotkeys held for the bar's window: Windows sends the window a notice with the id
// whenever the chord is pressed, whichever program is in front.
class IHotkeyPort {
  public:
    virtual ~IHotkeyPort() = default;
    // Takes the chord (modifiers as Windows registers them) under the id; 0 when taken,
    // otherwise the system's error code (another program holds it: 1409).
    virtual int32_t Register(int32_t id, uint32_t modifiers, int32_t keyCode) = 0;
    // Lets go of the chord held under the id; nothing when none is held.
    virtual void Unregister(int32_t id) = 0;
};

// What the custom shortcut menus ask about other programs' windows.
class IShortcutWindows {
  public:
    virtual ~IShortcutWindows() = default;
    // The full path of the executable of the process that owns the window; empty when the
    // process is gone or may not be asked.
    virtual std::string ProcessImagePath(WindowHandle window) const = 0;
    virtual bool IsWindow(WindowHandle window) const = 0;
    // Asks Windows to bring the window to the front and gives the switch a moment (60 ms) to
    // take effect; true when the window is in front afterwards.
    virtual bool BringToForeground(WindowHandle window) = 0;
    // The pointer's x on the screen (0 when it cannot be read).
    virtual int32_t CursorX() const = 0;
};

}  // namespace tarvik
