#include "win32/app/WindowsEnvironment.h"

#include <windows.h>

#include "win32/platform/WideText.h"

namespace tarvik {

std::wstring ArgumentsOf(std::wstring_view commandLine) {
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        at = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        while (at < commandLine.size() && commandLine[at] != L' ' && commandLine[at] != L'\t') ++at;
    }
    while (at < commandLine.size() && (commandLine[at] == L' ' || commandLine[at] == L'\t')) ++at;
    return std::wstring(commandLine.substr(at));
}

std::string WindowsEnvironment::ArgumentText() const {
    const wchar_t* line = GetCommandLineW();
    return line ? Narrow(ArgumentsOf(line)) : std::string();
}

std::optional<std::string> WindowsEnvironment::Variable(std::string_view name) const {
    const std::wstring wideName = Widen(name);
    SetLastError(ERROR_SUCCESS);
    const DWORD needed = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (needed == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::string();
    }
    std::wstring value(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), needed);
    if (length == 0 || length >= needed) return std::string();
    value.resize(length);
    return Narrow(value);
}

}  // namespace tarvik
