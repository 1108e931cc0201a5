#pragma once

#include <cstdint>

#include "core/graphics/Colour.h"
#include "core/graphics/GDIPObject.h"
#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

// A pen of a colour, an integer width in pixels and its own alpha. The pen ignores the colour's
// Alpha: its native colour is the colour's red, green and blue with the pen's Alpha. Any change
// of colour (also through the reference Colour() returns), width or alpha re-creates the native
// pen.
class GDIPPen : public GDIPObject, private ColourObserver {
  public:
    // White, 1 pixel, alpha 255.
    GDIPPen() : GDIPPen(tarvik::Colour{}, 1) {}
    GDIPPen(const tarvik::Colour& colour, int size, uint8_t alpha = 255)
        : m_colour(colour), m_size(size), m_alpha(alpha) {
        m_colour.SetObserver(this);
        Rebuild();
    }
    // The pen of an ARGB word: its red, green and blue, and its top byte as the pen's alpha.
    static GDIPPen FromArgb(uint32_t argb, int size) {
        return GDIPPen(tarvik::Colour::FromArgb(argb), size, ArgbAlpha(argb));
    }
    ~GDIPPen() { Dispose(); }

    GDIPPen(GDIPPen&& other) noexcept
        : GDIPObject(std::move(other)),
          m_colour(other.m_colour),
          m_size(other.m_size),
          m_alpha(other.m_alpha) {
        m_colour.SetObserver(this);
    }
    GDIPPen& operator=(GDIPPen&& other) noexcept {
        if (this != &other) {
            Dispose();
            TakeHandle(other);
            m_colour.SetObserver(nullptr);
            m_colour = other.m_colour;
            m_colour.SetObserver(this);
            m_size = other.m_size;
            m_alpha = other.m_alpha;
        }
        return *this;
    }

    const tarvik::Colour& Colour() const { return m_colour; }
    tarvik::Colour& Colour() { return m_colour; }
    void SetColour(const tarvik::Colour& colour) { m_colour = colour; }

    int Size() const { return m_size; }
    void SetSize(int size) {
        m_size = size;
        Rebuild();
    }
    uint8_t Alpha() const { return m_alpha; }
    void SetAlpha(uint8_t alpha) {
        m_alpha = alpha;
        Rebuild();
    }

    // The ARGB word the native pen is built with.
    uint32_t NativeArgb() const {
        return PackArgb(m_alpha, m_colour.Red(), m_colour.Green(), m_colour.Blue());
    }

    void Dispose() noexcept;

  private:
    void ColourChanged() override { Rebuild(); }
    // Releases the native pen and creates it again from the current values.
    void Rebuild();

    tarvik::Colour m_colour;
    int m_size = 1;
    uint8_t m_alpha = 255;
};

}  // namespace tarvik
