#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/bar/WindowsVersion.h"
#include "core/menus/DropDownPlacement.h"
#include "core/widgets/SystemPorts.h"

namespace tarvik {

// The running executable's full path; empty when it cannot be found.
std::filesystem::path ExecutablePath();
// A path's file name as UTF-8, whatever the system's ANSI code page can hold.
std::string FileNameUtf8(const std::filesystem::path& path);
// The executable's version resource: its first two numbers and its last (all 0 when there is
// none).
ProgramVersion ExecutableVersion();
// The last number of the executable's version resource (0 when there is none).
inline uint32_t ExecutableRevision() {
    return ExecutableVersion().revision;
}
// The real Windows version, whatever compatibility settings report.
WindowsVersion ReadWindowsVersion();
// The screen's horizontal logical DPI, 0 when it cannot be read.
int ScreenLogicalDpiX();
// The screen's twips per pixel from its logical DPI (15 on an axis that cannot be read).
TwipsPerPixel ScreenTwipsPerPixel();

}  // namespace tarvik
