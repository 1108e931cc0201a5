#pragma once

#include "core/graphics/GDIPObject.h"
#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

// A path of lines and curves with a fill mode. Each new segment joins the previous one, so a
// rounded rectangle is four 90° arcs with the lines between them.
class GDIPGraphicPath : public GDIPObject {
  public:
    explicit GDIPGraphicPath(int fillMode = kFillModeAlternate);
    ~GDIPGraphicPath() { Dispose(); }

    GDIPGraphicPath(GDIPGraphicPath&& other) noexcept = default;
    GDIPGraphicPath& operator=(GDIPGraphicPath&& other) noexcept {
        if (this != &other) {
            Dispose();
            TakeHandle(other);
            m_fillMode = other.m_fillMode;
        }
        return *this;
    }

    int FillMode() const { return m_fillMode; }

    void AddLine(float x1, float y1, float x2, float y2);
    void AddRectangle(int x, int y, int width, int height);
    // The arc of the ellipse inside the rectangle, from startAngle sweeping sweepAngle degrees
    // (clockwise on screen, 0° pointing right).
    void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    void AddEllipse(float x, float y, float width, float height);

    void Dispose() noexcept;

  private:
    int m_fillMode = kFillModeAlternate;
};

}  // namespace tarvik
