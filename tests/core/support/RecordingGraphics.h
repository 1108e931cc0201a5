#pragma once

// The recording drawing backend of the native tests: the drawing objects of core/graphics
// without a native library. Every drawing call is kept, in order, on the surface that made it and
// on the bitmap it draws into (a path by its colour only, not its shape); nothing is rasterised.
//
// Fixed text metrics: each UTF-16 unit is 0.5 × the font size wide (× 1.1 in a bold font);
// MeasureString adds size / 3 to the width and is 1.2 × size high (all 0 for an empty text).
// Installed font families: "Segoe UI", "Arial", "Tahoma", "DejaVu Sans" unless a test sets its
// own list; names match regardless of case. GDIPImage::FromFile reads the size from a PNG
// header: status 10 for a missing file, 13 for any other file. A call with an empty object or on
// an unbound surface fails with status 2 and records nothing.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/graphics/GDIPGraphics.h"
#include "core/graphics/GDIPlus.h"

namespace tarvik::test {

// The order is part of what tests print.
// A Clip with an empty rectangle lifts the clip.
enum class DrawKind { Clear, DrawString, DrawPath, FillPath, FillRectangle, DrawImage, Clip };

struct RenderSettings {
    int textRenderingHint = 0;
    int smoothingMode = 0;
    int pixelOffsetMode = 0;
    bool operator==(const RenderSettings&) const = default;
};

struct RecordedFont {
    std::string family;
    float size = 0;
    int style = 0;
};

// One record for every drawing call and every drawing object; each fills only what it needs.
struct DrawCall {
    DrawKind kind = DrawKind::Clear;
    uint32_t argb = 0;        // clear colour; pen and brush, and the calls drawn with them
    RectF rect;               // FillRectangle, DrawImage destination, Clip
    RectF source;             // DrawImage: the part of the image drawn
    std::string text;         // DrawString
    RecordedFont font;        // font family (its name), font, and DrawString
    PointF point;             // DrawString
    RenderSettings settings;  // surface; a call: the surface's settings at the call
    std::shared_ptr<std::vector<DrawCall>> drawn;  // image, and the surface bound to it
    std::vector<DrawCall> calls;                   // surface, since it was bound
};

// The record of an object; an empty record for an empty object.
const DrawCall& RecordOf(const GDIPObject& object);

// The calls drawn into an image through any surface.
inline const std::vector<DrawCall>& RecordedCalls(const GDIPImage& image) {
    return RecordOf(image).drawn ? *RecordOf(image).drawn : RecordOf(image).calls;
}
inline const std::vector<DrawCall>& RecordedCalls(const GDIPGraphics& graphics) {
    return RecordOf(graphics).calls;
}
inline uint32_t RecordedArgb(const GDIPBrush& brush) {
    return RecordOf(brush).argb;
}

void SetInstalledFontFamilies(std::vector<std::string> families = {"Segoe UI", "Arial", "Tahoma",
                                                                   "DejaVu Sans"});

// Sets the process-wide error convention (and the source name "Tarvik.exe") for the life of a
// test and puts the previous convention back afterwards.
struct ScopedDrawingErrors {
    explicit ScopedDrawingErrors(bool suppressed) {
        GDIPlusCreate(suppressed);
        SetGDIPlusErrorSourceName("Tarvik.exe");
    }
    ~ScopedDrawingErrors() { SetGDIPlusErrorsSuppressed(wasSuppressed); }
    ScopedDrawingErrors(const ScopedDrawingErrors&) = delete;
    const bool wasSuppressed = GDIPlusErrorsSuppressed();
};

}  // namespace tarvik::test
