#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

#include "core/graphics/GDIPBitmap.h"
#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPFont.h"
#include "core/graphics/GDIPGraphicPath.h"
#include "core/graphics/GDIPImage.h"
#include "core/graphics/GDIPObject.h"
#include "core/graphics/GDIPPen.h"
#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

// A drawing surface bound to a device context or to a bitmap's pixels, with one string format
// created with no flags. Text is UTF-8. A call on an unbound surface fails with status 2.
class GDIPGraphics : public GDIPObject {
  public:
    // Not bound yet.
    GDIPGraphics() = default;
    ~GDIPGraphics() { Dispose(); }

    GDIPGraphics(GDIPGraphics&& other) noexcept
        : GDIPObject(std::move(other)),
          m_stringFormat(std::exchange(other.m_stringFormat, nullptr)),
          m_dc(std::exchange(other.m_dc, nullptr)),
          m_lentDc(std::exchange(other.m_lentDc, nullptr)),
          m_pixels(std::exchange(other.m_pixels, nullptr)),
          m_clip(other.m_clip),
          m_clipKind(std::exchange(other.m_clipKind, kNoClip)) {}
    GDIPGraphics& operator=(GDIPGraphics&& other) noexcept {
        if (this != &other) {
            Dispose();
            TakeHandle(other);
            m_stringFormat = std::exchange(other.m_stringFormat, nullptr);
            m_dc = std::exchange(other.m_dc, nullptr);
            m_lentDc = std::exchange(other.m_lentDc, nullptr);
            m_pixels = std::exchange(other.m_pixels, nullptr);
            m_clip = other.m_clip;
            m_clipKind = std::exchange(other.m_clipKind, kNoClip);
        }
        return *this;
    }

    // Binds to a device context (HDC); a previous binding is released first.
    void FromHDC(void* hdc);
    // Binds to the pixels of a 32-bit DIB section (premultiplied alpha) selected into the device
    // context: drawing writes them directly, without going through the device context. `bits`
    // is the first row in memory, the bottom row of the picture when bottomUp. ReleaseHDC(hdc)
    // ends the binding as it does FromHDC's; the pixels must outlive the binding.
    void FromDIB(void* hdc, void* bits, int width, int height, bool bottomUp);
    // Binds to an image's pixels (a bitmap's Image()); a previous binding is released first.
    // The image must outlive the binding.
    void FromImage(GDIPImage& image);
    bool IsBound() const { return m_handle != nullptr; }
    // The device context this surface is bound to with FromHDC; null otherwise.
    void* BoundDC() const { return m_dc; }

    // Lends a device context (HDC) that draws onto the surface, until ReleaseHDC.
    void* GetHDC();
    // Gives back a device context: one lent by GetHDC, or the one bound with FromHDC, which
    // ends the binding so that the caller may delete the context.
    void ReleaseHDC(void* hdc);

    void SetTextRenderingHint(int hint);
    void SetSmoothingMode(int mode);
    void SetPixelOffsetMode(int mode);
    void SetInterpolationMode(int mode);
    // The settings of every surface: anti-aliased text, high-quality smoothing and pixel offset.
    void ApplySurfaceSettings() {
        SetTextRenderingHint(kTextRenderingHintAntiAlias);
        SetSmoothingMode(kSmoothingModeHighQuality);
        SetPixelOffsetMode(kPixelOffsetModeHighQuality);
    }

    // Removes the rectangle from the clip region.
    void Exclude(const RectF& rect);
    // Limits every later drawing call, Clear included, to the rectangle.
    void SetClip(const RectF& rect);
    // Drawing reaches the whole surface again.
    void ResetClip();
    // Fills the whole surface (inside the clip) with an ARGB word; 0 is fully transparent.
    void Clear(uint32_t argb = 0);

    // Draws text with its top-left corner at the point, without a layout box.
    void DrawString(std::string_view text, const GDIPFont& font, const GDIPBrush& brush, PointF at);
    void DrawString(std::string_view text, const GDIPFont& font, const GDIPBrush& brush, float x,
                    float y) {
        DrawString(text, font, brush, PointF{x, y});
    }
    // The bounding box of the text laid out without a box (with the library's padding).
    RectF MeasureString(std::string_view text, const GDIPFont& font);
    // The width of the text measured as one character range inside an 8192 × 1024 box at the
    // origin (no padding); an empty text measures 0.
    float MeasureStringWidth(std::string_view text, const GDIPFont& font);

    // The whole image scaled into the rectangle.
    void DrawImage(const GDIPImage& image, float x, float y, float width, float height);
    // A part of the image (source in pixels) scaled into the destination rectangle.
    void DrawImageRect(const GDIPImage& image, float dstX, float dstY, float dstWidth,
                       float dstHeight, float srcX, float srcY, float srcWidth, float srcHeight);

    void DrawPath(const GDIPPen& pen, const GDIPGraphicPath& path);
    void FillPath(const GDIPBrush& brush, const GDIPGraphicPath& path);
    void FillRectangle(const GDIPBrush& brush, const RectF& rect);
    void FillRectangle(const GDIPBrush& brush, float x, float y, float width, float height) {
        FillRectangle(brush, RectF{x, y, width, height});
    }
    void DrawRectangle(const GDIPPen& pen, float x, float y, float width, float height);

    // Releases the native surface and its string format; the object is unbound afterwards.
    void Dispose() noexcept;

  private:
    // Ends the current binding (giving back a lent device context first); keeps the format.
    void Unbind() noexcept;
    // Creates the string format on first binding.
    void EnsureStringFormat();

    void* m_stringFormat = nullptr;
    void* m_dc = nullptr;
    void* m_lentDc = nullptr;
    void* m_pixels = nullptr;  // the bitmap over a DIB's pixels and where they are (FromDIB)
    // The clip as set through this object: a whole-pixel rectangle lets Clear write the pixels
    // of a DIB itself.
    static constexpr int kNoClip = 0;
    static constexpr int kRectangleClip = 1;
    static constexpr int kOtherClip = 2;
    RectF m_clip;
    int m_clipKind = kNoClip;
};

// Runs `draw` with the surface clipped to the rectangle; the clip is lifted afterwards, also when
// `draw` throws.
template <typename Draw>
void DrawClipped(GDIPGraphics& graphics, const RectF& clip, Draw&& draw) {
    graphics.SetClip(clip);
    try {
        draw();
    } catch (...) {
        try {
            graphics.ResetClip();
        } catch (...) {
            // The first failure is the one reported.
        }
        throw;
    }
    graphics.ResetClip();
}

}  // namespace tarvik
