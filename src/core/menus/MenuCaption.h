#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// A menu caption as a program keeps it ("Save &As...", tab, "Ctrl+Shift+S") as the bar shows it:
// "&&" becomes one ampersand, any other "&" (the access key marker) goes, and the shortcut text
// after the last tab goes.
std::string MenuCaption(std::string_view text);

}  // namespace tarvik
