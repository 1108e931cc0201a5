#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// A one-line menu caption made from any text: CR LF, a lone CR, a lone LF and a TAB each become
// one space, spaces are trimmed at both ends, and a caption longer than `max` characters (UTF-16
// units) keeps its first max - 3 characters followed by "...". A max below 3 keeps no characters
// of a longer text, so the caption is "..." alone.
std::string MenuLabel(std::string_view text, int32_t max);

}  // namespace tarvik
