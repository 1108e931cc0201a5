#pragma once

#include <cstdint>

namespace tarvik {

struct Overrides;

// The display's own scale and the scale the program draws at (1:1 unless overridden).
class Dpi {
  public:
    // Settles both scales from the screen's horizontal logical DPI (0 or less when unreadable).
    void Start(int logicalDpiX, const Overrides& overrides);

    float DisplayScale() const { return m_displayScale; }
    float DrawScale() const { return m_drawScale; }

    // n × DrawScale, nearest integer, halves to even.
    int32_t Scale(int32_t n) const;
    // x × DrawScale, unrounded.
    double ScaleF(float x) const;

  private:
    float m_displayScale = 1.0f;
    float m_drawScale = 1.0f;
};

}  // namespace tarvik
