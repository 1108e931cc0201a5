#include "core/text/MenuLabel.h"

#include "core/text/StringHelpers.h"
#include "core/text/Utf16.h"

namespace tarvik {

namespace {

constexpr std::string_view kEllipsis = "...";

// CR LF counts as one line break, so it becomes one space, not two.
std::string OneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line += ' ';
            ++i;
        } else if (c == '\r' || c == '\n' || c == '\t') {
            line += ' ';
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace

std::string MenuLabel(std::string_view text, int32_t max) {
    const std::string line = OneLine(text);
    const std::string_view caption = TrimSpaces(line);
    const size_t limit = max > 0 ? static_cast<size_t>(max) : 0;
    if (Utf16Length(caption) <= limit) return std::string(caption);
    const size_t keep = limit > kEllipsis.size() ? limit - kEllipsis.size() : 0;
    std::string label(Utf16Prefix(caption, keep));
    label += kEllipsis;
    return label;
}

}  // namespace tarvik
