#pragma once

#include "core/graphics/GDIPFontFamily.h"
#include "core/graphics/GDIPObject.h"
#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

// A font of a family, a size and style bits. Sizes are pixel heights, never points.
class GDIPFont : public GDIPObject {
  public:
    // An empty font: drawing or measuring with it fails.
    GDIPFont() = default;
    // The font keeps what it needs of the family; the family may go away afterwards.
    GDIPFont(const GDIPFontFamily& family, float size, int style = kFontStyleRegular);
    ~GDIPFont() { Dispose(); }

    GDIPFont(GDIPFont&& other) noexcept = default;
    GDIPFont& operator=(GDIPFont&& other) noexcept {
        if (this != &other) {
            Dispose();
            TakeHandle(other);
            m_size = other.m_size;
            m_style = other.m_style;
        }
        return *this;
    }

    float Size() const { return m_size; }
    int Style() const { return m_style; }

    void Dispose() noexcept;

  private:
    float m_size = 0;
    int m_style = kFontStyleRegular;
};

}  // namespace tarvik
