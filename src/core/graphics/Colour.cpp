#include "core/graphics/Colour.h"

#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

namespace {

constexpr uint8_t kHexAlpha = 254;
constexpr size_t kHexDigits = 6;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Two characters read as hexadecimal up to the first one that is not a digit.
uint8_t HexPair(std::string_view pair) {
    int result = 0;
    for (const char c : pair) {
        const int digit = HexDigit(c);
        if (digit < 0) break;
        result = result * 16 + digit;
    }
    return static_cast<uint8_t>(result);
}

std::string UpperHex(uint32_t number) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[number % 16]);
        number /= 16;
    } while (number != 0);
    return text;
}

}  // namespace

Colour::Colour() {
    SetColourByHex("#ffffff");
}

Colour::Colour(const Colour& other)
    : m_red(other.m_red),
      m_green(other.m_green),
      m_blue(other.m_blue),
      m_alpha(other.m_alpha),
      m_webColor(other.m_webColor) {}

Colour& Colour::operator=(const Colour& other) {
    m_red = other.m_red;
    m_green = other.m_green;
    m_blue = other.m_blue;
    m_alpha = other.m_alpha;
    m_webColor = other.m_webColor;
    Changed();
    return *this;
}

Colour Colour::FromArgb(uint32_t argb) {
    Colour colour;
    colour.SetValue(ArgbRed(argb) + 256 * ArgbGreen(argb) + 65536 * ArgbBlue(argb));
    colour.SetAlpha(ArgbAlpha(argb));
    return colour;
}

void Colour::SetRed(uint8_t red) {
    m_red = red;
    Changed();
}

void Colour::SetGreen(uint8_t green) {
    m_green = green;
    Changed();
}

void Colour::SetBlue(uint8_t blue) {
    m_blue = blue;
    Changed();
}

void Colour::SetAlpha(uint8_t alpha) {
    m_alpha = alpha;
    Changed();
}

int32_t Colour::value() const {
    return m_red + 256 * m_green + 65536 * m_blue;
}

void Colour::SetValue(int32_t value) {
    // A negative number is formatted as its 32-bit pattern; only the last six digits count.
    SetColourByHex(UpperHex(static_cast<uint32_t>(value)));
}

void Colour::SetColourByHex(std::string_view text) {
    std::string digits(text.size() < kHexDigits ? kHexDigits - text.size() : 0, '0');
    digits += text.substr(text.size() > kHexDigits ? text.size() - kHexDigits : 0);
    const std::string_view six(digits);
    m_blue = HexPair(six.substr(0, 2));
    m_green = HexPair(six.substr(2, 2));
    m_red = HexPair(six.substr(4, 2));
    m_alpha = kHexAlpha;
    m_webColor = std::string(text);
    Changed();
}

uint32_t Colour::Argb() const {
    return PackArgb(m_alpha, m_red, m_green, m_blue);
}

void Colour::Changed() {
    if (m_observer) m_observer->ColourChanged();
}

}  // namespace tarvik
