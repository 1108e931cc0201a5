#include "win32/widgets/SystemCommands.h"

#include <windows.h>
// After windows.h.
#include <powrprof.h>
#include <shellapi.h>

#include "win32/platform/WideText.h"

namespace tarvik {

void ShellSystemCommands::Open(std::string_view target) {
    ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShellSystemCommands::RunSystemTool(std::string_view file, std::string_view parameters,
                                        bool hidden) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const std::wstring path = std::wstring(folder, length) + L'\\' + Widen(file);
    ShellExecuteW(nullptr, L"open", path.c_str(), Widen(parameters).c_str(), nullptr,
                  hidden ? SW_HIDE : SW_SHOWNORMAL);
}

void ShellSystemCommands::Suspend() {
    // Sleep, not hibernate; wake events stay allowed.
    SetSuspendState(FALSE, FALSE, FALSE);
}

void ShellSystemCommands::LockWorkStation() {
    ::LockWorkStation();
}

void ShellSystemCommands::LogOff() {
    ExitWindowsEx(EWX_LOGOFF, 0);
}

}  // namespace tarvik
