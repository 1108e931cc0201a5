#include "win32/menus/MenuKeyboardHook.h"

namespace tarvik {

namespace {

MenuKeyboardHook* g_running = nullptr;

// A key no keyboard has, pressed so that the Alt or Windows key still held from the hotkey is
// not let go alone: the program in front would take a lone Alt for its own menu bar, Windows a
// lone Windows key for the Start menu. Marked, so that the hook lets it through.
constexpr BYTE kMaskKey = 0xE8;
constexpr ULONG_PTR kMaskMarker = 0x5441524B;  // "TARK"

void MaskHeldModifiers() {
    const bool held = GetAsyncKeyState(VK_MENU) < 0 || GetAsyncKeyState(VK_LWIN) < 0 ||
                      GetAsyncKeyState(VK_RWIN) < 0;
    if (!held) return;
    keybd_event(kMaskKey, 0, 0, kMaskMarker);
    keybd_event(kMaskKey, 0, KEYEVENTF_KEYUP, kMaskMarker);
}

bool IsModifierKey(DWORD key) {
    switch (key) {
        case VK_SHIFT:
        case VK_LSHIFT:
        case VK_RSHIFT:
        case VK_CONTROL:
        case VK_LCONTROL:
        case VK_RCONTROL:
        case VK_MENU:
        case VK_LMENU:
        case VK_RMENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_CAPITAL:
            return true;
        default:
            return false;
    }
}

// The character the key types in the keyboard layout of the program in front, with Shift and
// Caps Lock as they are and without Ctrl or Alt (the user may still hold them from the hotkey);
// 0 for none. Asked so that it does not disturb a dead key the program is composing.
wchar_t CharacterOf(const KBDLLHOOKSTRUCT& key) {
    BYTE state[256] = {};
    if (GetAsyncKeyState(VK_SHIFT) < 0) state[VK_SHIFT] = 0x80;
    if ((GetKeyState(VK_CAPITAL) & 1) != 0) state[VK_CAPITAL] = 0x01;
    const DWORD thread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    wchar_t typed[4] = {};
    constexpr UINT kKeepKeyboardState = 0x4;
    const int count = ToUnicodeEx(key.vkCode, key.scanCode, state, typed, 4, kKeepKeyboardState,
                                  GetKeyboardLayout(thread));
    return count == 1 ? typed[0] : 0;
}

}  // namespace

MenuKeyboardHook::~MenuKeyboardHook() {
    Stop();
}

bool MenuKeyboardHook::Start(HWND owner) {
    Stop();
    m_owner = owner;
    const HINSTANCE module = GetModuleHandleW(nullptr);
    m_keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, module, 0);
    if (!m_keyboard) return false;
    m_mouse = SetWindowsHookExW(WH_MOUSE_LL, MouseProc, module, 0);
    g_running = this;
    MaskHeldModifiers();
    return true;
}

void MenuKeyboardHook::Stop() {
    if (g_running == this) g_running = nullptr;
    if (m_keyboard) UnhookWindowsHookEx(m_keyboard);
    if (m_mouse) UnhookWindowsHookEx(m_mouse);
    m_keyboard = nullptr;
    m_mouse = nullptr;
    m_taken.clear();
}

bool MenuKeyboardHook::OnKey(WPARAM message, const KBDLLHOOKSTRUCT& key) {
    if (IsModifierKey(key.vkCode) || key.dwExtraInfo == kMaskMarker) return false;
    if (message == WM_KEYUP || message == WM_SYSKEYUP) return m_taken.erase(key.vkCode) != 0;
    m_taken.insert(key.vkCode);
    PostMessageW(m_owner, kKeyMessage, key.vkCode, static_cast<LPARAM>(CharacterOf(key)));
    return true;
}

LRESULT CALLBACK MenuKeyboardHook::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_running &&
        g_running->OnKey(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam))) {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MenuKeyboardHook::MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_running &&
        (wParam == WM_LBUTTONDOWN || wParam == WM_RBUTTONDOWN || wParam == WM_MBUTTONDOWN)) {
        const POINT at = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt;
        PostMessageW(g_running->m_owner, kClickMessage, 0, MAKELPARAM(at.x, at.y));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tarvik
