// Loaded images and in-memory bitmaps over GDI+.
#include <algorithm>
#include <cstring>

#include "core/graphics/GDIPBitmap.h"
#include "core/graphics/GDIPImage.h"
#include "core/graphics/PixelBuffer.h"
#include "win32/graphics/GdiPlusNative.h"
#include "win32/platform/WideText.h"

namespace tarvik {

using gdip::Native;
using Gdiplus::GpBitmap;
using Gdiplus::GpImage;

namespace {

// Takes a new native image: its size, or nothing when the call failed.
void Adopt(GpImage* image, void*& handle, int& width, int& height) {
    handle = image;
    UINT w = 0;
    UINT h = 0;
    if (image && gdip::flat::GdipGetImageWidth(image, &w) == Gdiplus::Ok &&
        gdip::flat::GdipGetImageHeight(image, &h) == Gdiplus::Ok) {
        width = static_cast<int>(std::min<UINT>(w, INT_MAX));
        height = static_cast<int>(std::min<UINT>(h, INT_MAX));
    }
}

}  // namespace

GDIPImage GDIPImage::FromFile(std::string_view path) {
    GDIPImage result;
    GpImage* image = nullptr;
    const int status = gdip::flat::GdipLoadImageFromFile(Widen(path).c_str(), &image);
    Adopt(image, result.m_handle, result.m_width, result.m_height);
    result.Check(status);
    return result;
}

void GDIPImage::Dispose() noexcept {
    if (m_handle) gdip::flat::GdipDisposeImage(Native<GpImage>(m_handle));
    m_handle = nullptr;
    m_width = 0;
    m_height = 0;
}

GDIPBitmap GDIPBitmap::CreateFromSizeFormat(int width, int height, int format) {
    GDIPBitmap result;
    GpBitmap* bitmap = nullptr;
    const int status =
        gdip::flat::GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap);
    Adopt(bitmap, result.m_handle, result.m_width, result.m_height);
    result.Check(status);
    return result;
}

GDIPBitmap GDIPBitmap::CreateFromSizeFormatData(int width, int height, int stride, int format,
                                                std::span<const uint8_t> pixels) {
    if (!PixelBufferFits(width, height, stride, format, pixels.size())) {
        GDIPBitmap rejected;
        rejected.Check(kGdipStatusInvalidParameter);
        return rejected;
    }
    // The library allocates the pixels itself; the rows are copied in, so the caller's buffer
    // may go away at once.
    GDIPBitmap result = CreateFromSizeFormat(width, height, format);
    if (!result.m_handle) return result;
    BitmapData data;
    if (!result.LockBits(RectI{0, 0, width, height}, kImageLockModeWrite, format, data)) {
        return result;
    }
    for (int row = 0; row < height; ++row) {
        std::memcpy(data.Scan0 + static_cast<ptrdiff_t>(row) * data.Stride,
                    pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(stride),
                    static_cast<size_t>(PixelRowBytes(width, format)));
    }
    result.UnlockBits(data);
    return result;
}

GDIPBitmap GDIPBitmap::CreateFromHICON(void* icon) {
    GDIPBitmap result;
    GpBitmap* bitmap = nullptr;
    const int status = gdip::flat::GdipCreateBitmapFromHICON(static_cast<HICON>(icon), &bitmap);
    Adopt(bitmap, result.m_handle, result.m_width, result.m_height);
    result.Check(status);
    return result;
}

GDIPBitmap GDIPBitmap::CreateFromHBITMAP(void* bitmapHandle, void* palette) {
    GDIPBitmap result;
    GpBitmap* bitmap = nullptr;
    const int status = gdip::flat::GdipCreateBitmapFromHBITMAP(
        static_cast<HBITMAP>(bitmapHandle), static_cast<HPALETTE>(palette), &bitmap);
    Adopt(bitmap, result.m_handle, result.m_width, result.m_height);
    result.Check(status);
    return result;
}

bool GDIPBitmap::LockBits(const RectI& rect, uint32_t lockMode, int format, BitmapData& data) {
    const Gdiplus::GpRect area(rect.X, rect.Y, rect.Width, rect.Height);
    Gdiplus::BitmapData locked{};
    const int status = gdip::flat::GdipBitmapLockBits(Native<GpBitmap>(m_handle), &area, lockMode,
                                                      format, &locked);
    if (status == Gdiplus::Ok) {
        data.Width = static_cast<int32_t>(locked.Width);
        data.Height = static_cast<int32_t>(locked.Height);
        data.Stride = locked.Stride;
        data.PixelFormat = static_cast<int32_t>(locked.PixelFormat);
        data.Scan0 = static_cast<uint8_t*>(locked.Scan0);
        data.Reserved = reinterpret_cast<void*>(locked.Reserved);
    }
    return Check(status) == Gdiplus::Ok;
}

void GDIPBitmap::UnlockBits(BitmapData& data) {
    Gdiplus::BitmapData locked{};
    locked.Width = static_cast<UINT>(data.Width);
    locked.Height = static_cast<UINT>(data.Height);
    locked.Stride = data.Stride;
    locked.PixelFormat = static_cast<Gdiplus::PixelFormat>(data.PixelFormat);
    locked.Scan0 = data.Scan0;
    locked.Reserved = reinterpret_cast<UINT_PTR>(data.Reserved);
    Check(gdip::flat::GdipBitmapUnlockBits(Native<GpBitmap>(m_handle), &locked));
}

uint32_t GDIPBitmap::GetPixel(int x, int y) {
    Gdiplus::ARGB argb = 0;
    if (Check(gdip::flat::GdipBitmapGetPixel(Native<GpBitmap>(m_handle), x, y, &argb)) != 0) {
        return 0;
    }
    return argb;
}

}  // namespace tarvik
