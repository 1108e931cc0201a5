#pragma once

// The recording drawing backend of the native tests: the drawing objects of
// core/graphics/GDIP*.h implemented without any native library. Every drawing call is kept, in
// order, on the surface that received it (and on the bitmap it draws into), so that a test can
// check what a painter drew.
//
// Fixed text metrics (the 2D library's real glyph metrics vary by font and machine):
//   - every UTF-16 unit is 0.5 × font size wide, 0.55 × size in a bold font (× 1.1);
//     a line feed starts a new line and a carriage return has no width;
//   - a line is 1.2 × size high;
//   - MeasureStringWidth = the widest line, at most 8192; an empty text measures 0;
//   - MeasureString = (0, 0, widest line + size / 3, lines × 1.2 × size), the library's padding
//     of size / 6 on each side included; an empty text gives (0, 0, 0, 0).
//
// Other fixed behaviour:
//   - installed font families: "Segoe UI", "Arial", "Tahoma", "DejaVu Sans" unless a test sets
//     its own list (SetInstalledFontFamilies); names match regardless of case and every style is
//     available; an unknown name fails with status 14;
//   - GDIPImage::FromFile reads the size from a PNG file's IHDR chunk and keeps no pixels;
//     a missing file fails with status 10, any other file with status 13 (width 0, not loaded);
//   - bitmaps (at most 4096 × 4096) keep no pixels either: shapes, text and images are recorded,
//     not rasterised;
//   - a call on an unbound surface, with an empty (disposed) pen, brush, font, path or image, or
//     after the bitmap a surface draws into was destroyed, fails with status 2 and records
//     nothing. Device contexts, locked bits and icons are Windows-only and not implemented.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/graphics/GDIPGraphics.h"

namespace tarvik::test {

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

// One segment of a path. values: Line x1, y1, x2, y2; Arc x, y, width, height, start, sweep;
// Rectangle x, y, width, height. Unused values are 0.
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

// The image a call drew: id is unique per native image (see RecordedImageId); source is the
// path given to FromFile, empty for a bitmap.
struct RecordedImage {
    uint64_t id = 0;
    std::string source;
    int width = 0;
    int height = 0;
};

// One drawing call. Fields that the kind does not use keep their defaults.
struct DrawCall {
    DrawKind kind = DrawKind::Clear;
    uint32_t argb = 0;              // Clear colour, brush or pen native ARGB
    float penWidth = 0;             // DrawPath
    int fillMode = 0;               // DrawPath, FillPath
    std::vector<PathSegment> path;  // DrawPath, FillPath
    RectF rect;                     // FillRectangle, image destination
    RectF source;                   // DrawImageRect source (DrawImage: the whole image)
    std::string text;               // DrawString
    RecordedFont font;              // DrawString
    PointF point;                   // DrawString
    RecordedImage image;            // DrawImage, DrawImageRect
    RenderSettings settings;        // the surface's settings when the call was made
};

// The calls made on the surface since it was last bound (empty when unbound).
const std::vector<DrawCall>& RecordedCalls(const GDIPGraphics& graphics);
// The calls drawn into an image through any surface bound to it.
const std::vector<DrawCall>& RecordedCalls(const GDIPImage& image);

const std::vector<PathSegment>& RecordedSegments(const GDIPGraphicPath& path);
RecordedFont RecordedFontOf(const GDIPFont& font);
// The ARGB word the current native pen or brush was built with.
uint32_t RecordedArgb(const GDIPPen& pen);
uint32_t RecordedArgb(const GDIPBrush& brush);
// A number unique to the image's current native image (0 when empty).
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
