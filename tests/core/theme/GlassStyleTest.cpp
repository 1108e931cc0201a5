#include "core/theme/GlassStyle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/graphics/GDIPGraphics.h"
#include "core/support/RecordingGraphics.h"

namespace tarvik::test {
namespace {

// A path in short: "rect x,y,w,h" for a plain rectangle, "round x,y,w,h rN" for a rounded one
// whose eight segments go clockwise from the top-left arc, anything else "odd".
std::string ShapeOf(const std::vector<PathSegment>& path) {
    char text[96];
    if (path.size() == 1 && path[0].kind == SegmentKind::Rectangle) {
        const auto& v = path[0].values;
        std::snprintf(text, sizeof text, "rect %g,%g,%g,%g", v[0], v[1], v[2], v[3]);
        return text;
    }
    if (path.size() != 8) return "odd";
    const auto& a = path[0].values;  // top left arc
    const auto& c = path[4].values;  // bottom right arc
    const float d = a[2], w = c[0] + d - a[0], h = c[1] + d - a[1], r = d / 2;
    const std::vector<PathSegment> expected{
        {SegmentKind::Arc, {a[0], a[1], d, d, 180, 90}},
        {SegmentKind::Line, {a[0] + r, a[1], a[0] + w - r, a[1]}},
        {SegmentKind::Arc, {a[0] + w - d, a[1], d, d, 270, 90}},
        {SegmentKind::Line, {a[0] + w, a[1] + r, a[0] + w, a[1] + h - r}},
        {SegmentKind::Arc, {a[0] + w - d, a[1] + h - d, d, d, 0, 90}},
        {SegmentKind::Line, {a[0] + w - r, a[1] + h, a[0] + r, a[1] + h}},
        {SegmentKind::Arc, {a[0], a[1] + h - d, d, d, 90, 90}},
        {SegmentKind::Line, {a[0], a[1] + h - r, a[0], a[1] + r}}};
    if (path != expected) return "odd";
    std::snprintf(text, sizeof text, "round %g,%g,%g,%g r%g", a[0], a[1], w, h, r);
    return text;
}

TEST(RoundedRect, RadiusIsCutToHalfTheShorterSideAndBelowOneIsARectangle) {
    struct Case {
        float x, y, width, height, radius;
        const char* shape;
    };
    const Case cases[] = {
        {10, 20, 40, 30, 8, "round 10,20,40,30 r8"},
        {0, 0, 6, 60, 4, "round 0,0,6,60 r3"},
        {0.5f, 0.5f, 19, 9, 30, "round 0.5,0.5,19,9 r4.5"},
        {3, 4, 50, 20, 0.9f, "rect 3,4,50,20"},
        {3, 4, 1, 20, 8, "rect 3,4,1,20"},
        {2.5f, 3.5f, 50.5f, 20, 0, "rect 2,4,50,20"},  // whole pixels, halves to even
    };
    for (const Case& c : cases) {
        const GDIPGraphicPath path = RoundedRect(c.x, c.y, c.width, c.height, c.radius);
        EXPECT_EQ(path.FillMode(), kFillModeWinding);
        EXPECT_EQ(ShapeOf(RecordedSegments(path)), c.shape);
    }
}

// What a painter drew into the rectangle, one "fill ARGB shape", "stroke ARGB wN shape" or
// "bar ARGB x,y,w,h" per call.
std::string Paint(const GlassStyle& s, std::string_view painter, RectI r, bool surface = true) {
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(200, 100);
    GDIPGraphics graphics;
    graphics.FromImage(bitmap);
    GDIPGraphics* g = surface ? &graphics : nullptr;
    if (painter == "popup") s.Paint(g, r.Width, r.Height, false);
    if (painter == "popup over glass") s.Paint(g, r.Width, r.Height, true);
    if (painter == "selection") s.PaintSelection(g, r);
    if (painter == "pressed") s.PaintPressed(g, r);
    if (painter == "separator")
        s.PaintSeparator(g, RectF{r.X + 0.5f, float(r.Y), float(r.Width), float(r.Height)});
    if (painter == "button") s.PaintButton(g, r, false, false);
    if (painter == "hot button") s.PaintButton(g, r, false, true);
    if (painter == "accent button") s.PaintButton(g, r, true, false);
    if (painter == "hot accent button") s.PaintButton(g, r, true, true);
    if (painter == "field") s.PaintField(g, r, false);
    if (painter == "focused field") s.PaintField(g, r, true);
    std::string drawn;
    for (const DrawCall& call : RecordedCalls(graphics)) {
        char text[160];
        const RectF& b = call.rect;
        if (call.kind == DrawKind::FillRectangle) {
            std::snprintf(text, sizeof text, "bar %08X %g,%g,%g,%g; ", call.argb, b.X, b.Y, b.Width,
                          b.Height);
        } else if (call.kind == DrawKind::FillPath) {
            std::snprintf(text, sizeof text, "fill %08X %s; ", call.argb,
                          ShapeOf(call.path).c_str());
        } else {
            std::snprintf(text, sizeof text, "stroke %08X w%g %s; ", call.argb, call.penWidth,
                          ShapeOf(call.path).c_str());
        }
        drawn += text;
    }
    return drawn;
}

TEST(GlassStyle, EachPainterDrawsItsShapesInOrder) {
    struct Case {
        const char* painter;
        std::function<void(GlassStyle&)> change;
        std::string drawn;
    };
    const auto none = [](GlassStyle&) {};
    const auto border = [](int width) { return [width](GlassStyle& s) { s.BorderWidth = width; }; };
    const Case cases[] = {
        {"popup", none,
         "fill B8FFFFFF round 0,0,60,20 r8; stroke 33000000 w1 round 0.5,0.5,59,19 r8; "},
        {"popup over glass", none,
         "fill 01FFFFFF round 0,0,60,20 r8; stroke 33000000 w1 round 0.5,0.5,59,19 r8; "},
        {"selection", none, "fill FF2F7CD8 round 10,5,60,20 r4; "},
        {"pressed", none, "fill 40000000 round 10,5,60,20 r4; "},
        {"separator", none, "bar 33000000 10.5,5,60,20; "},
        {"button", none,
         "fill AFFFFFFF round 10,5,60,20 r5; stroke 33000000 w1 round 10.5,5.5,59,19 r5; "},
        {"hot button", none,
         "fill E6FFFFFF round 10,5,60,20 r5; stroke 33000000 w1 round 10.5,5.5,59,19 r5; "},
        {"accent button", none, "fill FF2F7CD8 round 10,5,60,20 r5; "},
        {"hot accent button", none,  // a black veil
         "fill FF2F7CD8 round 10,5,60,20 r5; fill 1E000000 round 10,5,60,20 r5; "},
        {"field", border(3),
         "fill 6EFFFFFF round 10,5,60,20 r4; stroke 33000000 w3 round 10.5,5.5,59,19 r4; "},
        // A focused border is 1 wider, rounded to whole pixels with halves to even.
        {"focused field", none,
         "fill 6EFFFFFF round 10,5,60,20 r4; stroke FF2F7CD8 w2 round 10.5,5.5,59,19 r4; "},
        {"focused field", border(3),
         "fill 6EFFFFFF round 10,5,60,20 r4; stroke FF2F7CD8 w4 round 10.5,5.5,59,19 r4; "},
        {"focused field", border(2),
         "fill 6EFFFFFF round 10,5,60,20 r4; stroke FF2F7CD8 w2 round 10.5,5.5,59,19 r4; "},
        {"popup", [](GlassStyle& s) { s.Radius = 0; },
         "fill B8FFFFFF rect 0,0,60,20; stroke 33000000 w1 rect 0,0,59,19; "},
        {"selection", [](GlassStyle& s) { s.SelectionRadius = 0; },
         "fill FF2F7CD8 rect 10,5,60,20; "},
        {"accent button", [](GlassStyle& s) { s.SelectionRadius = 0; },
         "fill FF2F7CD8 round 10,5,60,20 r1; "},
        {"focused field", [](GlassStyle& s) { s.Selection = 0; },
         "fill 6EFFFFFF round 10,5,60,20 r4; "},
        {"pressed", [](GlassStyle& s) { s.Pressed = 0; }, ""},
        {"popup", [](GlassStyle& s) { s.BorderColor = 0; }, "fill B8FFFFFF round 0,0,60,20 r8; "},
        {"hot button", [](GlassStyle& s) { s.BorderColor = 0; },
         "fill E6FFFFFF round 10,5,60,20 r5; "},
        {"field", [](GlassStyle& s) { s.BorderColor = 0; }, "fill 6EFFFFFF round 10,5,60,20 r4; "},
        {"separator", [](GlassStyle& s) { s.SeparatorColor = 0; }, ""},
    };
    for (const Case& c : cases) {
        GlassStyle style;
        c.change(style);
        EXPECT_EQ(Paint(style, c.painter, {10, 5, 60, 20}), c.drawn) << c.painter;
    }
}

TEST(GlassStyle, NothingIsDrawnWithoutASurfaceOrBelowOnePixel) {
    for (const char* painter : {"popup", "selection", "pressed", "separator", "button",
                                "hot accent button", "focused field"}) {
        Paint(GlassStyle{}, painter, {0, 0, 40, 20}, false);
        for (const RectI& rect : {RectI{5, 5, 0, 10}, RectI{5, 5, 10, 0}, RectI{5, 5, -3, 10}}) {
            EXPECT_EQ(Paint(GlassStyle{}, painter, rect), "") << painter;
        }
    }
}

}  // namespace
}  // namespace tarvik::test
