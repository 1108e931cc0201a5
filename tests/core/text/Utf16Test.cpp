#include "core/text/Utf16.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tarvik {
namespace {

// "é" is two bytes and one unit, "✓" three bytes and one unit, "😀" four bytes and two units.
const std::string kE = "\xc3\xa9";
const std::string kCheck = "\xe2\x9c\x93";
const std::string kFace = "\xf0\x9f\x98\x80";

TEST(Utf16Length, CountsUnitsWithEveryStrayByteAsOne) {
    struct Case {
        std::string text;
        size_t units;
        bool valid;
    };
    const Case cases[] = {
        {std::string("a\0b", 3), 3, true},
        {"x" + kE + kCheck + kFace, 5, true},
        {"\xf4\x8f\xbf\xbf", 2, true},       // U+10FFFF
        {"\x80\x80", 2, false},              // continuation bytes alone
        {"\xf0\x9f\x98", 3, false},          // cut off at the end
        {"\xc3(", 2, false},                 // lead without its continuation
        {"\xc0\xaf", 2, false},              // overlong "/"
        {"\xf0\x80\x80\xaf", 4, false},      // overlong "/"
        {"\xed\xa0\x80", 3, false},          // an encoded surrogate
        {"\xf4\x90\x80\x80", 4, false},      // above U+10FFFF
        {"\xf8\x88\x80\x80\x80", 5, false},  // five-byte form
        {"\xff" + kFace, 3, false},          // a stray byte does not swallow the next character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16Length(c.text), c.units) << testing::PrintToString(c.text);
        EXPECT_EQ(IsValidUtf8(c.text), c.valid) << testing::PrintToString(c.text);
    }
}

TEST(Utf16Prefix, NeverCutsACharacterOrASurrogatePair) {
    const std::string mixed = "a" + kE + kFace + kCheck + "\xff" + "b";  // 7 units
    struct Case {
        std::string text;
        size_t units;
        std::string expected;
    };
    const Case cases[] = {
        {"abc", 0, ""},
        {mixed, 3, "a" + kE},  // the pair does not fit
        {mixed, 4, "a" + kE + kFace},
        {mixed, 6, "a" + kE + kFace + kCheck + "\xff"},
        {"\xe2\x9c", 1, "\xe2"},  // a cut-off sequence is stray bytes, one unit each
        {std::string(1, '\xf0'), static_cast<size_t>(-1), std::string(1, '\xf0')},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16Prefix(c.text, c.units), c.expected)
            << testing::PrintToString(c.text) << " to " << c.units;
    }
}

}  // namespace
}  // namespace tarvik
