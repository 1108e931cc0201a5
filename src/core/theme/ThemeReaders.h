#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/graphics/Colour.h"

namespace tarvik {

class Trace;
class XmlElement;

// The value readers of the theme file. Each takes the element (null when the file or the
// element is missing), the attribute's name and the value to use when the attribute says
// nothing usable.

// Limits on what the theme file may ask for, in unscaled pixels. The file is the user's to
// edit, so a slip such as "-5" or "999999999" must not wreck the bar: layout sizes are held to
// 0..kMaxThemePixels (a negative size becomes 0) and the text size to kMinTextSize..kMaxTextSize
// (anything below kMinTextSize means the built-in size). Every built-in value lies inside.
constexpr int32_t kMaxThemePixels = 4000;
constexpr float kMinTextSize = 1.0f;
constexpr float kMaxTextSize = 400.0f;

// The theme's number test, the same whatever the user's locale: an optional "+" or "-", then
// digits with an optional fraction after a ".", where either side of the "." may be empty but
// not both ("5.", ".5" and "-.5" are numbers). Nothing else is a number: no spaces inside, no
// thousands separators, no exponent, no currency sign, no "NaN" or "inf", no hexadecimal. The
// value is the nearest single-precision number; beyond the single range it becomes the largest
// finite value of its sign, below it 0.
std::optional<float> ParseThemeNumber(std::string_view text);

// Nearest integer, halves to even (2.5 gives 2, 3.5 gives 4), held to first..last.
int32_t RoundClamped(float value, int32_t first, int32_t last);
// A layout size: rounded like RoundClamped and held to 0..kMaxThemePixels.
int32_t ThemePixels(float value);

// Text without the spaces at either end and without one leading "#".
std::string_view StripHash(std::string_view text);

// The attribute's text exactly as written, or the default.
std::string Attr(const XmlElement* element, std::string_view name, std::string_view fallback);

// A number attribute. Empty (after trimming) means the default; text that is not a number is
// reported and gives the default.
float Num(const XmlElement* element, std::string_view name, float fallback, Trace& trace);

// Entry `index` of a comma-separated list of numbers. A missing or empty attribute, or a list
// too short for the index, gives the default; an entry that is not a number gives 0, silently.
float ListNum(const XmlElement* element, std::string_view name, size_t index, float fallback);

// An ARGB word written as AARRGGBB, or RRGGBB for an opaque colour, with an optional "#".
// Eight characters that are not all hexadecimal are reported; any other length gives the
// default silently.
uint32_t ReadArgb(const XmlElement* element, std::string_view name, uint32_t fallback,
                  Trace& trace);

// A colour object from hexadecimal text read blue, green, red (see Colour::SetColourByHex):
// the attribute's text, or the default text, with StripHash applied.
Colour ReadColour(const XmlElement* element, std::string_view name, std::string_view fallback);

}  // namespace tarvik
