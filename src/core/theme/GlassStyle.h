#pragma once

#include <cstdint>
#include <string>

#include "core/graphics/GDIPGraphicPath.h"
#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

class GDIPGraphics;

// The shape of every glass painter: a rectangle with four rounded corners (winding fill). The
// radius is cut to half the width and half the height; below 1 the shape is a plain rectangle.
GDIPGraphicPath RoundedRect(float x, float y, float width, float height, float radius);

// The translucent look of popups and highlights: colours (ARGB) and radii in pixels, and the
// painters that draw with them. Painters draw nothing without a surface or for a size below 1,
// and a colour of 0 draws nothing. They read the fields on every call and create their brush,
// pen and path for that call only.
struct GlassStyle {
    int32_t Radius = 8;
    uint32_t Tint = 0xB8FFFFFF;
    uint32_t BorderColor = 0x33000000;
    int32_t BorderWidth = 1;  // never scaled
    uint32_t SeparatorColor = 0x33000000;
    std::string corner = "round";
    uint32_t Selection = 0xFF2F7CD8;
    int32_t SelectionRadius = 4;
    uint32_t Pressed = 0x40000000;

    // A popup's background and hairline border over the whole window. With glass behind (the
    // blurred backdrop shows through) the body is all but transparent white; otherwise Tint.
    void Paint(GDIPGraphics* graphics, int32_t width, int32_t height, bool glassBehind) const;
    // The highlight of a selected row, title or widget button.
    void PaintSelection(GDIPGraphics* graphics, const RectI& rect) const;
    // The highlight of a pressed title or widget button.
    void PaintPressed(GDIPGraphics* graphics, const RectI& rect) const;
    // A square-cornered separator bar.
    void PaintSeparator(GDIPGraphics* graphics, const RectF& rect) const;
    // A push button: the accent colour or white body, darkened or brightened under the mouse.
    void PaintButton(GDIPGraphics* graphics, const RectI& rect, bool accent, bool hot) const;
    // A text field: a pale body with a border that turns selection-coloured and thicker when
    // the field has the focus.
    void PaintField(GDIPGraphics* graphics, const RectI& rect, bool focused) const;
};

}  // namespace tarvik
