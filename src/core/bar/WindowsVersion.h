#pragma once

#include <cstdint>

namespace tarvik {

// The real Windows version, read once at start-up.
struct WindowsVersion {
    uint32_t major = 0;
    uint32_t build = 0;

    bool IsWindows10OrLater() const { return major >= 10; }
    bool SupportsAcrylic() const { return major >= 10 && build >= 17134; }
};

}  // namespace tarvik
