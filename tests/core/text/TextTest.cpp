#include <gtest/gtest.h>

#include "core/text/MenuLabel.h"
#include "core/text/Utf16.h"

namespace tarvik {
namespace {

// "é" is two bytes and one unit, "✓" three bytes and one unit, "😀" four bytes and two units.
const std::string kE = "\xc3\xa9";
const std::string kCheck = "\xe2\x9c\x93";
const std::string kFace = "\xf0\x9f\x98\x80";

TEST(Utf16Length, CountsUnitsWithEveryStrayByteAsOne) {
    // The text, its length in UTF-16 units, and whether it is valid UTF-8.
    const std::tuple<std::string, size_t, bool> cases[] = {
        {std::string("a\0b", 3), 3, true},
        {"x" + kE + kCheck + kFace, 5, true},
        {"\x80\x80", 2, false},          // continuation bytes alone
        {"\xf0\x9f\x98", 3, false},      // cut off at the end
        {"\xc0\xaf", 2, false},          // overlong "/"
        {"\xed\xa0\x80", 3, false},      // an encoded surrogate
        {"\xf4\x90\x80\x80", 4, false},  // above U+10FFFF
        {"\xff" + kFace, 3, false},      // a stray byte does not swallow the next character
    };
    for (const auto& [text, units, valid] : cases)
        EXPECT_EQ(std::pair(Utf16Length(text), IsValidUtf8(text)), std::pair(units, valid))
            << testing::PrintToString(text);
}

TEST(MenuLabel, OneLineTrimmedAndCutToMaxUtf16Units) {
    const std::tuple<std::string, int32_t, std::string> cases[] = {
        {"a\r\r\nb", 48, "a  b"},  // CR LF is one break
        {"  \t two  words \r\n", 48, "two  words"},
        {std::string(49, 'x'), 48, std::string(45, 'x') + "..."},
        {"abcd", 3, "..."},
        // 44 letters and the pair make 46 units, so the pair is dropped.
        {std::string(44, 'x') + kFace + "zzz", 48, std::string(44, 'x') + "..."},
        {std::string(43, 'x') + kFace + "zzzz", 48, std::string(43, 'x') + kFace + "..."},
        // The cut happens after trimming, and the kept part is not trimmed again.
        {"ab\r\ncd\r\nef", 6, "ab ..."},
    };
    for (const auto& [text, max, expected] : cases)
        EXPECT_EQ(MenuLabel(text, max), expected) << testing::PrintToString(text) << " at " << max;
}

}  // namespace
}  // namespace tarvik
