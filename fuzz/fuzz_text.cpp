// Counts, cuts and captions arbitrary bytes the way Windows counts characters. A prefix ends
// between two characters (the rest counts on its own) less than one character (at most a surrogate
// pair) short; a caption keeps to its length and one line; valid text stays valid.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/text/MenuLabel.h"
#include "core/text/Utf16.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const auto units = input.ConsumeIntegralInRange<size_t>(0, 300);
    const auto max = input.ConsumeIntegralInRange<int32_t>(-4, 300);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::string_view prefix = tarvik::Utf16Prefix(text, units);
    const size_t length = tarvik::Utf16Length(prefix);
    const std::string label = tarvik::MenuLabel(text, max);
    const bool valid = tarvik::IsValidUtf8(text);
    if (prefix.data() != text.data() || length > units ||
        length + tarvik::Utf16Length(std::string_view(text).substr(prefix.size())) !=
            tarvik::Utf16Length(text) ||
        (prefix.size() != text.size() && length + 2 <= units) ||
        (valid && (!tarvik::IsValidUtf8(prefix) || !tarvik::IsValidUtf8(label))) ||
        (max >= 3 && tarvik::Utf16Length(label) > static_cast<size_t>(max)) ||
        label.find_first_of("\r\n\t") != std::string::npos) {
        std::abort();
    }
    return 0;
}
