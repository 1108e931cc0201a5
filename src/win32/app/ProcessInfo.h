#pragma once

#include <cstdint>
#include <filesystem>

#include "core/bar/WindowsVersion.h"

namespace tarvik {

// The running executable's full path; empty when it cannot be found.
std::filesystem::path ExecutablePath();
// The last number of the executable's version resource (0 when there is none).
uint32_t ExecutableRevision();
// The real Windows version, whatever compatibility settings report.
WindowsVersion ReadWindowsVersion();
// The screen's horizontal logical DPI, 0 when it cannot be read.
int ScreenLogicalDpiX();

}  // namespace tarvik
