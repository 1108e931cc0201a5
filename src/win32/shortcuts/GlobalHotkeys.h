#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <set>

#include "core/shortcuts/ShortcutPorts.h"

namespace tarvik {

// Holds system-wide hotkeys for one window of ours (RegisterHotKey, never repeating while the
// key is held down) and turns the window's WM_HOTKEY into calls of Pressed with the hotkey's id.
// Lets go of every hotkey when it goes.
class GlobalHotkeys final : public IHotkeyPort {
  public:
    GlobalHotkeys() = default;
    ~GlobalHotkeys() override;
    GlobalHotkeys(const GlobalHotkeys&) = delete;
    GlobalHotkeys& operator=(const GlobalHotkeys&) = delete;

    // The window the hotkeys are held for; hotkeys held for another window are let go first.
    void Attach(HWND window);
    HWND Window() const { return m_window; }

    std::function<void(int32_t id)> Pressed;

    // Error 1400 (no window) while none is attached.
    int32_t Register(int32_t id, uint32_t modifiers, int32_t keyCode) override;
    void Unregister(int32_t id) override;
    // The window's messages: true for a hotkey press, which it has handled.
    bool OnMessage(UINT message, WPARAM wParam);

  private:
    void UnregisterAll();

    HWND m_window = nullptr;
    std::set<int32_t> m_held;
};

}  // namespace tarvik
