#include "core/bar/Dpi.h"

#include "core/app/CommandLine.h"
#include "core/app/Rounding.h"

namespace tarvik {

void Dpi::Start(int logicalDpiX, const Overrides& overrides) {
    m_displayScale = 1.0f;
    if (logicalDpiX > 0) m_displayScale = static_cast<float>(logicalDpiX) / 96.0f;
    if (m_displayScale < 1.0f) m_displayScale = 1.0f;

    m_drawScale = 1.0f;
    if (overrides.scale > 0.0f) {
        m_drawScale = overrides.scale;
    } else if (overrides.scaleAuto) {
        m_drawScale = m_displayScale;
    }
}

int32_t Dpi::Scale(int32_t n) const {
    // A size from the theme file may be absurdly large: NearestInt saturates.
    return NearestInt(static_cast<double>(n) * m_drawScale);
}

double Dpi::ScaleF(float x) const {
    return static_cast<double>(x) * m_drawScale;
}

}  // namespace tarvik
