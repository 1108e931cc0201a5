// Reads arbitrary bytes as stored hotkey text and checks that whatever is accepted has a
// modifier and a named key, and reads back as the same chord from the text it writes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/shortcuts/HotkeyChord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto chord = tarvik::HotkeyChord::Parse(text);
    if (!chord) return 0;
    const std::string written = chord->Text();
    if (chord->modifiers == 0 || chord->modifiers > 15 || written.empty() ||
        tarvik::HotkeyChord::Parse(written) != chord) {
        std::abort();
    }
    return 0;
}
