#include "core/theme/GlassStyle.h"

#include "core/app/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/graphics/GDIPPen.h"

namespace tarvik {

namespace {

constexpr uint32_t kGlassBehindFill = PackArgb(1, 255, 255, 255);
constexpr uint32_t kHotAccentVeil = PackArgb(30, 0, 0, 0);
constexpr uint32_t kHotButtonBody = PackArgb(230, 255, 255, 255);
constexpr uint32_t kColdButtonBody = PackArgb(175, 255, 255, 255);
constexpr uint32_t kFieldBody = PackArgb(110, 255, 255, 255);

// A path rectangle has whole-pixel corners: nearest integer, halves to even.
int WholePixels(float value) {
    return NearestInt(value);
}

bool CanPaint(const GDIPGraphics* graphics, float width, float height) {
    return graphics != nullptr && width >= 1 && height >= 1;
}

RectF ToFloat(const RectI& rect) {
    return RectF{static_cast<float>(rect.X), static_cast<float>(rect.Y),
                 static_cast<float>(rect.Width), static_cast<float>(rect.Height)};
}

void FillShape(GDIPGraphics& graphics, uint32_t argb, const RectF& rect, float radius) {
    if (argb == 0) return;
    const GDIPBrush brush = GDIPBrush::FromArgb(argb);
    graphics.FillPath(brush, RoundedRect(rect.X, rect.Y, rect.Width, rect.Height, radius));
}

// Strokes the shape half a pixel inside the rectangle, so a 1-pixel pen covers whole pixels.
void StrokeShapeInside(GDIPGraphics& graphics, uint32_t argb, int penWidth, const RectF& rect,
                       float radius) {
    if (argb == 0) return;
    const GDIPPen pen = GDIPPen::FromArgb(argb, penWidth);
    graphics.DrawPath(
        pen, RoundedRect(rect.X + 0.5f, rect.Y + 0.5f, rect.Width - 1, rect.Height - 1, radius));
}

// The focused field's border is half a pixel wider than the hairline, to whole pixels.
int FocusedBorderWidth(int32_t borderWidth) {
    const double width = std::nearbyint(static_cast<double>(borderWidth) + 0.5);
    return static_cast<int>(std::min(width, static_cast<double>(std::numeric_limits<int>::max())));
}

}  // namespace

GDIPGraphicPath RoundedRect(float x, float y, float width, float height, float radius) {
    GDIPGraphicPath path(kFillModeWinding);
    const float r = std::min({radius, width / 2, height / 2});
    if (!(r >= 1)) {
        path.AddRectangle(WholePixels(x), WholePixels(y), WholePixels(width), WholePixels(height));
        return path;
    }
    const float d = 2 * r;
    path.AddArc(x, y, d, d, 180, 90);
    path.AddLine(x + r, y, x + width - r, y);
    path.AddArc(x + width - d, y, d, d, 270, 90);
    path.AddLine(x + width, y + r, x + width, y + height - r);
    path.AddArc(x + width - d, y + height - d, d, d, 0, 90);
    path.AddLine(x + width - r, y + height, x + r, y + height);
    path.AddArc(x, y + height - d, d, d, 90, 90);
    path.AddLine(x, y + height - r, x, y + r);
    return path;
}

void GlassStyle::Paint(GDIPGraphics* graphics, int32_t width, int32_t height,
                       bool glassBehind) const {
    const RectF whole{0, 0, static_cast<float>(width), static_cast<float>(height)};
    if (!CanPaint(graphics, whole.Width, whole.Height)) return;
    FillShape(*graphics, glassBehind ? kGlassBehindFill : Tint, whole, static_cast<float>(Radius));
    StrokeShapeInside(*graphics, BorderColor, BorderWidth, whole, static_cast<float>(Radius));
}

void GlassStyle::PaintSelection(GDIPGraphics* graphics, const RectI& rect) const {
    const RectF shape = ToFloat(rect);
    if (!CanPaint(graphics, shape.Width, shape.Height)) return;
    FillShape(*graphics, Selection, shape, static_cast<float>(SelectionRadius));
}

void GlassStyle::PaintPressed(GDIPGraphics* graphics, const RectI& rect) const {
    const RectF shape = ToFloat(rect);
    if (!CanPaint(graphics, shape.Width, shape.Height)) return;
    FillShape(*graphics, Pressed, shape, static_cast<float>(SelectionRadius));
}

void GlassStyle::PaintSeparator(GDIPGraphics* graphics, const RectF& rect) const {
    if (!CanPaint(graphics, rect.Width, rect.Height) || SeparatorColor == 0) return;
    graphics->FillRectangle(GDIPBrush::FromArgb(SeparatorColor), rect);
}

void GlassStyle::PaintButton(GDIPGraphics* graphics, const RectI& rect, bool accent,
                             bool hot) const {
    const RectF shape = ToFloat(rect);
    if (!CanPaint(graphics, shape.Width, shape.Height)) return;
    const float radius = static_cast<float>(SelectionRadius) + 1;
    if (accent) {
        FillShape(*graphics, Selection, shape, radius);
        if (hot) FillShape(*graphics, kHotAccentVeil, shape, radius);
        return;
    }
    FillShape(*graphics, hot ? kHotButtonBody : kColdButtonBody, shape, radius);
    StrokeShapeInside(*graphics, BorderColor, BorderWidth, shape, radius);
}

void GlassStyle::PaintField(GDIPGraphics* graphics, const RectI& rect, bool focused) const {
    const RectF shape = ToFloat(rect);
    if (!CanPaint(graphics, shape.Width, shape.Height)) return;
    const float radius = static_cast<float>(SelectionRadius);
    FillShape(*graphics, kFieldBody, shape, radius);
    if (focused) {
        StrokeShapeInside(*graphics, Selection, FocusedBorderWidth(BorderWidth), shape, radius);
    } else {
        StrokeShapeInside(*graphics, BorderColor, BorderWidth, shape, radius);
    }
}

}  // namespace tarvik
