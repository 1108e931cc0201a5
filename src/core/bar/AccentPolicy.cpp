#include "core/bar/AccentPolicy.h"

#include <string>

#include "core/text/StringHelpers.h"

namespace tarvik {

namespace {

// The corner word may come with tabs and line breaks around it as well as spaces.
constexpr std::string_view kCornerBlanks = " \t\r\n";

uint32_t GradientColour(uint32_t tint) {
    uint32_t alpha = (tint >> 24) & 0xFF;
    const uint32_t red = (tint >> 16) & 0xFF;
    const uint32_t green = (tint >> 8) & 0xFF;
    const uint32_t blue = tint & 0xFF;
    if (alpha == 0) alpha = 1;
    return (alpha << 24) | (blue << 16) | (green << 8) | red;
}

}  // namespace

AccentPolicy MakeAccentPolicy(std::string_view style, uint32_t tint, bool supportsAcrylic) {
    const std::string word = ToLowerAscii(style);
    AccentState state = AccentState::Disabled;
    if (word == "acrylic") {
        state = supportsAcrylic ? AccentState::AcrylicBlurBehind : AccentState::BlurBehind;
    } else if (word == "blur") {
        state = AccentState::BlurBehind;
    }
    AccentPolicy policy;
    policy.accentState = static_cast<uint32_t>(state);
    if (state != AccentState::Disabled) policy.gradientColor = GradientColour(tint);
    return policy;
}

CornerPreference CornerPreferenceFor(std::string_view word) {
    const std::string corner = ToLowerAscii(TrimSpaces(word, kCornerBlanks));
    if (corner == "square" || corner == "none") return CornerPreference::DoNotRound;
    if (corner == "small") return CornerPreference::RoundSmall;
    return CornerPreference::Round;
}

}  // namespace tarvik
