#include "core/graphics/Colour.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

TEST(Colour, HexTextHasRedInTheLowByteAndUsesTheLastSixCharacters) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"fff", 0xFEFF0F00},  // read as 000fff
        {"AB112233", 0xFE332211},
        {"", 0xFE000000},
        // A pair reads up to its first non-digit: "1#" is 1, "zz" is 0.
        {"1#2#3#", 0xFE030201},
        {"zz10f#", 0xFE0F1000},
        {"\303\251\303\251ff", 0xFEFF0000},  // "ééff": non-ASCII bytes are not digits
    };
    for (const auto& [text, argb] : cases) {
        Colour colour;
        colour.SetAlpha(3);
        colour.SetColourByHex(text);
        EXPECT_EQ(colour.Argb(), argb) << '"' << text << '"';
        EXPECT_EQ(colour.WebColor(), text);
    }
}

}  // namespace
}  // namespace tarvik
