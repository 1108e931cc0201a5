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
    const Case cases[] = {
        {"acrylic", 0xB8102030, {10, 17134}, 4, 0xB8302010},
        {"Acrylic", 0x00102030, {10, 17133}, 3, 0x01302010},  // alpha at least 1
        {"BLUR", 0x40ABCDEF, {10, 17134}, 3, 0x40EFCDAB},
        {" acrylic", 0x6EFFFFFF, {10, 17134}, 0, 0},
    };
    for (const Case& c : cases) {
        const AccentPolicy policy = MakeAccentPolicy(c.style, c.tint, c.version.SupportsAcrylic());
        EXPECT_EQ(policy.accentState, c.state) << c.style << " " << std::hex << c.tint;
        EXPECT_EQ(policy.gradientColor, c.gradient) << c.style << " " << std::hex << c.tint;
    }
    // The record is state, flags, gradient and animation as little-endian words.
    const AccentPolicy policy = MakeAccentPolicy("acrylic", 0x80112233, true);
    std::array<unsigned char, 16> bytes{};
    std::memcpy(bytes.data(), &policy, sizeof policy);
    EXPECT_EQ(bytes, (std::array<unsigned char, 16>{4, 0, 0, 0, 0, 0, 0, 0, 0x11, 0x22, 0x33, 0x80,
                                                    0, 0, 0, 0}));
}

TEST(CornerPreference, WordsMapToSquareRoundOrSmall) {
    EXPECT_EQ(CornerPreferenceFor("  Square "), CornerPreference::DoNotRound);
    EXPECT_EQ(CornerPreferenceFor("NONE"), CornerPreference::DoNotRound);
    EXPECT_EQ(CornerPreferenceFor("\tSmall\r\n"), CornerPreference::RoundSmall);
    EXPECT_EQ(CornerPreferenceFor("smaller"), CornerPreference::Round);
    EXPECT_EQ(static_cast<int32_t>(CornerPreference::DoNotRound), 1);
    EXPECT_EQ(static_cast<int32_t>(CornerPreference::RoundSmall), 3);
}

}  // namespace
}  // namespace tarvik
