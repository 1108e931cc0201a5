#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// A system-wide hotkey: one key with at least one modifier held, written as text like a key
// chord with the Windows key in front: "Win+Alt+M", "Win+Ctrl+Shift+F5". The modifiers are the
// bits Windows registers hotkeys with; the key is a virtual-key code with a name.
struct HotkeyChord {
    static constexpr uint32_t kAlt = 1;    // MOD_ALT
    static constexpr uint32_t kCtrl = 2;   // MOD_CONTROL
    static constexpr uint32_t kShift = 4;  // MOD_SHIFT
    static constexpr uint32_t kWin = 8;    // MOD_WIN
    // Longer text is no chord of ours: stored text is read no further.
    static constexpr size_t kMaxText = 40;

    uint32_t modifiers = 0;
    int32_t keyCode = 0;

    bool operator==(const HotkeyChord&) const = default;

    // The chord written back (modifiers in the order Win, Ctrl, Alt, Shift); empty when the key
    // has no name.
    std::string Text() const;
    // Modifier words in any order, each once, then a key name; nullopt for anything else (no
    // modifier, an unknown word or key, a key without a name of
    // its own such as F13, over-long text).
    static std::optional<HotkeyChord> Parse(std::string_view text);
};

}  // namespace tarvik
