#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvik {

// Windows counts characters in UTF-16 code units: a character outside the Basic Multilingual
// Plane (most emoji) is two of them. These helpers count UTF-8 text the same way. A byte that
// does not begin a well-formed UTF-8 sequence counts as one unit on its own, as Windows turns it
// into one replacement character.

// The number of UTF-16 code units the text becomes.
size_t Utf16Length(std::string_view utf8);

// The longest start of the text that is at most `units` UTF-16 code units long. It ends between
// two characters: never inside a UTF-8 sequence, so never between the halves of a surrogate pair.
std::string_view Utf16Prefix(std::string_view utf8, size_t units);

// True when every byte belongs to a well-formed UTF-8 sequence (no overlong forms, no encoded
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view utf8);

// Appends one code point (at most U+10FFFF, not a surrogate) in UTF-8.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace tarvik
