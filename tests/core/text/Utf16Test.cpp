#include "core/text/Utf16.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tarvik {
namespace {

// "é" is two bytes and one unit, "✓" three bytes and one unit, "😀" four bytes and two units.
constexpr std::string_view kE = "\xc3\xa9";
constexpr std::string_view kCheck = "\xe2\x9c\x93";
constexpr std::string_view kFace = "\xf0\x9f\x98\x80";

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (const std::string_view part : parts) out += part;
    return out;
}

TEST(Utf16Length, CountsUnitsWithEveryStrayByteAsOne) {
    struct Case {
        std::string text;
        size_t units;
        bool valid;
    };
    const Case cases[] = {
        {"", 0, true},
        {"abc", 3, true},
        {std::string("a\0b", 3), 3, true},
        {Join({"caf", kE}), 4, true},
        {Join({kCheck, kCheck}), 2, true},
        {Join({"x", kFace, "y"}), 4, true},
        {"\xef\xbf\xbf", 1, true},           // U+FFFF
        {"\xf4\x8f\xbf\xbf", 2, true},       // U+10FFFF
        {"\xff", 1, false},                  // never a UTF-8 byte
        {"\x80\x80", 2, false},              // continuation bytes alone
        {"\xc3", 1, false},                  // cut off at the end
        {"\xe2\x9c", 2, false},              // cut off at the end
        {"\xf0\x9f\x98", 3, false},          // cut off at the end
        {"\xc3(", 2, false},                 // lead without its continuation
        {"\xc0\xaf", 2, false},              // overlong "/"
        {"\xe0\x80\xaf", 3, false},          // overlong "/"
        {"\xf0\x80\x80\xaf", 4, false},      // overlong "/"
        {"\xed\xa0\x80", 3, false},          // an encoded surrogate
        {"\xf4\x90\x80\x80", 4, false},      // above U+10FFFF
        {"\xf8\x88\x80\x80\x80", 5, false},  // five-byte form
        {Join({"\xff", kFace}), 3, false},   // a stray byte does not swallow the next character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16Length(c.text), c.units) << testing::PrintToString(c.text);
        EXPECT_EQ(IsValidUtf8(c.text), c.valid) << testing::PrintToString(c.text);
    }
}

TEST(Utf16Prefix, NeverCutsACharacterOrASurrogatePair) {
    const std::string mixed = Join({"a", kE, kFace, kCheck, "\xff", "b"});  // 7 units
    struct Case {
        std::string text;
        size_t units;
        std::string expected;
    };
    const Case cases[] = {
        {"", 0, ""},
        {"", 5, ""},
        {"abc", 0, ""},
        {"abc", 2, "ab"},
        {"abc", 3, "abc"},
        {"abc", 100, "abc"},
        {mixed, 1, "a"},
        {mixed, 2, Join({"a", kE})},
        {mixed, 3, Join({"a", kE})},  // the pair does not fit
        {mixed, 4, Join({"a", kE, kFace})},
        {mixed, 5, Join({"a", kE, kFace, kCheck})},
        {mixed, 6, Join({"a", kE, kFace, kCheck, "\xff"})},
        {mixed, 7, mixed},
        {Join({kFace, kFace}), 3, std::string(kFace)},
        {"\xe2\x9c", 1, "\xe2"},  // a cut-off sequence is stray bytes, one unit each
        {std::string(1, '\xf0'), static_cast<size_t>(-1), std::string(1, '\xf0')},
    };
    for (const Case& c : cases) {
        const std::string_view prefix = Utf16Prefix(c.text, c.units);
        EXPECT_EQ(prefix, c.expected) << testing::PrintToString(c.text) << " to " << c.units;
        EXPECT_EQ(prefix.data(), c.text.data());
        EXPECT_LE(Utf16Length(prefix), c.units);
    }
}

}  // namespace
}  // namespace tarvik
