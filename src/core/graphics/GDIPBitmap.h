#pragma once

#include <cstdint>
#include <span>

#include "core/graphics/GDIPImage.h"
#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

// An image made in memory. A bitmap is an image with more operations and no more state, so a
// bitmap moved into a GDIPImage keeps its pixels (that is how a drawn bitmap is handed out as a
// picture).
class GDIPBitmap : public GDIPImage {
  public:
    // An empty bitmap.
    GDIPBitmap() = default;

    // A cleared bitmap of the size; every surface of the program is kPixelFormat32bppARGB.
    static GDIPBitmap CreateFromSizeFormat(int width, int height,
                                           int format = kPixelFormat32bppARGB);
    // A bitmap holding its own copy of the pixels: rows of `stride` bytes (at least a row's
    // bytes, top row first); `pixels` must hold every row.
    static GDIPBitmap CreateFromSizeFormatData(int width, int height, int stride, int format,
                                               std::span<const uint8_t> pixels);
    // The icon (HICON) with its mask applied; the icon stays the caller's.
    static GDIPBitmap CreateFromHICON(void* icon);
    // A copy of a GDI bitmap (HBITMAP) with an optional palette (HPALETTE); both stay the
    // caller's.
    static GDIPBitmap CreateFromHBITMAP(void* bitmap, void* palette = nullptr);

    GDIPBitmap(GDIPBitmap&& other) noexcept = default;
    GDIPBitmap& operator=(GDIPBitmap&& other) noexcept = default;

    // Exposes a part of the pixels in the given format until UnlockBits; false on failure.
    bool LockBits(const RectI& rect, uint32_t lockMode, int format, BitmapData& data);
    void UnlockBits(BitmapData& data);
    // The ARGB word of one pixel (0 when it cannot be read).
    uint32_t GetPixel(int x, int y);

    // The same pixels seen as an image, valid while this bitmap lives.
    GDIPImage& Image() { return *this; }
    const GDIPImage& Image() const { return *this; }
};

static_assert(sizeof(GDIPBitmap) == sizeof(GDIPImage), "a bitmap adds no state to an image");

}  // namespace tarvik
