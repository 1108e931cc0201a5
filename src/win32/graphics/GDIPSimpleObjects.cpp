// Pens, brushes and paths over GDI+.
#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPGraphicPath.h"
#include "core/graphics/GDIPPen.h"
#include "win32/graphics/GdiPlusNative.h"

namespace tarvik {

using gdip::Native;
using gdip::flat::GdipAddPathArc;
using gdip::flat::GdipAddPathEllipse;
using gdip::flat::GdipAddPathLine;
using gdip::flat::GdipAddPathRectangleI;
using Gdiplus::GpPath;

void GDIPPen::Rebuild() {
    Dispose();
    Gdiplus::GpPen* pen = nullptr;
    const int status = gdip::flat::GdipCreatePen1(NativeArgb(), static_cast<Gdiplus::REAL>(m_size),
                                                  Gdiplus::UnitPixel, &pen);
    m_handle = pen;
    Check(status);
}

void GDIPPen::Dispose() noexcept {
    if (!m_handle) return;
    gdip::flat::GdipDeletePen(Native<Gdiplus::GpPen>(m_handle));
    m_handle = nullptr;
}

void GDIPBrush::Rebuild() {
    Dispose();
    Gdiplus::GpSolidFill* brush = nullptr;
    const int status = gdip::flat::GdipCreateSolidFill(NativeArgb(), &brush);
    m_handle = brush;
    Check(status);
}

void GDIPBrush::Dispose() noexcept {
    if (!m_handle) return;
    gdip::flat::GdipDeleteBrush(Native<Gdiplus::GpSolidFill>(m_handle));
    m_handle = nullptr;
}

GDIPGraphicPath::GDIPGraphicPath(int fillMode) : m_fillMode(fillMode) {
    GpPath* path = nullptr;
    const int status =
        gdip::flat::GdipCreatePath(static_cast<Gdiplus::GpFillMode>(fillMode), &path);
    m_handle = path;
    Check(status);
}

void GDIPGraphicPath::AddLine(float x1, float y1, float x2, float y2) {
    Check(GdipAddPathLine(Native<GpPath>(m_handle), x1, y1, x2, y2));
}

void GDIPGraphicPath::AddRectangle(int x, int y, int width, int height) {
    Check(GdipAddPathRectangleI(Native<GpPath>(m_handle), x, y, width, height));
}

void GDIPGraphicPath::AddArc(float x, float y, float width, float height, float startAngle,
                             float sweepAngle) {
    Check(GdipAddPathArc(Native<GpPath>(m_handle), x, y, width, height, startAngle, sweepAngle));
}

void GDIPGraphicPath::AddEllipse(float x, float y, float width, float height) {
    Check(GdipAddPathEllipse(Native<GpPath>(m_handle), x, y, width, height));
}

void GDIPGraphicPath::Dispose() noexcept {
    if (!m_handle) return;
    gdip::flat::GdipDeletePath(Native<GpPath>(m_handle));
    m_handle = nullptr;
}

}  // namespace tarvik
