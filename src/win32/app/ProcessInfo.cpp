#include "win32/app/ProcessInfo.h"

#include <windows.h>

#include <string>
#include <vector>

#include "win32/platform/WideText.h"

extern "C" NTSYSAPI LONG NTAPI RtlGetVersion(PRTL_OSVERSIONINFOW);

namespace tarvik {

std::filesystem::path ExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 6; ++attempt) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
    return {};
}

ProgramVersion ExecutableVersion() {
    const std::wstring path = ExecutablePath().wstring();
    if (path.empty()) return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) ||
        info == nullptr || infoSize < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    return ProgramVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                          LOWORD(info->dwFileVersionLS)};
}

WindowsVersion ReadWindowsVersion() {
    RTL_OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (RtlGetVersion(&info) != 0) return {};
    return WindowsVersion{info.dwMajorVersion, info.dwBuildNumber};
}

std::string FileNameUtf8(const std::filesystem::path& path) {
    return Narrow(path.filename().wstring());
}

TwipsPerPixel ScreenTwipsPerPixel() {
    const HDC screen = GetDC(nullptr);
    if (!screen) return {};
    const TwipsPerPixel result =
        TwipsPerPixelFromDpi(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return result;
}

int ScreenLogicalDpiX() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace tarvik
