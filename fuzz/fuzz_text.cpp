// Counts, cuts and captions arbitrary bytes the way Windows counts characters, and checks that
// nothing is cut inside a character and that captions keep to their length.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/text/MenuLabel.h"
#include "core/text/Utf16.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckPrefix(std::string_view text, size_t units) {
    const std::string_view prefix = tarvik::Utf16Prefix(text, units);
    Check(prefix.data() == text.data() && prefix.size() <= text.size());
    const size_t length = tarvik::Utf16Length(prefix);
    Check(length <= units);
    const size_t whole = tarvik::Utf16Length(text);
    // It ends between two characters, so the rest counts on its own ...
    Check(length + tarvik::Utf16Length(text.substr(prefix.size())) == whole);
    // ... and it stops short only by less than one character (at most a surrogate pair).
    if (prefix.size() < text.size()) Check(length + 2 > units);
    if (tarvik::IsValidUtf8(text)) {
        Check(tarvik::IsValidUtf8(prefix));
        Check(tarvik::IsValidUtf8(text.substr(prefix.size())));
    }
}

void CheckLabel(std::string_view text, int32_t max) {
    const std::string label = tarvik::MenuLabel(text, max);
    if (max >= 3) Check(tarvik::Utf16Length(label) <= static_cast<size_t>(max));
    Check(label.find_first_of("\r\n\t") == std::string::npos);
    if (!label.empty()) Check(label.front() != ' ' && label.back() != ' ');
    if (tarvik::IsValidUtf8(text)) Check(tarvik::IsValidUtf8(label));
    // Labels that need no cut are stable.
    if (label.size() < 3 || label.compare(label.size() - 3, 3, "...") != 0) {
        Check(tarvik::MenuLabel(label, max) == label);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const auto units = input.ConsumeIntegralInRange<size_t>(0, 300);
    const auto max = input.ConsumeIntegralInRange<int32_t>(-4, 300);
    const std::string text = input.ConsumeRemainingBytesAsString();

    CheckPrefix(text, units);
    CheckLabel(text, max);
    return 0;
}
