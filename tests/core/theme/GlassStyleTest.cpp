#include "core/theme/GlassStyle.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/graphics/GDIPGraphics.h"
#include "core/support/RecordingGraphics.h"

namespace tarvik::test {
namespace {

using Segments = std::vector<PathSegment>;

// The box and corner radius of a recorded path: a plain rectangle has radius 0; a rounded one
// is read from its first arc (top left) and third arc (bottom right).
struct Shape {
    RectF bounds;
    float radius = 0;
    bool operator==(const Shape&) const = default;
};

Shape ShapeOf(const Segments& path) {
    if (path.size() == 1 && path[0].kind == SegmentKind::Rectangle) {
        const auto& v = path[0].values;
        return {RectF{v[0], v[1], v[2], v[3]}, 0};
    }
    if (path.size() != 8 || path[0].kind != SegmentKind::Arc || path[4].kind != SegmentKind::Arc) {
        return {RectF{-1, -1, -1, -1}, -1};
    }
    const auto& first = path[0].values;
    const auto& third = path[4].values;
    const float d = first[2];
    return {RectF{first[0], first[1], third[0] + d - first[0], third[1] + d - first[1]}, d / 2};
}

// One recorded call in the terms of the painters.
struct Drawn {
    DrawKind kind;
    uint32_t argb;
    float penWidth;  // 0 for fills
    Shape shape;     // FillRectangle: its rectangle with radius 0
    bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Drawn& d) {
    return out << "{kind " << static_cast<int>(d.kind) << ", argb " << std::hex << d.argb
               << std::dec << ", pen " << d.penWidth << ", box " << d.shape.bounds.X << ","
               << d.shape.bounds.Y << "," << d.shape.bounds.Width << "," << d.shape.bounds.Height
               << ", r " << d.shape.radius << "}";
}

class GlassStyleTest : public ::testing::Test {
  protected:
    GlassStyleTest() { m_graphics.FromImage(m_bitmap); }

    std::vector<Drawn> Paint(const std::function<void(const GlassStyle&, GDIPGraphics*)>& painter) {
        m_graphics.FromImage(m_bitmap);  // a fresh recording
        painter(m_style, &m_graphics);
        std::vector<Drawn> drawn;
        for (const DrawCall& call : RecordedCalls(m_graphics)) {
            EXPECT_TRUE(call.kind == DrawKind::FillRectangle || call.fillMode == kFillModeWinding);
            const Shape shape =
                call.kind == DrawKind::FillRectangle ? Shape{call.rect, 0} : ShapeOf(call.path);
            drawn.push_back({call.kind, call.argb, call.penWidth, shape});
        }
        return drawn;
    }

    ScopedDrawingErrors m_errors{true};
    GDIPBitmap m_bitmap = GDIPBitmap::CreateFromSizeFormat(200, 100);
    GDIPGraphics m_graphics;
    GlassStyle m_style;
};

constexpr DrawKind kFill = DrawKind::FillPath;
constexpr DrawKind kStroke = DrawKind::DrawPath;

TEST(RoundedRect, ArcsAndLinesGoRoundClockwiseFromTheTopLeft) {
    struct Case {
        const char* name;
        float x, y, width, height, radius;
        Segments expected;
    };
    const Case cases[] = {
        {"radius 8",
         10,
         20,
         40,
         30,
         8,
         {{SegmentKind::Arc, {10, 20, 16, 16, 180, 90}},
          {SegmentKind::Line, {18, 20, 42, 20}},
          {SegmentKind::Arc, {34, 20, 16, 16, 270, 90}},
          {SegmentKind::Line, {50, 28, 50, 42}},
          {SegmentKind::Arc, {34, 34, 16, 16, 0, 90}},
          {SegmentKind::Line, {42, 50, 18, 50}},
          {SegmentKind::Arc, {10, 34, 16, 16, 90, 90}},
          {SegmentKind::Line, {10, 42, 10, 28}}}},
        {"6 high: radius 4 cut to 3",
         0,
         0,
         60,
         6,
         4,
         {{SegmentKind::Arc, {0, 0, 6, 6, 180, 90}},
          {SegmentKind::Line, {3, 0, 57, 0}},
          {SegmentKind::Arc, {54, 0, 6, 6, 270, 90}},
          {SegmentKind::Line, {60, 3, 60, 3}},
          {SegmentKind::Arc, {54, 0, 6, 6, 0, 90}},
          {SegmentKind::Line, {57, 6, 3, 6}},
          {SegmentKind::Arc, {0, 0, 6, 6, 90, 90}},
          {SegmentKind::Line, {0, 3, 0, 3}}}},
        {"half-pixel inset",
         0.5f,
         0.5f,
         19,
         9,
         2,
         {{SegmentKind::Arc, {0.5f, 0.5f, 4, 4, 180, 90}},
          {SegmentKind::Line, {2.5f, 0.5f, 17.5f, 0.5f}},
          {SegmentKind::Arc, {15.5f, 0.5f, 4, 4, 270, 90}},
          {SegmentKind::Line, {19.5f, 2.5f, 19.5f, 7.5f}},
          {SegmentKind::Arc, {15.5f, 5.5f, 4, 4, 0, 90}},
          {SegmentKind::Line, {17.5f, 9.5f, 2.5f, 9.5f}},
          {SegmentKind::Arc, {0.5f, 5.5f, 4, 4, 90, 90}},
          {SegmentKind::Line, {0.5f, 7.5f, 0.5f, 2.5f}}}},
        {"radius 0", 3, 4, 50, 20, 0, {{SegmentKind::Rectangle, {3, 4, 50, 20}}}},
        {"radius below 1", 3, 4, 50, 20, 0.9f, {{SegmentKind::Rectangle, {3, 4, 50, 20}}}},
        {"1 wide: radius cut below 1", 3, 4, 1, 20, 8, {{SegmentKind::Rectangle, {3, 4, 1, 20}}}},
    };
    for (const Case& c : cases) {
        const GDIPGraphicPath path = RoundedRect(c.x, c.y, c.width, c.height, c.radius);
        EXPECT_EQ(path.FillMode(), kFillModeWinding) << c.name;
        EXPECT_EQ(RecordedSegments(path), c.expected) << c.name;
    }
}

TEST(RoundedRect, RadiusIsCutToHalfTheShorterSide) {
    struct Case {
        float width, height, radius, expected;
    };
    const Case cases[] = {
        {60, 6, 4, 3}, {6, 60, 4, 3}, {60, 20, 4, 4}, {60, 20, 30, 10}, {8, 8, 8, 4},
    };
    for (const Case& c : cases) {
        const GDIPGraphicPath path = RoundedRect(0, 0, c.width, c.height, c.radius);
        EXPECT_EQ(ShapeOf(RecordedSegments(path)),
                  (Shape{RectF{0, 0, c.width, c.height}, c.expected}))
            << c.width << "x" << c.height << " r" << c.radius;
    }
}

TEST_F(GlassStyleTest, EachPainterDrawsItsShapesInOrder) {
    const RectI button{10, 5, 80, 24};
    const Shape body{RectF{10, 5, 80, 24}, 5};
    const Shape border{RectF{10.5f, 5.5f, 79, 23}, 5};
    const Shape field{RectF{10, 5, 80, 24}, 4};
    const Shape fieldBorder{RectF{10.5f, 5.5f, 79, 23}, 4};
    struct Case {
        const char* name;
        std::function<void(const GlassStyle&, GDIPGraphics*)> painter;
        std::vector<Drawn> expected;
    };
    const Case cases[] = {
        {"popup over tint",
         [](const GlassStyle& s, GDIPGraphics* g) { s.Paint(g, 120, 60, false); },
         {{kFill, 0xB8FFFFFF, 0, {RectF{0, 0, 120, 60}, 8}},
          {kStroke, 0x33000000, 1, {RectF{0.5f, 0.5f, 119, 59}, 8}}}},
        {"popup over glass",
         [](const GlassStyle& s, GDIPGraphics* g) { s.Paint(g, 120, 60, true); },
         {{kFill, 0x01FFFFFF, 0, {RectF{0, 0, 120, 60}, 8}},
          {kStroke, 0x33000000, 1, {RectF{0.5f, 0.5f, 119, 59}, 8}}}},
        {"selection",
         [](const GlassStyle& s, GDIPGraphics* g) {
             s.PaintSelection(g, {10, 5, 60, 20});
         },
         {{kFill, 0xFF2F7CD8, 0, {RectF{10, 5, 60, 20}, 4}}}},
        {"6-pixel selection: radius 3",
         [](const GlassStyle& s, GDIPGraphics* g) {
             s.PaintSelection(g, {10, 5, 60, 6});
         },
         {{kFill, 0xFF2F7CD8, 0, {RectF{10, 5, 60, 6}, 3}}}},
        {"pressed",
         [](const GlassStyle& s, GDIPGraphics* g) {
             s.PaintPressed(g, {10, 5, 60, 20});
         },
         {{kFill, 0x40000000, 0, {RectF{10, 5, 60, 20}, 4}}}},
        {"separator",
         [](const GlassStyle& s, GDIPGraphics* g) {
             s.PaintSeparator(g, {15.5f, 30, 90, 1});
         },
         {{DrawKind::FillRectangle, 0x33000000, 0, {RectF{15.5f, 30, 90, 1}, 0}}}},
        {"cold button",
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintButton(g, button, false, false); },
         {{kFill, 0xAFFFFFFF, 0, body}, {kStroke, 0x33000000, 1, border}}},
        {"hot button",
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintButton(g, button, false, true); },
         {{kFill, 0xE6FFFFFF, 0, body}, {kStroke, 0x33000000, 1, border}}},
        {"cold accent button",
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintButton(g, button, true, false); },
         {{kFill, 0xFF2F7CD8, 0, body}}},
        {"hot accent button: accent, then a black veil",
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintButton(g, button, true, true); },
         {{kFill, 0xFF2F7CD8, 0, body}, {kFill, 0x1E000000, 0, body}}},
        {"field",
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintField(g, button, false); },
         {{kFill, 0x6EFFFFFF, 0, field}, {kStroke, 0x33000000, 1, fieldBorder}}},
        {"focused field",
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintField(g, button, true); },
         {{kFill, 0x6EFFFFFF, 0, field}, {kStroke, 0xFF2F7CD8, 2, fieldBorder}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Paint(c.painter), c.expected) << c.name;
    }
}

TEST_F(GlassStyleTest, RadiusZeroDrawsPlainRectangles) {
    m_style.Radius = 0;
    m_style.SelectionRadius = 0;
    const auto shapes = [&](const std::function<void(const GlassStyle&, GDIPGraphics*)>& p) {
        std::vector<Segments> paths;
        m_graphics.FromImage(m_bitmap);
        p(m_style, &m_graphics);
        for (const DrawCall& call : RecordedCalls(m_graphics)) paths.push_back(call.path);
        return paths;
    };
    const Segments whole{{SegmentKind::Rectangle, {0, 0, 120, 60}}};
    EXPECT_EQ(shapes([](const GlassStyle& s, GDIPGraphics* g) { s.Paint(g, 120, 60, false); })[0],
              whole);
    const Segments row{{SegmentKind::Rectangle, {10, 5, 60, 20}}};
    EXPECT_EQ(shapes([](const GlassStyle& s, GDIPGraphics* g) {
                  s.PaintSelection(g, {10, 5, 60, 20});
              }),
              std::vector<Segments>{row});
    EXPECT_EQ(shapes([](const GlassStyle& s, GDIPGraphics* g) {
                  s.PaintPressed(g, {10, 5, 60, 20});
              }),
              std::vector<Segments>{row});
    EXPECT_EQ(shapes([](const GlassStyle& s, GDIPGraphics* g) {
                  s.PaintField(g, {10, 5, 60, 20}, true);
              })[0],
              row);
    // A push button is always one pixel rounder than a selection.
    EXPECT_EQ(Paint([](const GlassStyle& s, GDIPGraphics* g) {
                  s.PaintButton(g, {10, 5, 60, 20}, true, false);
              }),
              (std::vector<Drawn>{{kFill, 0xFF2F7CD8, 0, {RectF{10, 5, 60, 20}, 1}}}));
}

TEST_F(GlassStyleTest, ColourZeroDrawsNothing) {
    const RectI rect{10, 5, 60, 20};
    struct Case {
        const char* name;
        uint32_t GlassStyle::*colour;
        std::function<void(const GlassStyle&, GDIPGraphics*)> painter;
        std::vector<DrawKind> left;  // what is still drawn
    };
    const Case cases[] = {
        {"selection",
         &GlassStyle::Selection,
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintSelection(g, rect); },
         {}},
        {"focused field border",
         &GlassStyle::Selection,
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintField(g, rect, true); },
         {kFill}},
        {"pressed",
         &GlassStyle::Pressed,
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintPressed(g, rect); },
         {}},
        {"popup border",
         &GlassStyle::BorderColor,
         [](const GlassStyle& s, GDIPGraphics* g) { s.Paint(g, 100, 50, false); },
         {kFill}},
        {"button border",
         &GlassStyle::BorderColor,
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintButton(g, rect, false, true); },
         {kFill}},
        {"field border",
         &GlassStyle::BorderColor,
         [&](const GlassStyle& s, GDIPGraphics* g) { s.PaintField(g, rect, false); },
         {kFill}},
        {"separator",
         &GlassStyle::SeparatorColor,
         [](const GlassStyle& s, GDIPGraphics* g) {
             s.PaintSeparator(g, {10, 5, 60, 1});
         },
         {}},
    };
    for (const Case& c : cases) {
        m_style = GlassStyle{};
        m_style.*c.colour = 0;
        std::vector<DrawKind> kinds;
        for (const Drawn& d : Paint(c.painter)) kinds.push_back(d.kind);
        EXPECT_EQ(kinds, c.left) << c.name;
    }
}

TEST_F(GlassStyleTest, FieldBorderWidthFollowsTheHairline) {
    struct Case {
        int32_t borderWidth;
        float focused;  // hairline + 0.5, halves to even
    };
    const Case cases[] = {{1, 2}, {2, 2}, {3, 4}, {4, 4}, {0, 0}};
    for (const Case& c : cases) {
        m_style.BorderWidth = c.borderWidth;
        const auto focused = Paint([](const GlassStyle& s, GDIPGraphics* g) {
            s.PaintField(g, {0, 0, 50, 20}, true);
        });
        const auto unfocused = Paint([](const GlassStyle& s, GDIPGraphics* g) {
            s.PaintField(g, {0, 0, 50, 20}, false);
        });
        ASSERT_EQ(focused.size(), 2u);
        ASSERT_EQ(unfocused.size(), 2u);
        EXPECT_EQ(focused[1].penWidth, c.focused) << c.borderWidth;
        EXPECT_EQ(focused[1].argb, m_style.Selection);
        EXPECT_EQ(unfocused[1].penWidth, static_cast<float>(c.borderWidth)) << c.borderWidth;
        EXPECT_EQ(unfocused[1].argb, m_style.BorderColor);
    }
}

TEST_F(GlassStyleTest, NothingIsDrawnWithoutASurfaceOrBelowOnePixel) {
    const std::function<void(const GlassStyle&, GDIPGraphics*, RectI)> painters[] = {
        [](const GlassStyle& s, GDIPGraphics* g, RectI r) { s.Paint(g, r.Width, r.Height, false); },
        [](const GlassStyle& s, GDIPGraphics* g, RectI r) { s.PaintSelection(g, r); },
        [](const GlassStyle& s, GDIPGraphics* g, RectI r) { s.PaintPressed(g, r); },
        [](const GlassStyle& s, GDIPGraphics* g, RectI r) {
            s.PaintSeparator(g, RectF{static_cast<float>(r.X), static_cast<float>(r.Y),
                                      static_cast<float>(r.Width), static_cast<float>(r.Height)});
        },
        [](const GlassStyle& s, GDIPGraphics* g, RectI r) { s.PaintButton(g, r, true, true); },
        [](const GlassStyle& s, GDIPGraphics* g, RectI r) { s.PaintButton(g, r, false, false); },
        [](const GlassStyle& s, GDIPGraphics* g, RectI r) { s.PaintField(g, r, true); },
    };
    const RectI tooSmall[] = {{5, 5, 0, 10}, {5, 5, 10, 0}, {5, 5, -3, 10}, {5, 5, 10, -1}};
    const int before = LiveNativeObjects();
    for (size_t i = 0; i < std::size(painters); ++i) {
        painters[i](m_style, nullptr, {0, 0, 40, 20});
        for (const RectI& rect : tooSmall) {
            m_graphics.FromImage(m_bitmap);
            painters[i](m_style, &m_graphics, rect);
            EXPECT_TRUE(RecordedCalls(m_graphics).empty()) << "painter " << i;
        }
        // A drawn shape leaves no brush, pen or path behind.
        painters[i](m_style, &m_graphics, {0, 0, 40, 20});
        EXPECT_FALSE(RecordedCalls(m_graphics).empty()) << "painter " << i;
        EXPECT_EQ(LiveNativeObjects(), before) << "painter " << i;
    }
}

}  // namespace
}  // namespace tarvik::test
