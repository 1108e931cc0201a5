#pragma once

// The one describer of drawing in the native tests: what the recording backend kept, one short
// line per call, with the colours a test cares about named.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/graphics/GDIPBitmap.h"
#include "core/support/RecordingGraphics.h"
#include "core/widgets/framework/IWidget.h"

namespace tarvik::test {

// Colours by the names a test gives them; any other colour is "?".
using ColourNames = std::vector<std::pair<uint32_t, std::string>>;

// A coordinate to one decimal, without a trailing ".0".
inline std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", double(value));
    const std::string written = text;
    return written.ends_with(".0") ? written.substr(0, written.size() - 2) : written;
}

// "clear"; "fill <colour>" and "line <colour>" for paths; "rect <colour> x,y wxh";
// "image x,y wxh"; "<text> <colour> x,y <size>" with "b" after a bold font's size; "clip x,y wxh"
// and "clip off".
inline std::vector<std::string> Drawn(const std::vector<DrawCall>& calls,
                                      const ColourNames& colours) {
    const auto colour = [&](uint32_t argb) {
        for (const auto& [value, name] : colours)
            if (value == argb) return name;
        return std::string("?");
    };
    const auto at = [](PointF p) { return Number(p.X) + "," + Number(p.Y); };
    std::vector<std::string> lines;
    for (const DrawCall& c : calls) {
        const RectF& r = c.rect;
        const std::string box = at({r.X, r.Y}) + " " + Number(r.Width) + "x" + Number(r.Height);
        const std::string argb = colour(c.argb);
        if (c.kind == DrawKind::Clear) lines.push_back("clear");
        if (c.kind == DrawKind::FillPath) lines.push_back("fill " + argb);
        if (c.kind == DrawKind::DrawPath) lines.push_back("line " + argb);
        if (c.kind == DrawKind::FillRectangle) lines.push_back("rect " + argb + " " + box);
        if (c.kind == DrawKind::DrawImage) lines.push_back("image " + box);
        if (c.kind == DrawKind::Clip) lines.push_back(r == RectF{} ? "clip off" : "clip " + box);
        if (c.kind == DrawKind::DrawString)
            lines.push_back(c.text + " " + argb + " " + at(c.point) + " " + Number(c.font.size) +
                            (c.font.style & kFontStyleBold ? "b" : ""));
    }
    return lines;
}

// A surface a widget's canvas is measured and painted on; the calls stay in `graphics`.
struct CanvasSurface {
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(300, 200);
    GDIPGraphics graphics;

    // The measured size as "<width>x<height>"; the canvas is painted that size afresh.
    std::string Show(IWidget& widget) {
        int32_t width = 0, height = 0;
        widget.MeasureCanvas(graphics, width, height);
        graphics.FromImage(bitmap.Image());
        widget.PaintCanvas(graphics, width, height);
        return std::to_string(width) + "x" + std::to_string(height);
    }
};

}  // namespace tarvik::test
