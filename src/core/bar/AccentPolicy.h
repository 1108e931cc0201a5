#pragma once

#include <cstdint>
#include <string_view>

namespace tarvik {

// How the system composes what lies behind a window.
enum class AccentState : uint32_t {
    Disabled = 0,
    BlurBehind = 3,
    AcrylicBlurBehind = 4,
};

// The 16-byte record the system's window-composition call takes for the accent policy.
struct AccentPolicy {
    uint32_t accentState = 0;
    uint32_t accentFlags = 0;
    // Alpha in the top byte, then blue, green, and red in the low byte.
    uint32_t gradientColor = 0;
    uint32_t animationId = 0;
};
static_assert(sizeof(AccentPolicy) == 16);

// The record for a style word ("acrylic" or "blur", any case) and an ARGB tint. Acrylic falls back
// to plain blur where the system has none; any other word switches the accent off (gradient 0).
// A tint with alpha 0 is sent with alpha 1, so the tint is never dropped altogether.
AccentPolicy MakeAccentPolicy(std::string_view style, uint32_t tint, bool supportsAcrylic);

// The system's window corner preference.
enum class CornerPreference : int32_t {
    DoNotRound = 1,
    Round = 2,
    RoundSmall = 3,
};

// The corner preference for a theme's corner word: "square" or "none" keep square corners, "small"
// rounds a little, anything else rounds. Spaces around the word and its case do not matter.
CornerPreference CornerPreferenceFor(std::string_view word);

}  // namespace tarvik
