#include "core/bar/AccentPolicy.h"

#include <string>

namespace tarvik {

namespace {

// The style and corner words are ASCII, so ASCII lower-casing is all they need.
std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

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
    const std::string corner = ToLowerAscii(Trim(word));
    if (corner == "square" || corner == "none") return CornerPreference::DoNotRound;
    if (corner == "small") return CornerPreference::RoundSmall;
    return CornerPreference::Round;
}

}  // namespace tarvik
