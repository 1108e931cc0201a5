#pragma once

// The recording drawing backend of the native tests: the drawing objects of core/graphics
// implemented without any native library. Every drawing call is kept, in order, on the surface
// that made it and on the bitmap it draws into; nothing is rasterised.
//
// Fixed text metrics: every UTF-16 unit is 0.5 × font size wide (× 1.1 in a bold font), a line
// feed starts a new line 1.2 × size high and a carriage return has no width.
// MeasureStringWidth is the widest line (at most 8192); MeasureString is (0, 0, widest line +
// size / 3, lines × 1.2 × size), or all 0 for an empty text.
//
// Installed font families: "Segoe UI", "Arial", "Tahoma", "DejaVu Sans" unless a test sets its
// own list; names match regardless of case; an unknown name fails with status 14.
// GDIPImage::FromFile reads only the size from a PNG file's IHDR chunk: a missing file fails
// with status 10, any other non-PNG file with status 13. A call with an empty pen, brush, font,
// path or image, or on an unbound surface, fails with status 2 and records nothing.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/graphics/GDIPGraphics.h"

namespace tarvik::test {

// The order is part of what tests print.
enum class DrawKind {
    Clear,
    DrawString,
    DrawPath,
    FillPath,
    FillRectangle,
    DrawImage,
    DrawImageRect
};

enum class SegmentKind { Line, Arc, Rectangle };

// Line: x1, y1, x2, y2; Arc: x, y, width, height, start, sweep; Rectangle: x, y, width, height.
struct PathSegment {
    SegmentKind kind = SegmentKind::Line;
    std::array<float, 6> values{};
    bool operator==(const PathSegment&) const = default;
};

struct RenderSettings {
    int textRenderingHint = kTextRenderingHintSystemDefault;
    int smoothingMode = kSmoothingModeDefault;
    int pixelOffsetMode = kPixelOffsetModeDefault;
    int interpolationMode = kInterpolationModeDefault;
    bool operator==(const RenderSettings&) const = default;
};

struct RecordedFont {
    std::string family;
    float size = 0;
    int style = 0;
    bool operator==(const RecordedFont&) const = default;
};

// The image a call drew: id is unique per native image.
struct RecordedImage {
    uint64_t id = 0;
    int width = 0;
    int height = 0;
};

// One drawing call; fields the kind does not use keep their defaults.
struct DrawCall {
    DrawKind kind = DrawKind::Clear;
    uint32_t argb = 0;              // clear colour, brush or pen
    float penWidth = 0;             // DrawPath
    std::vector<PathSegment> path;  // DrawPath, FillPath
    RectF rect;                     // FillRectangle, image destination
    RectF source;                   // image source (DrawImage: the whole image)
    std::string text;               // DrawString
    RecordedFont font;              // DrawString
    PointF point;                   // DrawString
    RecordedImage image;            // DrawImage, DrawImageRect
    RenderSettings settings;        // the surface's settings at the call
};

// The calls made on the surface since it was last bound.
const std::vector<DrawCall>& RecordedCalls(const GDIPGraphics& graphics);
// The calls drawn into an image through any surface bound to it.
const std::vector<DrawCall>& RecordedCalls(const GDIPImage& image);
const std::vector<PathSegment>& RecordedSegments(const GDIPGraphicPath& path);
RecordedFont RecordedFontOf(const GDIPFont& font);
uint32_t RecordedArgb(const GDIPPen& pen);
uint32_t RecordedArgb(const GDIPBrush& brush);
uint64_t RecordedImageId(const GDIPImage& image);

void SetInstalledFontFamilies(std::vector<std::string> families);
void ResetInstalledFontFamilies();

// Sets the process-wide error convention (and the source name "Tarvik.exe") for the life of a
// test and puts the previous convention back afterwards.
class ScopedDrawingErrors {
  public:
    explicit ScopedDrawingErrors(bool suppressed);
    ~ScopedDrawingErrors();
    ScopedDrawingErrors(const ScopedDrawingErrors&) = delete;
    ScopedDrawingErrors& operator=(const ScopedDrawingErrors&) = delete;

  private:
    bool m_wasSuppressed;
};

}  // namespace tarvik::test
