#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// The text in capitals: the small letters of ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic become their capitals (enough for month names in European languages); everything
// else, malformed UTF-8 included, is copied as it is.
std::string ToUpperText(std::string_view text);

}  // namespace tarvik
