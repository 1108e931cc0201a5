// The drawing surface over GDI+: binding, render settings, shapes and images.
#include "core/graphics/GDIPGraphics.h"

#include "win32/graphics/GdiPlusNative.h"

namespace tarvik {

using gdip::Native;
using Gdiplus::GpGraphics;
namespace flat = gdip::flat;

namespace {

GpGraphics* Surface(void* handle) {
    return Native<GpGraphics>(handle);
}

}  // namespace

void GDIPGraphics::EnsureStringFormat() {
    if (m_stringFormat) return;
    Gdiplus::GpStringFormat* format = nullptr;
    const int status = flat::GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
    m_stringFormat = format;
    Check(status);
}

void GDIPGraphics::Unbind() noexcept {
    if (m_lentDc && m_handle) flat::GdipReleaseDC(Surface(m_handle), static_cast<HDC>(m_lentDc));
    m_lentDc = nullptr;
    if (m_handle) flat::GdipDeleteGraphics(Surface(m_handle));
    m_handle = nullptr;
    m_dc = nullptr;
    if (m_pixels) flat::GdipDisposeImage(Native<Gdiplus::GpImage>(m_pixels));
    m_pixels = nullptr;
}

void GDIPGraphics::FromHDC(void* hdc) {
    Unbind();
    GpGraphics* graphics = nullptr;
    const int status = flat::GdipCreateFromHDC(static_cast<HDC>(hdc), &graphics);
    m_handle = graphics;
    if (graphics) m_dc = hdc;
    Check(status);
    EnsureStringFormat();
}

void GDIPGraphics::FromDIB(void* hdc, void* bits, int width, int height, bool bottomUp) {
    Unbind();
    const INT stride = width * 4;
    BYTE* first = static_cast<BYTE*>(bits);
    if (bottomUp && height > 0) first += static_cast<ptrdiff_t>(height - 1) * stride;
    Gdiplus::GpBitmap* pixels = nullptr;
    int status = flat::GdipCreateBitmapFromScan0(width, height, bottomUp ? -stride : stride,
                                                 PixelFormat32bppPARGB, first, &pixels);
    m_pixels = pixels;
    if (status == Gdiplus::Ok) {
        GpGraphics* graphics = nullptr;
        status = flat::GdipGetImageGraphicsContext(pixels, &graphics);
        m_handle = graphics;
        if (graphics) m_dc = hdc;
    }
    if (!m_handle) Unbind();
    Check(status);
    EnsureStringFormat();
}

void GDIPGraphics::FromImage(GDIPImage& image) {
    Unbind();
    GpGraphics* graphics = nullptr;
    const int status = flat::GdipGetImageGraphicsContext(
        Native<Gdiplus::GpImage>(image.NativeHandle()), &graphics);
    m_handle = graphics;
    Check(status);
    EnsureStringFormat();
}

void* GDIPGraphics::GetHDC() {
    HDC dc = nullptr;
    Check(flat::GdipGetDC(Surface(m_handle), &dc));
    if (dc) m_lentDc = dc;
    return dc;
}

void GDIPGraphics::ReleaseHDC(void* hdc) {
    if (hdc != nullptr && hdc == m_lentDc) {
        m_lentDc = nullptr;
        Check(flat::GdipReleaseDC(Surface(m_handle), static_cast<HDC>(hdc)));
    } else if (hdc != nullptr && hdc == m_dc) {
        Unbind();
        Check(kGdipStatusOk);
    } else {
        Check(kGdipStatusInvalidParameter);
    }
}

void GDIPGraphics::Dispose() noexcept {
    Unbind();
    if (m_stringFormat) {
        flat::GdipDeleteStringFormat(Native<Gdiplus::GpStringFormat>(m_stringFormat));
    }
    m_stringFormat = nullptr;
}

void GDIPGraphics::SetTextRenderingHint(int hint) {
    Check(flat::GdipSetTextRenderingHint(Surface(m_handle),
                                         static_cast<Gdiplus::TextRenderingHint>(hint)));
}

void GDIPGraphics::SetSmoothingMode(int mode) {
    Check(flat::GdipSetSmoothingMode(Surface(m_handle), static_cast<Gdiplus::SmoothingMode>(mode)));
}

void GDIPGraphics::SetPixelOffsetMode(int mode) {
    Check(flat::GdipSetPixelOffsetMode(Surface(m_handle),
                                       static_cast<Gdiplus::PixelOffsetMode>(mode)));
}

void GDIPGraphics::SetInterpolationMode(int mode) {
    Check(flat::GdipSetInterpolationMode(Surface(m_handle),
                                         static_cast<Gdiplus::InterpolationMode>(mode)));
}

void GDIPGraphics::Exclude(const RectF& rect) {
    Check(flat::GdipSetClipRect(Surface(m_handle), rect.X, rect.Y, rect.Width, rect.Height,
                                Gdiplus::CombineModeExclude));
}

void GDIPGraphics::SetClip(const RectF& rect) {
    Check(flat::GdipSetClipRect(Surface(m_handle), rect.X, rect.Y, rect.Width, rect.Height,
                                Gdiplus::CombineModeReplace));
}

void GDIPGraphics::ResetClip() {
    Check(flat::GdipResetClip(Surface(m_handle)));
}

void GDIPGraphics::Clear(uint32_t argb) {
    Check(flat::GdipGraphicsClear(Surface(m_handle), argb));
}

void GDIPGraphics::DrawImage(const GDIPImage& image, float x, float y, float width, float height) {
    Check(flat::GdipDrawImageRect(Surface(m_handle), Native<Gdiplus::GpImage>(image.NativeHandle()),
                                  x, y, width, height));
}

void GDIPGraphics::DrawImageRect(const GDIPImage& image, float dstX, float dstY, float dstWidth,
                                 float dstHeight, float srcX, float srcY, float srcWidth,
                                 float srcHeight) {
    Check(flat::GdipDrawImageRectRect(
        Surface(m_handle), Native<Gdiplus::GpImage>(image.NativeHandle()), dstX, dstY, dstWidth,
        dstHeight, srcX, srcY, srcWidth, srcHeight, Gdiplus::UnitPixel, nullptr, nullptr, nullptr));
}

void GDIPGraphics::DrawPath(const GDIPPen& pen, const GDIPGraphicPath& path) {
    Check(flat::GdipDrawPath(Surface(m_handle), Native<Gdiplus::GpPen>(pen.NativeHandle()),
                             Native<Gdiplus::GpPath>(path.NativeHandle())));
}

void GDIPGraphics::FillPath(const GDIPBrush& brush, const GDIPGraphicPath& path) {
    Check(flat::GdipFillPath(Surface(m_handle), Native<Gdiplus::GpSolidFill>(brush.NativeHandle()),
                             Native<Gdiplus::GpPath>(path.NativeHandle())));
}

void GDIPGraphics::FillRectangle(const GDIPBrush& brush, const RectF& rect) {
    Check(flat::GdipFillRectangle(Surface(m_handle),
                                  Native<Gdiplus::GpSolidFill>(brush.NativeHandle()), rect.X,
                                  rect.Y, rect.Width, rect.Height));
}

void GDIPGraphics::DrawRectangle(const GDIPPen& pen, float x, float y, float width, float height) {
    Check(flat::GdipDrawRectangle(Surface(m_handle), Native<Gdiplus::GpPen>(pen.NativeHandle()), x,
                                  y, width, height));
}

}  // namespace tarvik
