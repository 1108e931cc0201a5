#include "win32/menus/MenuBarChangeHook.h"

#include <iterator>

namespace tarvik {

namespace {

// The hook that hears the events; its callback carries no context, and the bar keeps one.
MenuBarChangeHook* g_listener = nullptr;

}  // namespace

MenuBarChangeHook::~MenuBarChangeHook() {
    Stop();
}

void MenuBarChangeHook::Watch(HWND target, HWND window) {
    DWORD process = 0;
    if (window != nullptr) GetWindowThreadProcessId(window, &process);
    if (process == 0) {
        Stop();
        return;
    }
    m_target = target;
    m_window = window;
    if (process == m_process && m_hooks[0] != nullptr) return;
    Stop();
    m_target = target;
    m_window = window;
    m_process = process;
    g_listener = this;
    // Objects created, destroyed, shown, hidden or reordered (one range), and renamed. Focus,
    // selection, state and location changes are left out: a program fires them all the time
    // (a moving caret, a hovered title), and they do not change which titles there are.
    m_hooks[0] = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_REORDER, nullptr, EventProc,
                                 process, 0, WINEVENT_OUTOFCONTEXT);
    m_hooks[1] = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                 EventProc, process, 0, WINEVENT_OUTOFCONTEXT);
}

void MenuBarChangeHook::Stop() {
    for (HWINEVENTHOOK& hook : m_hooks) {
        if (hook != nullptr) UnhookWinEvent(hook);
        hook = nullptr;
    }
    if (g_listener == this) g_listener = nullptr;
    m_target = nullptr;
    m_window = nullptr;
    m_process = 0;
    m_posted = false;
}

bool MenuBarChangeHook::Counts(HWND window, HWND hwnd, LONG object, LONG child) {
    if (window == nullptr || hwnd == nullptr) return false;
    // The program's drop-downs and tooltips are windows of their own: their coming and going
    // (also when the bar opens a title to read its rows) is no change of the menu bar.
    if (GetAncestor(hwnd, GA_ROOT) != window) return false;
    switch (object) {
        case OBJID_CARET:
        case OBJID_CURSOR:
        case OBJID_SOUND:
        case OBJID_ALERT:
            return false;
        case OBJID_WINDOW:
            // The window itself: its caption changing is followed by the strip already, and
            // the window appearing or going is an activation.
            return hwnd != window || child != CHILDID_SELF;
        default:
            return true;
    }
}

void CALLBACK MenuBarChangeHook::EventProc(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child,
                                           DWORD, DWORD) {
    // Runs on the bar's thread, between its messages: nothing here may throw.
    MenuBarChangeHook* self = g_listener;
    if (self == nullptr || self->m_posted || self->m_target == nullptr) return;
    if (!Counts(self->m_window, hwnd, object, child)) return;
    self->m_posted = PostMessageW(self->m_target, kChangedMessage,
                                  reinterpret_cast<WPARAM>(self->m_window), 0) != FALSE;
}

}  // namespace tarvik
