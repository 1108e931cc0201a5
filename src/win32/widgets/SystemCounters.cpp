#include "win32/widgets/SystemCounters.h"

#include <windows.h>

#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

uint64_t Ticks(const FILETIME& time) {
    return uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

}  // namespace

bool SystemCounters::ReadSystemTimes(SystemTimes& times) {
    FILETIME idle{}, kernel{}, user{};
    if (!GetSystemTimes(&idle, &kernel, &user)) return false;
    times = {Ticks(idle), Ticks(kernel), Ticks(user)};
    return true;
}

bool SystemCounters::ReadMemoryStatus(MemoryStatus& status) {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (!GlobalMemoryStatusEx(&memory)) return false;
    status = {int32_t(memory.dwMemoryLoad), memory.ullTotalPhys, memory.ullAvailPhys};
    return true;
}

std::string UserDecimalSeparator() {
    wchar_t text[8] = {};
    const int length =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, ARRAYSIZE(text));
    return length > 1 ? Narrow(std::wstring_view(text, size_t(length - 1))) : std::string(".");
}

}  // namespace tarvik
