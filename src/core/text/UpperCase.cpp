#include "core/text/UpperCase.h"

namespace tarvik {

namespace {

// The upper-case form of a lower-case letter of the Latin, Greek and Cyrillic alphabets; any
// other code point as it is.
char32_t UpperCase(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A pairs capital and small letters, odd ones small (even from 0x139 to
        // 0x148 and from 0x179 on).
        const bool smallIsEven = (c >= 0x139 && c <= 0x148) || c >= 0x179;
        if ((c % 2 == 0) == smallIsEven) return c - 1;
        return c;
    }
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if ((c >= 0x3B1 && c <= 0x3C9) || (c >= 0x430 && c <= 0x44F)) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

}  // namespace

std::string ToUpperText(std::string_view text) {
    std::string upper;
    upper.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const bool pair = lead >= 0xC2 && lead <= 0xDF && i + 1 < text.size() &&
                          (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
        if (pair) {
            const auto c = char32_t((lead & 0x1F) << 6 | (text[i + 1] & 0x3F));
            // Every capital of a two-byte letter is itself two bytes long.
            const char32_t capital = UpperCase(c);
            upper += char(0xC0 | (capital >> 6));
            upper += char(0x80 | (capital & 0x3F));
            ++i;
        } else {
            upper += lead < 0x80 ? char(UpperCase(lead)) : text[i];
        }
    }
    return upper;
}

}  // namespace tarvik
