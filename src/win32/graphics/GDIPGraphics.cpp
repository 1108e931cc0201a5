// The drawing surface over GDI+: binding, render settings, shapes and images.
#include "core/graphics/GDIPGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "win32/graphics/GdiPlusNative.h"

namespace tarvik {

using gdip::Native;
using Gdiplus::GpGraphics;
namespace flat = gdip::flat;

namespace {

GpGraphics* Surface(void* handle) {
    return Native<GpGraphics>(handle);
}

// The pixels of a DIB section that a surface draws into (GDIPGraphics::FromDIB).
struct DibPixels {
    Gdiplus::GpBitmap* bitmap = nullptr;
    BYTE* top = nullptr;  // the picture's top row
    INT stride = 0;       // from one row to the one below it, in bytes
    INT width = 0;
    INT height = 0;
};

DibPixels* PixelsOf(void* pixels) {
    return static_cast<DibPixels*>(pixels);
}

// Premultiplied, as the DIB holds it.
uint32_t Premultiplied(uint32_t argb) {
    const uint32_t alpha = argb >> 24;
    const auto scale = [alpha](uint32_t channel) { return (channel * alpha + 127) / 255; };
    return alpha << 24 | scale((argb >> 16) & 0xFF) << 16 | scale((argb >> 8) & 0xFF) << 8 |
           scale(argb & 0xFF);
}

bool WholePixels(float value) {
    return value == std::floor(value) && value > -1e6f && value < 1e6f;
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
    if (DibPixels* pixels = PixelsOf(m_pixels)) {
        flat::GdipDisposeImage(pixels->bitmap);
        delete pixels;
    }
    m_pixels = nullptr;
    m_clipKind = kNoClip;
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
    auto* pixels = new DibPixels{nullptr, first, bottomUp ? -stride : stride, width, height};
    m_pixels = pixels;
    int status = flat::GdipCreateBitmapFromScan0(width, height, pixels->stride,
                                                 PixelFormat32bppPARGB, first, &pixels->bitmap);
    if (status == Gdiplus::Ok) {
        GpGraphics* graphics = nullptr;
        status = flat::GdipGetImageGraphicsContext(pixels->bitmap, &graphics);
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
    m_clipKind = kOtherClip;
    Check(flat::GdipSetClipRect(Surface(m_handle), rect.X, rect.Y, rect.Width, rect.Height,
                                Gdiplus::CombineModeExclude));
}

void GDIPGraphics::SetClip(const RectF& rect) {
    m_clip = rect;
    m_clipKind = kRectangleClip;
    Check(flat::GdipSetClipRect(Surface(m_handle), rect.X, rect.Y, rect.Width, rect.Height,
                                Gdiplus::CombineModeReplace));
}

void GDIPGraphics::ResetClip() {
    m_clipKind = kNoClip;
    Check(flat::GdipResetClip(Surface(m_handle)));
}

// Over a DIB, clearing the whole surface or a whole-pixel rectangle of it writes the pixels
// directly: the library's clear is a fill that blends pixel by pixel.
void GDIPGraphics::Clear(uint32_t argb) {
    DibPixels* pixels = PixelsOf(m_pixels);
    const bool plain =
        m_clipKind == kNoClip ||
        (m_clipKind == kRectangleClip && WholePixels(m_clip.X) && WholePixels(m_clip.Y) &&
         WholePixels(m_clip.Width) && WholePixels(m_clip.Height));
    if (!m_handle || !pixels || !plain) {
        Check(flat::GdipGraphicsClear(Surface(m_handle), argb));
        return;
    }
    INT left = 0;
    INT top = 0;
    INT right = pixels->width;
    INT bottom = pixels->height;
    if (m_clipKind == kRectangleClip) {
        left = std::max(left, static_cast<INT>(m_clip.X));
        top = std::max(top, static_cast<INT>(m_clip.Y));
        right = std::min(right, static_cast<INT>(m_clip.X + m_clip.Width));
        bottom = std::min(bottom, static_cast<INT>(m_clip.Y + m_clip.Height));
    }
    const uint32_t value = Premultiplied(argb);
    for (INT y = top; y < bottom && left < right; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(pixels->top + static_cast<ptrdiff_t>(y) * pixels->stride);
        std::fill(row + left, row + right, value);
    }
    Check(Gdiplus::Ok);
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
