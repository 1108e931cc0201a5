#include "win32/shortcuts/Win32ShortcutPorts.h"

#include <windows.h>

#include "win32/platform/UniqueHandle.h"
#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

HWND WindowOf(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// How long the foreground switch is given before it is checked.
constexpr DWORD kForegroundWaitMs = 60;

}  // namespace

void Win32KeySender::SendKey(uint8_t keyCode, uint32_t flags) {
    keybd_event(keyCode, 0, flags, 0);
}

std::string Win32ShortcutWindows::ProcessImagePath(WindowHandle window) const {
    DWORD processId = 0;
    GetWindowThreadProcessId(WindowOf(window), &processId);
    if (processId == 0) return {};
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (!QueryFullProcessImageNameW(process.Get(), 0, path, &length)) return {};
    return Narrow(std::wstring_view(path, length));
}

bool Win32ShortcutWindows::IsWindow(WindowHandle window) const {
    return ::IsWindow(WindowOf(window)) != FALSE;
}

bool Win32ShortcutWindows::BringToForeground(WindowHandle window) {
    SetForegroundWindow(WindowOf(window));
    Sleep(kForegroundWaitMs);
    return GetForegroundWindow() == WindowOf(window);
}

int32_t Win32ShortcutWindows::CursorX() const {
    POINT cursor{};
    return GetCursorPos(&cursor) ? cursor.x : 0;
}

}  // namespace tarvik
