#include "win32/platform/AlphaIcon.h"

#include <span>

#include "core/app/Error.h"
#include "win32/platform/UniqueHandle.h"

namespace tarvik {

namespace {

// The colour pixels of a 32-bit colour bitmap declared as ARGB, so that their fourth byte is
// alpha; empty when the bitmap has no such pixels.
GDIPBitmap PixelsAsArgb(HBITMAP colour) {
    BITMAP facts{};
    if (!colour || !GetObjectW(colour, sizeof facts, &facts) || facts.bmBitsPixel != 32) return {};
    GDIPBitmap source = GDIPBitmap::CreateFromHBITMAP(colour);
    const int width = source.width();
    const int height = source.Height();
    BitmapData data;
    if (!source.LockBits(RectI{0, 0, width, height}, kImageLockModeRead, kPixelFormat32bppRGB,
                         data)) {
        return {};
    }
    struct Unlock {
        GDIPBitmap& bitmap;
        BitmapData& data;
        ~Unlock() { bitmap.UnlockBits(data); }
    } unlock{source, data};
    if (data.Stride <= 0) return {};
    const auto size = static_cast<size_t>(data.Stride) * static_cast<size_t>(height);
    return GDIPBitmap::CreateFromSizeFormatData(width, height, data.Stride, kPixelFormat32bppARGB,
                                                std::span<const uint8_t>(data.Scan0, size));
}

// True at the first pixel whose alpha is not zero, scanned row by row.
bool CarriesAlpha(GDIPBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if ((bitmap.GetPixel(x, y) >> 24) != 0) return true;
    return false;
}

}  // namespace

bool AlphaIcon::CreateFromHICON(HICON icon) {
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts)) {
        throw Error(static_cast<int32_t>(GetLastError()), "The handle is not an icon.");
    }
    const UniqueBitmap colour(parts.hbmColor);
    const UniqueBitmap mask(parts.hbmMask);
    // A mask without colour holds the AND and XOR halves one above the other.
    BITMAP facts{};
    if (!GetObjectW(colour ? colour.Get() : mask.Get(), sizeof facts, &facts) ||
        facts.bmWidth > kMaxEdge || facts.bmHeight / (colour ? 1 : 2) > kMaxEdge) {
        return false;
    }
    GDIPBitmap result = PixelsAsArgb(colour.Get());
    if (!result.IsLoaded() || !CarriesAlpha(result)) result = GDIPBitmap::CreateFromHICON(icon);
    m_image = std::move(result);
    return true;
}

}  // namespace tarvik
