#include "core/bar/AccentPolicy.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "core/bar/WindowsVersion.h"

namespace tarvik {
namespace {

TEST(AccentPolicy, StyleWordVersionAndTintGiveStateAndGradient) {
    struct Case {
        const char* style;
        uint32_t tint;  // ARGB
        WindowsVersion version;
        uint32_t state;
        uint32_t gradient;  // ABGR
    };
    const WindowsVersion build17133{10, 17133};
    const WindowsVersion build17134{10, 17134};
    const WindowsVersion windows11{10, 22631};
    const Case cases[] = {
        {"acrylic", 0x6EFFFFFF, windows11, 4, 0x6EFFFFFF},
        {"acrylic", 0xB8102030, build17134, 4, 0xB8302010},
        {"acrylic", 0xB8102030, build17133, 3, 0xB8302010},
        {"acrylic", 0x00102030, windows11, 4, 0x01302010},
        {"acrylic", 0x00000000, windows11, 4, 0x01000000},
        {"acrylic", 0xFF0000FF, windows11, 4, 0xFFFF0000},
        {"acrylic", 0x80FF0000, windows11, 4, 0x800000FF},
        {"Acrylic", 0x80123456, windows11, 4, 0x80563412},
        {"blur", 0x40ABCDEF, windows11, 3, 0x40EFCDAB},
        {"BLUR", 0x40ABCDEF, build17133, 3, 0x40EFCDAB},
        {"blur", 0x00ABCDEF, windows11, 3, 0x01EFCDAB},
        {"none", 0x6EFFFFFF, windows11, 0, 0},
        {"", 0x6EFFFFFF, windows11, 0, 0},
        {" acrylic", 0x6EFFFFFF, windows11, 0, 0},
        {"acrylics", 0x6EFFFFFF, windows11, 0, 0},
    };
    for (const Case& c : cases) {
        const AccentPolicy policy = MakeAccentPolicy(c.style, c.tint, c.version.SupportsAcrylic());
        EXPECT_EQ(policy.accentState, c.state) << c.style << " " << std::hex << c.tint;
        EXPECT_EQ(policy.gradientColor, c.gradient) << c.style << " " << std::hex << c.tint;
        EXPECT_EQ(policy.accentFlags, 0u) << c.style;
        EXPECT_EQ(policy.animationId, 0u) << c.style;
    }
}

TEST(AccentPolicy, RecordLaysOutStateFlagsGradientAnimationAsLittleEndianWords) {
    // Tint red 0x11, green 0x22, blue 0x33: the gradient's low byte is red.
    const AccentPolicy policy = MakeAccentPolicy("acrylic", 0x80112233, true);
    std::array<unsigned char, 16> bytes{};
    std::memcpy(bytes.data(), &policy, sizeof policy);
    const std::array<unsigned char, 16> expected{4,    0,    0,    0,    0, 0, 0, 0,
                                                 0x11, 0x22, 0x33, 0x80, 0, 0, 0, 0};
    EXPECT_EQ(bytes, expected);
}

TEST(CornerPreference, WordsMapToSquareRoundOrSmall) {
    struct Case {
        const char* word;
        CornerPreference expected;
    };
    const Case cases[] = {
        {"square", CornerPreference::DoNotRound},    {"none", CornerPreference::DoNotRound},
        {"  Square ", CornerPreference::DoNotRound}, {"NONE", CornerPreference::DoNotRound},
        {"small", CornerPreference::RoundSmall},     {"\tSmall\r\n", CornerPreference::RoundSmall},
        {"round", CornerPreference::Round},          {"", CornerPreference::Round},
        {"smaller", CornerPreference::Round},        {"sq uare", CornerPreference::Round},
        {"\xc3\xa9", CornerPreference::Round},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CornerPreferenceFor(c.word), c.expected) << '"' << c.word << '"';
    }
    EXPECT_EQ(static_cast<int32_t>(CornerPreference::DoNotRound), 1);
    EXPECT_EQ(static_cast<int32_t>(CornerPreference::Round), 2);
    EXPECT_EQ(static_cast<int32_t>(CornerPreference::RoundSmall), 3);
}

}  // namespace
}  // namespace tarvik
