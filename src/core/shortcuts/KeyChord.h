#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

class IKeySender;
class Trace;

// A keyboard shortcut written as text: modifier words, each followed by "+", then a key name,
// such as "Ctrl+Alt+Shift+F5". Key codes are Windows virtual-key codes; the modifier mask is
// 1 Shift, 2 Ctrl, 4 Alt. Names and words are compared exactly, letter case included.
namespace KeyChord {

constexpr const char* kSource = "KeyChord";

// "A".."Z", "0".."9" (the keypad's digits too), "F1".."F12", "Plus", "Enter", ... or empty for
// a key without a name (the modifier keys among them).
std::string KeyName(int32_t keyCode);
// The code of a key name, 0 for none. "F" and a number is that function key, with no upper bound
// (so "F13" is 124).
int32_t KeyCodeFromName(std::string_view name);
// The navigation keys (PgUp .. Down, Ins, Del) are sent as extended keys.
bool IsExtendedKey(int32_t keyCode);
// The chord for a key pressed with the modifiers held, modifiers in the order Ctrl, Alt, Shift;
// empty when the key has no name.
std::string FormatChord(int32_t shift, int32_t keyCode);
// Presses the chord's modifiers (Ctrl, Alt, Shift), then the key down and up, then lets go of
// the modifiers in reverse order. A chord whose key has no code that fits a key event sends
// nothing and is logged once. An empty chord sends nothing.
void SendChord(std::string_view chord, IKeySender& keys, Trace& trace);

}  // namespace KeyChord

}  // namespace tarvik
