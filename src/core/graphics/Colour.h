#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// Told whenever a colour it watches changes (pens and brushes rebuild their native object).
class ColourObserver {
  public:
    virtual void ColourChanged() = 0;

  protected:
    ~ColourObserver() = default;
};

// Four bytes of colour. Hexadecimal text and `value` hold red in the LOW byte
// (red + 256·green + 65536·blue), unlike an ARGB word.
//
// A new colour is SetColourByHex("#ffffff"): white with alpha 254. Writing `value` goes through
// SetColourByHex and so also sets Alpha to 254: set `value` first and Alpha after it.
class Colour {
  public:
    Colour();
    // Copies the channels and the text, never the observer.
    Colour(const Colour& other);
    // Copies the channels and the text, keeps this colour's observer and tells it.
    Colour& operator=(const Colour& other);

    // The colour of an ARGB word: its red, green and blue as `value`, then its top byte as Alpha.
    static Colour FromArgb(uint32_t argb);

    uint8_t Red() const { return m_red; }
    uint8_t Green() const { return m_green; }
    uint8_t Blue() const { return m_blue; }
    uint8_t Alpha() const { return m_alpha; }
    void SetRed(uint8_t red);
    void SetGreen(uint8_t green);
    void SetBlue(uint8_t blue);
    void SetAlpha(uint8_t alpha);

    // red + 256·green + 65536·blue.
    int32_t value() const;
    // Formats the number in hexadecimal and applies SetColourByHex (so Alpha becomes 254).
    void SetValue(int32_t value);

    // Reads the last six characters of the text (left-padded with "0"): the last two digits are
    // red, the middle two green, the first two blue. Each pair is read as hexadecimal up to its
    // first character that is not a hexadecimal digit ("#f" reads as 0, "f#" as 15). Alpha
    // becomes 254 and the text is kept for WebColor.
    void SetColourByHex(std::string_view text);
    // The last text given to SetColourByHex.
    const std::string& WebColor() const { return m_webColor; }

    // alpha·2^24 + red·2^16 + green·2^8 + blue, with this colour's own alpha.
    uint32_t Argb() const;

    // The one object told about changes; null for none. Pens and brushes set themselves here.
    void SetObserver(ColourObserver* observer) { m_observer = observer; }

  private:
    void Changed();

    uint8_t m_red = 0;
    uint8_t m_green = 0;
    uint8_t m_blue = 0;
    uint8_t m_alpha = 0;
    std::string m_webColor;
    ColourObserver* m_observer = nullptr;
};

}  // namespace tarvik
