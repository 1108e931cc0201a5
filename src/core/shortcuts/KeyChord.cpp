#include "core/shortcuts/KeyChord.h"

#include <array>
#include <utility>

#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/shortcuts/ShortcutPorts.h"

namespace tarvik::KeyChord {

namespace {

constexpr int32_t kShiftBit = 1, kCtrlBit = 2, kAltBit = 4;
constexpr uint8_t kShiftKey = 16, kCtrlKey = 17, kAltKey = 18;
constexpr int32_t kFunctionBase = 111;  // F1 is 112
// A key event carries its code in one byte; 255 is no key at all.
constexpr int32_t kLastKeyCode = 254;

// The named keys apart from letters, digits and function keys. The first code of a name is the
// one it sends; the keypad's plus and minus only read as the main keys' names.
constexpr std::array<std::pair<int32_t, std::string_view>, 18> kNamedKeys = {{
    {13, "Enter"},
    {32, "Space"},
    {46, "Del"},
    {45, "Ins"},
    {36, "Home"},
    {35, "End"},
    {33, "PgUp"},
    {34, "PgDn"},
    {37, "Left"},
    {38, "Up"},
    {39, "Right"},
    {40, "Down"},
    {187, "Plus"},
    {107, "Plus"},
    {189, "Minus"},
    {109, "Minus"},
    {188, "Comma"},
    {190, "Period"},
}};

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

std::string KeyName(int32_t keyCode) {
    if (keyCode >= 'A' && keyCode <= 'Z') return std::string(1, static_cast<char>(keyCode));
    if (keyCode >= '0' && keyCode <= '9') return std::string(1, static_cast<char>(keyCode));
    if (keyCode >= 96 && keyCode <= 105)
        return std::string(1, static_cast<char>('0' + keyCode - 96));
    if (keyCode >= 112 && keyCode <= 123) return "F" + std::to_string(keyCode - kFunctionBase);
    for (const auto& [code, name] : kNamedKeys) {
        if (code == keyCode) return std::string(name);
    }
    return {};
}

int32_t KeyCodeFromName(std::string_view name) {
    if (name.size() == 1) {
        const char c = name[0];
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : 0;
    }
    // Nine digits at most: the number stays well inside the code's range.
    if (name.size() > 1 && name[0] == 'F' && name.size() <= 10 && IsDigits(name.substr(1))) {
        return std::stoi(std::string(name.substr(1))) + kFunctionBase;
    }
    for (const auto& [code, known] : kNamedKeys) {
        if (known == name) return code;
    }
    return 0;
}

bool IsExtendedKey(int32_t keyCode) {
    return (keyCode >= 33 && keyCode <= 40) || keyCode == 45 || keyCode == 46;
}

std::string FormatChord(int32_t shift, int32_t keyCode) {
    std::string name = KeyName(keyCode);
    if (name.empty()) return {};
    std::string prefix;
    if (shift & kCtrlBit) prefix += "Ctrl+";
    if (shift & kAltBit) prefix += "Alt+";
    if (shift & kShiftBit) prefix += "Shift+";
    return prefix + name;
}

void SendChord(std::string_view chord, IKeySender& keys, Trace& trace) {
    if (chord.empty()) return;
    RunLogged(trace, kSource, "SendChord", true, [&] {
        bool ctrl = false, alt = false, shift = false;
        size_t start = 0;
        for (size_t plus = chord.find('+'); plus != std::string_view::npos;
             start = plus + 1, plus = chord.find('+', start)) {
            const std::string_view word = chord.substr(start, plus - start);
            ctrl = ctrl || word == "Ctrl";
            alt = alt || word == "Alt";
            shift = shift || word == "Shift";
        }
        const int32_t code = KeyCodeFromName(chord.substr(start));
        if (code <= 0 || code > kLastKeyCode) {
            trace.LogErrorOnce(0, kSource, "SendChord",
                               "no key code for '" + std::string(chord) +
                                   "' - the chord in the registry names a key this build does "
                                   "not know");
            return;
        }
        const uint32_t flags = IsExtendedKey(code) ? IKeySender::kExtendedKey : 0;
        const auto key = static_cast<uint8_t>(code);
        if (ctrl) keys.SendKey(kCtrlKey, 0);
        if (alt) keys.SendKey(kAltKey, 0);
        if (shift) keys.SendKey(kShiftKey, 0);
        keys.SendKey(key, flags);
        keys.SendKey(key, flags | IKeySender::kKeyUp);
        if (shift) keys.SendKey(kShiftKey, IKeySender::kKeyUp);
        if (alt) keys.SendKey(kAltKey, IKeySender::kKeyUp);
        if (ctrl) keys.SendKey(kCtrlKey, IKeySender::kKeyUp);
    });
}

}  // namespace tarvik::KeyChord
