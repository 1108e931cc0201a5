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

// A path in short: "rect x,y,w,h", or "round x,y,w,h rN" for four arcs and the lines between.
std::string ShapeOf(const std::vector<PathSegment>& path) {
    char text[96];
    const auto& a = path.at(0).values;
    if (path.size() == 1) {
        std::snprintf(text, sizeof text, "rect %g,%g,%g,%g", a[0], a[1], a[2], a[3]);
    } else {
        const auto& c = path.at(4).values;  // the bottom-right arc
        std::snprintf(text, sizeof text, "round %g,%g,%g,%g r%g", a[0], a[1], c[0] + a[2] - a[0],
                      c[1] + a[2] - a[1], a[2] / 2);
    }
    return text;
}

TEST(RoundedRect, FourArcsClockwiseWithTheRadiusCutToHalfTheShorterSide) {
    using S = SegmentKind;
    EXPECT_EQ(RecordedSegments(RoundedRect(10, 20, 40, 30, 8)),
              (std::vector<PathSegment>{{S::Arc, {10, 20, 16, 16, 180, 90}},
                                        {S::Line, {18, 20, 42, 20}},
                                        {S::Arc, {34, 20, 16, 16, 270, 90}},
                                        {S::Line, {50, 28, 50, 42}},
                                        {S::Arc, {34, 34, 16, 16, 0, 90}},
                                        {S::Line, {42, 50, 18, 50}},
                                        {S::Arc, {10, 34, 16, 16, 90, 90}},
                                        {S::Line, {10, 42, 10, 28}}}));
    const std::pair<GDIPGraphicPath, const char*> cases[] = {
        {RoundedRect(0.5f, 0.5f, 19, 9, 30), "round 0.5,0.5,19,9 r4.5"},
        {RoundedRect(3, 4, 50, 20, 0.9f), "rect 3,4,50,20"},
        {RoundedRect(3, 4, 1, 20, 8), "rect 3,4,1,20"},
        {RoundedRect(2.5f, 3.5f, 50.5f, 20, 0), "rect 2,4,50,20"},  // halves to even
    };
    for (const auto& [path, shape] : cases) {
        EXPECT_EQ(path.FillMode(), kFillModeWinding);
        EXPECT_EQ(ShapeOf(RecordedSegments(path)), shape);
    }
}

// What a painter drew, one "fill ARGB shape", "stroke ARGB wN shape" or "bar ARGB" per call.
std::string Paint(const GlassStyle& s, std::string_view painter, RectI r, bool surface = true) {
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(200, 100);
    GDIPGraphics graphics;
    graphics.FromImage(bitmap);
    GDIPGraphics* g = surface ? &graphics : nullptr;
    if (painter == "popup") s.Paint(g, r.Width, r.Height, false);
    if (painter == "pressed") s.PaintPressed(g, r);
    if (painter == "separator") s.PaintSeparator(g, RectF{0, 0, float(r.Width), float(r.Height)});
    if (painter == "button") s.PaintButton(g, r, false, false);
    if (painter == "hot accent button") s.PaintButton(g, r, true, true);
    if (painter == "focused field") s.PaintField(g, r, true);
    std::string drawn;
    for (const DrawCall& call : RecordedCalls(graphics)) {
        char text[32];
        const bool fill = call.kind == DrawKind::FillPath,
                   bar = call.kind == DrawKind::FillRectangle;
        std::snprintf(text, sizeof text, "%s %08X",
                      fill  ? "fill"
                      : bar ? "bar"
                            : "stroke",
                      call.argb);
        drawn += text;
        if (!fill && !bar) drawn += " w" + std::to_string(int(call.penWidth));
        if (!bar) drawn += " " + ShapeOf(call.path);
        drawn += "; ";
    }
    return drawn;
}

TEST(GlassStyle, EachPainterDrawsItsShapesInOrderAndAColourOfZeroNothing) {
    const auto none = [](GlassStyle&) {};
    const auto border = [](int width) { return [width](GlassStyle& s) { s.BorderWidth = width; }; };
    const std::tuple<const char*, std::function<void(GlassStyle&)>, std::string> cases[] = {
        {"popup", none,
         "fill B8FFFFFF round 0,0,60,20 r8; stroke 33000000 w1 round 0.5,0.5,59,19 r8; "},
        {"button", none,
         "fill AFFFFFFF round 10,5,60,20 r5; stroke 33000000 w1 round 10.5,5.5,59,19 r5; "},
        {"hot accent button", none,  // a black veil
         "fill FF2F7CD8 round 10,5,60,20 r5; fill 1E000000 round 10,5,60,20 r5; "},
        // A focused border is 1 wider, rounded to whole pixels with halves to even.
        {"focused field", border(3),
         "fill 6EFFFFFF round 10,5,60,20 r4; stroke FF2F7CD8 w4 round 10.5,5.5,59,19 r4; "},
        {"focused field", border(2),
         "fill 6EFFFFFF round 10,5,60,20 r4; stroke FF2F7CD8 w2 round 10.5,5.5,59,19 r4; "},
        {"popup", [](GlassStyle& s) { s.Radius = 0; },
         "fill B8FFFFFF rect 0,0,60,20; stroke 33000000 w1 rect 0,0,59,19; "},
        {"popup", [](GlassStyle& s) { s.BorderColor = 0; }, "fill B8FFFFFF round 0,0,60,20 r8; "},
        {"pressed", [](GlassStyle& s) { s.Pressed = 0; }, ""},
        {"separator", [](GlassStyle& s) { s.SeparatorColor = 0; }, ""},
    };
    for (const auto& [painter, change, drawn] : cases) {
        GlassStyle style;
        change(style);
        EXPECT_EQ(Paint(style, painter, {10, 5, 60, 20}), drawn) << painter;
    }
}

TEST(GlassStyle, NothingIsDrawnWithoutASurfaceOrBelowOnePixel) {
    for (const char* painter :
         {"popup", "pressed", "separator", "button", "hot accent button", "focused field"}) {
        Paint(GlassStyle{}, painter, {0, 0, 40, 20}, false);
        for (const RectI& rect : {RectI{5, 5, 0, 10}, RectI{5, 5, 10, 0}, RectI{5, 5, -3, 10}}) {
            EXPECT_EQ(Paint(GlassStyle{}, painter, rect), "") << painter;
        }
    }
}

}  // namespace
}  // namespace tarvik::test
