#pragma once

#include <windows.h>

namespace tarvik {

// Hears another program report, through its accessibility events, that the objects inside one
// of its windows came, went, moved or were renamed: what a menu bar the program draws itself
// does when its titles change. The events of that program only are asked for, out of context
// (no code of ours runs in the program); each one that counts posts kChangedMessage to the
// target window, with the program's top-level window as wParam. Posts are not repeated until
// the target calls Heard, so a program reporting hundreds of events a second queues one.
//
// The message is harmless from anyone: it only makes the strip read the titles again, at most
// once a second.
class MenuBarChangeHook {
  public:
    static constexpr UINT kChangedMessage = WM_APP + 0x51;

    MenuBarChangeHook() = default;
    ~MenuBarChangeHook();
    MenuBarChangeHook(const MenuBarChangeHook&) = delete;
    MenuBarChangeHook& operator=(const MenuBarChangeHook&) = delete;

    // Reports window's changes to target from now on (the hooks move when window belongs to
    // another process than the one before); a null window stops the reports. On the thread
    // that runs target's messages.
    void Watch(HWND target, HWND window);
    // The target took the last post: the next event posts again.
    void Heard() { m_posted = false; }
    void Stop();

  private:
    // Whether an event about object/child of hwnd counts as a change of window's menu bar.
    static bool Counts(HWND window, HWND hwnd, LONG object, LONG child);
    static void CALLBACK EventProc(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG object,
                                   LONG child, DWORD thread, DWORD time);

    HWND m_target = nullptr;
    HWND m_window = nullptr;
    DWORD m_process = 0;
    HWINEVENTHOOK m_hooks[2] = {};
    bool m_posted = false;
};

}  // namespace tarvik
