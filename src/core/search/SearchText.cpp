#include "core/search/SearchText.h"

#include <cstdint>

#include "core/text/Utf16.h"

namespace tarvik {

namespace {

constexpr char32_t kNotACharacter = 0xFFFFFFFF;

// The letters that U+00C0 to U+017F lose their accents to, one per code point; '*' marks a
// letter that becomes two (see TwoLetters) and '.' a sign that is not a letter (× and ÷).
constexpr std::string_view kLatin1 =
    "aaaaaa*ceeeeiiiidnooooo.ouuuuy**"   // U+00C0 to U+00DF
    "aaaaaa*ceeeeiiiidnooooo.ouuuuy*y";  // U+00E0 to U+00FF
constexpr std::string_view kLatinExtendedA =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii**jjkkkllllllllll"  // U+0100 to U+0142
    "nnnnnnnnnoooooo**rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";       // U+0143 to U+017F

std::string_view TwoLetters(char32_t code) {
    switch (code) {
        case 0xC6:
        case 0xE6:
            return "ae";
        case 0xDE:
        case 0xFE:
            return "th";
        case 0xDF:
            return "ss";
        case 0x132:
        case 0x133:
            return "ij";
        default:
            return "oe";  // U+0152 and U+0153
    }
}

// Reads one well-formed UTF-8 character at `at` and moves past it; a byte that does not start
// one is passed over alone and reads as kNotACharacter.
char32_t NextCharacter(std::string_view text, size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    size_t length = 0;
    char32_t code = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    }
    if (length == 0 || text.size() - at < length) {
        ++at;
        return kNotACharacter;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) {
            ++at;
            return kNotACharacter;
        }
        code = (code << 6) | (byte & 0x3F);
    }
    at += length;
    return code;
}

bool IsCombiningAccent(char32_t code) {
    return code >= 0x300 && code <= 0x36F;
}

// Characters that part words: controls, spaces and the punctuation and symbols of ASCII and
// Latin-1, general punctuation (dashes, quotes, the ellipsis), and anything not well-formed.
bool PartsWords(char32_t code) {
    if (code == kNotACharacter) return true;
    if (code < 0x80) {
        return !((code >= '0' && code <= '9') || (code >= 'a' && code <= 'z') ||
                 (code >= 'A' && code <= 'Z'));
    }
    if (code <= 0xBF) return code != 0xAA && code != 0xB5 && code != 0xBA;
    if (code == 0xD7 || code == 0xF7) return true;
    return (code >= 0x2000 && code <= 0x206F) || code == 0x3000 || code == 0xFEFF;
}

// Appends the folded form of one letter or digit.
void AppendFolded(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code);
        return;
    }
    if (code >= 0xC0 && code <= 0x17F) {
        const char letter = code <= 0xFF ? kLatin1[code - 0xC0] : kLatinExtendedA[code - 0x100];
        if (letter == '*') {
            out += TwoLetters(code);
        } else {
            out += letter;
        }
        return;
    }
    if (code >= 0x391 && code <= 0x3AB && code != 0x3A2) {
        code += 0x20;  // Greek capitals
    } else if (code >= 0x410 && code <= 0x42F) {
        code += 0x20;  // Cyrillic capitals
    } else if (code >= 0x400 && code <= 0x40F) {
        code += 0x50;  // Cyrillic capitals with marks
    }
    AppendUtf8(out, code);
}

}  // namespace

std::string FoldForSearch(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    bool pendingSpace = false;
    for (size_t at = 0; at < utf8.size();) {
        const char32_t code = NextCharacter(utf8, at);
        if (IsCombiningAccent(code)) continue;
        if (PartsWords(code)) {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out += ' ';
        pendingSpace = false;
        AppendFolded(out, code);
    }
    return out;
}

std::vector<std::string_view> SearchWords(std::string_view folded) {
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start < folded.size()) {
        size_t end = folded.find(' ', start);
        if (end == std::string_view::npos) end = folded.size();
        if (end > start) words.push_back(folded.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

}  // namespace tarvik
