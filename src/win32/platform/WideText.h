#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// UTF-8 inside the program, UTF-16 at the Windows boundary. Invalid input becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace tarvik
