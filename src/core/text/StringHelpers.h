#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// The text without any of `blanks` at either end. By default only the space character: theme
// attribute values have their tabs and line breaks turned into spaces by the XML parser, and
// menu captions by MenuLabel.
std::string_view TrimSpaces(std::string_view text, std::string_view blanks = " ");

// The text with A-Z turned into a-z and every other byte (UTF-8 included) left as it is. The
// program's switch names and theme words are ASCII, so this is all they need.
std::string ToLowerAscii(std::string_view text);

}  // namespace tarvik
