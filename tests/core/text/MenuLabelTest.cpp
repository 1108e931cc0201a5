#include "core/text/MenuLabel.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

TEST(MenuLabel, OneLineTrimmedAndCutToMaxUtf16Units) {
    const std::string face = "\xf0\x9f\x98\x80";  // two units
    const std::string x45(45, 'x');
    const std::tuple<std::string, int32_t, std::string> cases[] = {
        {"a\r\r\nb", 48, "a  b"},  // CR LF is one break
        {"  \t two  words \r\n", 48, "two  words"},
        {std::string(49, 'x'), 48, x45 + "..."},
        {"abcd", 3, "..."},
        // 44 letters and the pair make 46 units, so the pair is dropped.
        {std::string(44, 'x') + face + "zzz", 48, std::string(44, 'x') + "..."},
        {std::string(43, 'x') + face + "zzzz", 48, std::string(43, 'x') + face + "..."},
        // The cut happens after trimming, and the kept part is not trimmed again.
        {"ab\r\ncd\r\nef", 6, "ab ..."},
    };
    for (const auto& [text, max, expected] : cases) {
        EXPECT_EQ(MenuLabel(text, max), expected) << testing::PrintToString(text) << " at " << max;
    }
}

}  // namespace
}  // namespace tarvik
