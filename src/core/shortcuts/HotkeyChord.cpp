#include "core/shortcuts/HotkeyChord.h"

#include <array>
#include <utility>

#include "core/shortcuts/KeyChord.h"

namespace tarvik {

namespace {

constexpr std::array<std::pair<uint32_t, std::string_view>, 4> kWords{{
    {HotkeyChord::kWin, "Win"},
    {HotkeyChord::kCtrl, "Ctrl"},
    {HotkeyChord::kAlt, "Alt"},
    {HotkeyChord::kShift, "Shift"},
}};
constexpr int32_t kLastKeyCode = 0xFE;

}  // namespace

std::string HotkeyChord::Text() const {
    const std::string name = KeyChord::KeyName(keyCode);
    if (name.empty()) return {};
    std::string text;
    for (const auto& [bit, word] : kWords) {
        if ((modifiers & bit) != 0) text.append(word).append("+");
    }
    return text + name;
}

std::optional<HotkeyChord> HotkeyChord::Parse(std::string_view text) {
    if (text.size() > kMaxText) return std::nullopt;
    HotkeyChord chord;
    size_t start = 0;
    for (size_t plus = text.find('+'); plus != std::string_view::npos;
         start = plus + 1, plus = text.find('+', start)) {
        const std::string_view word = text.substr(start, plus - start);
        uint32_t bit = 0;
        for (const auto& [known, name] : kWords) {
            if (name == word) bit = known;
        }
        if (bit == 0 || (chord.modifiers & bit) != 0) return std::nullopt;
        chord.modifiers |= bit;
    }
    chord.keyCode = KeyChord::KeyCodeFromName(text.substr(start));
    // Only keys with a name of their own: the chord must read back as it was written.
    if (chord.modifiers == 0 || chord.keyCode <= 0 || chord.keyCode > kLastKeyCode ||
        KeyChord::KeyName(chord.keyCode).empty()) {
        return std::nullopt;
    }
    return chord;
}

}  // namespace tarvik
