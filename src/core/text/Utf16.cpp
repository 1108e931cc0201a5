#include "core/text/Utf16.h"

namespace tarvik {

namespace {

// One character (or one stray byte) at the start of a text.
struct Sequence {
    size_t bytes = 1;
    size_t units = 1;
    bool valid = false;
};

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

// Reads the sequence at `at` (which must be inside the text), following the table of
// well-formed byte sequences: the lead byte fixes the length and the range of the second byte.
Sequence NextSequence(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {1, 1, true};

    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // no overlong forms
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return {};
    }

    if (text.size() - at < length) return {};
    if (!IsContinuation(static_cast<unsigned char>(text[at + 1]), low, high)) return {};
    for (size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) return {};
    }
    return {length, length == 4 ? size_t{2} : size_t{1}, true};
}

}  // namespace

size_t Utf16Length(std::string_view utf8) {
    size_t units = 0;
    for (size_t at = 0; at < utf8.size();) {
        const Sequence sequence = NextSequence(utf8, at);
        at += sequence.bytes;
        units += sequence.units;
    }
    return units;
}

std::string_view Utf16Prefix(std::string_view utf8, size_t units) {
    size_t at = 0;
    size_t taken = 0;
    while (at < utf8.size()) {
        const Sequence sequence = NextSequence(utf8, at);
        if (units - taken < sequence.units) break;
        at += sequence.bytes;
        taken += sequence.units;
    }
    return utf8.substr(0, at);
}

bool IsValidUtf8(std::string_view utf8) {
    for (size_t at = 0; at < utf8.size();) {
        const Sequence sequence = NextSequence(utf8, at);
        if (!sequence.valid) return false;
        at += sequence.bytes;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace tarvik
