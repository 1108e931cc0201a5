#pragma once

#include <windows.h>

#include <cstdint>
#include <set>

namespace tarvik {

// While the bar's menus are worked from the keyboard, the keys are taken on their way to the
// program in front: a low-level keyboard hook posts each key press to the owner window as
// kKeyMessage (wParam the virtual-key code, lParam the character it types, 0 for none) and keeps
// the key from the program; modifier keys pass untouched. A low-level mouse hook posts every
// button press as kClickMessage (lParam the screen point, x low and y high), so that a click
// elsewhere closes the menus. The program in front keeps the activation and the keyboard focus
// the whole time, so nothing has to be handed back when the menus close.
//
// The hooks live only between Start and Stop, and their callbacks only post: the work happens in
// the owner's handlers. One per process (the hooks carry no context).
class MenuKeyboardHook {
  public:
    static constexpr UINT kKeyMessage = WM_APP + 0x41;
    static constexpr UINT kClickMessage = WM_APP + 0x42;

    MenuKeyboardHook() = default;
    ~MenuKeyboardHook();
    MenuKeyboardHook(const MenuKeyboardHook&) = delete;
    MenuKeyboardHook& operator=(const MenuKeyboardHook&) = delete;

    // False when Windows refused the keyboard hook (the error code is then in GetLastError).
    bool Start(HWND owner);
    void Stop();
    bool Running() const { return m_keyboard != nullptr; }

  private:
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);
    bool OnKey(WPARAM message, const KBDLLHOOKSTRUCT& key);

    HWND m_owner = nullptr;
    HHOOK m_keyboard = nullptr;
    HHOOK m_mouse = nullptr;
    // Keys whose press was taken: their release is taken too.
    std::set<DWORD> m_taken;
};

}  // namespace tarvik
