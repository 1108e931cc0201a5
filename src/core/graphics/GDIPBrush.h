#pragma once

#include <cstdint>

#include "core/graphics/Colour.h"
#include "core/graphics/GDIPObject.h"

namespace tarvik {

// A solid-fill brush. Its native colour is the colour's red, green, blue and Alpha; any change
// of the colour (also through the reference Colour() returns) re-creates the native brush.
class GDIPBrush : public GDIPObject, private ColourObserver {
  public:
    // A new white colour (alpha 254).
    GDIPBrush() : GDIPBrush(tarvik::Colour{}) {}
    explicit GDIPBrush(const tarvik::Colour& colour) : m_colour(colour) {
        m_colour.SetObserver(this);
        Rebuild();
    }
    // The brush of an ARGB word (see Colour::FromArgb).
    static GDIPBrush FromArgb(uint32_t argb) { return GDIPBrush(tarvik::Colour::FromArgb(argb)); }
    ~GDIPBrush() { Dispose(); }

    GDIPBrush(GDIPBrush&& other) noexcept : GDIPObject(std::move(other)), m_colour(other.m_colour) {
        m_colour.SetObserver(this);
    }
    GDIPBrush& operator=(GDIPBrush&& other) noexcept {
        if (this != &other) {
            Dispose();
            TakeHandle(other);
            m_colour.SetObserver(nullptr);
            m_colour = other.m_colour;
            m_colour.SetObserver(this);
        }
        return *this;
    }

    const tarvik::Colour& Colour() const { return m_colour; }
    tarvik::Colour& Colour() { return m_colour; }
    void SetColour(const tarvik::Colour& colour) { m_colour = colour; }

    // The ARGB word the native brush is built with.
    uint32_t NativeArgb() const { return m_colour.Argb(); }

    void Dispose() noexcept;

  private:
    void ColourChanged() override { Rebuild(); }
    // Releases the native brush and creates it again from the colour.
    void Rebuild();

    tarvik::Colour m_colour;
};

}  // namespace tarvik
