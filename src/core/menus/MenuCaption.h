#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// A menu caption as a program keeps it ("Save &As...", tab, "Ctrl+Shift+S") taken apart.
struct CaptionParts {
    std::string text;         // as the bar shows it: "Save As..."
    std::string accessKey;    // the letter the first single "&" marks: "A" (empty when none)
    std::string accelerator;  // the shortcut text after the last tab: "Ctrl+Shift+S"
};

// "&&" becomes one ampersand, any other "&" only marks the next letter as the access key (the
// first one marked counts), and the shortcut text after the last tab goes to its own field.
CaptionParts SplitMenuCaption(std::string_view text);

// The caption as the bar shows it.
std::string MenuCaption(std::string_view text);

}  // namespace tarvik
