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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const auto units = input.ConsumeIntegralInRange<size_t>(0, 300);
    const auto max = input.ConsumeIntegralInRange<int32_t>(-4, 300);
    const std::string text = input.ConsumeRemainingBytesAsString();

    // A prefix ends between two characters, so the rest counts on its own, and it stops short
    // only by less than one character (at most a surrogate pair).
    const std::string_view prefix = tarvik::Utf16Prefix(text, units);
    const size_t length = tarvik::Utf16Length(prefix);
    Check(prefix.data() == text.data() && length <= units);
    Check(length + tarvik::Utf16Length(std::string_view(text).substr(prefix.size())) ==
          tarvik::Utf16Length(text));
    Check(prefix.size() == text.size() || length + 2 > units);
    Check(!tarvik::IsValidUtf8(text) || tarvik::IsValidUtf8(prefix));

    const std::string label = tarvik::MenuLabel(text, max);
    Check(max < 3 || tarvik::Utf16Length(label) <= static_cast<size_t>(max));
    Check(label.find_first_of("\r\n\t") == std::string::npos);
    Check(!tarvik::IsValidUtf8(text) || tarvik::IsValidUtf8(label));
    return 0;
}
