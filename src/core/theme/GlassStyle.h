#pragma once

#include <cstdint>
#include <string>

namespace tarvik {

// The translucent look of popups and highlights: colours (ARGB) and radii in pixels.
struct GlassStyle {
    int32_t Radius = 8;
    uint32_t Tint = 0xB8FFFFFF;
    uint32_t BorderColor = 0x33000000;
    int32_t BorderWidth = 1;  // never scaled
    uint32_t SeparatorColor = 0x33000000;
    std::string corner = "round";
    uint32_t Selection = 0xFF2F7CD8;
    int32_t SelectionRadius = 4;
    uint32_t Pressed = 0x40000000;
};

}  // namespace tarvik
