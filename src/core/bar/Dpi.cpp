#include "core/bar/Dpi.h"

#include <cmath>
#include <limits>

#include "core/app/CommandLine.h"

namespace tarvik {

void Dpi::Start(int logicalDpiX, CommandLine& commandLine) {
    m_displayScale = 1.0f;
    if (logicalDpiX > 0) m_displayScale = static_cast<float>(logicalDpiX) / 96.0f;
    if (m_displayScale < 1.0f) m_displayScale = 1.0f;

    m_drawScale = 1.0f;
    if (const float override = commandLine.ScaleOverride(); override > 0.0f) {
        m_drawScale = override;
    } else if (commandLine.ScaleAuto()) {
        m_drawScale = m_displayScale;
    }
}

int32_t Dpi::Scale(int32_t n) const {
    // nearbyint under the default rounding mode rounds halves to even.
    const double scaled = std::nearbyint(static_cast<double>(n) * m_drawScale);
    // A size from the theme file may be absurdly large: saturate rather than overflow.
    constexpr double kHighest = std::numeric_limits<int32_t>::max();
    constexpr double kLowest = std::numeric_limits<int32_t>::min();
    if (scaled >= kHighest) return std::numeric_limits<int32_t>::max();
    if (scaled <= kLowest) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(scaled);
}

double Dpi::ScaleF(float x) const {
    return static_cast<double>(x) * m_drawScale;
}

}  // namespace tarvik
