#include "core/theme/ThemeReaders.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "core/app/Trace.h"
#include "core/text/StringHelpers.h"
#include "core/xml/XmlDocument.h"

namespace tarvik {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The form of a number, checked before any conversion: the converter alone would accept
// exponents, "inf" and "nan".
bool HasNumberForm(std::string_view text) {
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    size_t digits = 0;
    while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && IsDigit(text[at])) ++at, ++digits;
    }
    return digits > 0 && at == text.size();
}

// The value of a number too far from 0 for a float: the largest float of its sign when its
// whole part has a digit other than 0, otherwise (a tiny fraction) 0.
float OutOfRange(std::string_view text) {
    const bool negative = text.front() == '-';
    const std::string_view whole = text.substr(0, text.find('.'));
    const bool large = whole.find_first_of("123456789") != std::string_view::npos;
    if (!large) return 0.0f;
    const float highest = std::numeric_limits<float>::max();
    return negative ? -highest : highest;
}

}  // namespace

std::optional<float> ParseThemeNumber(std::string_view text) {
    if (!HasNumberForm(text)) return std::nullopt;
    // from_chars takes no "+" and reads the same in every locale.
    const std::string_view unsigned_ = text.front() == '+' ? text.substr(1) : text;
    float value = 0.0f;
    const auto [end, error] = std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(),
                                              value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) return OutOfRange(unsigned_);
    if (error != std::errc{} || end != unsigned_.data() + unsigned_.size()) return std::nullopt;
    return value;
}

int32_t RoundClamped(float value, int32_t first, int32_t last) {
    // nearbyint under the default rounding mode rounds halves to even.
    const double rounded = std::nearbyint(static_cast<double>(value));
    if (!(rounded >= first)) return first;  // also NaN, which the readers never give
    if (rounded > last) return last;
    return static_cast<int32_t>(rounded);
}

int32_t ThemePixels(float value) {
    return RoundClamped(value, 0, kMaxThemePixels);
}

std::string_view StripHash(std::string_view text) {
    text = TrimSpaces(text);
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    return text;
}

std::string Attr(const XmlElement* element, std::string_view name, std::string_view fallback) {
    if (element) {
        if (std::optional<std::string> value = element->Attribute(name)) return std::move(*value);
    }
    return std::string(fallback);
}

float Num(const XmlElement* element, std::string_view name, float fallback, Trace& trace) {
    if (!element) return fallback;
    const std::optional<std::string> value = element->Attribute(name);
    if (!value) return fallback;
    const std::string_view text = TrimSpaces(*value);
    if (text.empty()) return fallback;
    if (const std::optional<float> number = ParseThemeNumber(text)) return *number;
    trace.LogError(0, "Theme", "Num",
                   "'" + std::string(name) + "' is '" + std::string(text) +
                       "', which is not a number - using the built-in default");
    return fallback;
}

float ListNum(const XmlElement* element, std::string_view name, size_t index, float fallback) {
    if (!element) return fallback;
    const std::optional<std::string> value = element->Attribute(name);
    if (!value) return fallback;
    std::string_view rest = TrimSpaces(*value);
    // An empty list has no entries at all (not one empty entry).
    if (rest.empty()) return fallback;
    for (size_t entry = 0;; ++entry) {
        const size_t comma = rest.find(',');
        if (entry == index) {
            return ParseThemeNumber(TrimSpaces(rest.substr(0, comma))).value_or(0.0f);
        }
        if (comma == std::string_view::npos) return fallback;
        rest.remove_prefix(comma + 1);
    }
}

uint32_t ReadArgb(const XmlElement* element, std::string_view name, uint32_t fallback,
                  Trace& trace) {
    if (!element) return fallback;
    const std::optional<std::string> value = element->Attribute(name);
    if (!value) return fallback;
    std::string text(StripHash(*value));
    if (text.size() == 6) text.insert(0, "FF");
    if (text.size() != 8) return fallback;
    uint32_t argb = 0;
    const bool hex =
        std::all_of(text.begin(), text.end(), IsHexDigit) &&
        std::from_chars(text.data(), text.data() + text.size(), argb, 16).ec == std::errc{};
    if (hex) return argb;
    trace.LogError(0, "Theme", "ReadArgb",
                   "'" + text + "' is not a colour - using the built-in default");
    return fallback;
}

Colour ReadColour(const XmlElement* element, std::string_view name, std::string_view fallback) {
    const std::string text = Attr(element, name, fallback);
    Colour colour;
    colour.SetColourByHex(StripHash(text));
    return colour;
}

}  // namespace tarvik
