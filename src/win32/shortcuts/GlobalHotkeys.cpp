#include "win32/shortcuts/GlobalHotkeys.h"

namespace tarvik {

GlobalHotkeys::~GlobalHotkeys() {
    UnregisterAll();
}

void GlobalHotkeys::Attach(HWND window) {
    if (window == m_window) return;
    UnregisterAll();
    m_window = window;
}

int32_t GlobalHotkeys::Register(int32_t id, uint32_t modifiers, int32_t keyCode) {
    if (!m_window) return ERROR_INVALID_WINDOW_HANDLE;
    Unregister(id);
    if (!RegisterHotKey(m_window, id, modifiers | MOD_NOREPEAT, static_cast<UINT>(keyCode))) {
        const DWORD error = GetLastError();
        return error == 0 ? ERROR_HOTKEY_ALREADY_REGISTERED : static_cast<int32_t>(error);
    }
    m_held.insert(id);
    return 0;
}

void GlobalHotkeys::Unregister(int32_t id) {
    if (m_held.erase(id) == 0) return;
    UnregisterHotKey(m_window, id);
}

void GlobalHotkeys::UnregisterAll() {
    for (const int32_t id : m_held) UnregisterHotKey(m_window, id);
    m_held.clear();
}

bool GlobalHotkeys::OnMessage(UINT message, WPARAM wParam) {
    if (message != WM_HOTKEY) return false;
    const auto id = static_cast<int32_t>(wParam);
    if (m_held.contains(id) && Pressed) Pressed(id);
    return true;
}

}  // namespace tarvik
