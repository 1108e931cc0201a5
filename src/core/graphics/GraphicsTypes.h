#pragma once

#include <cstdint>

namespace tarvik {

// Geometry of the drawing objects: float pixels unless the name says integer.
struct PointF {
    float X = 0;
    float Y = 0;
    bool operator==(const PointF&) const = default;
};

struct RectF {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;
    bool operator==(const RectF&) const = default;
};

struct RectI {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const RectI&) const = default;
    constexpr bool IsEmpty() const { return Width <= 0 || Height <= 0; }
};

// The part both rectangles cover; empty when they do not meet.
constexpr RectI Intersection(const RectI& a, const RectI& b) {
    const int32_t left = a.X > b.X ? a.X : b.X;
    const int32_t top = a.Y > b.Y ? a.Y : b.Y;
    const int32_t right = a.X + a.Width < b.X + b.Width ? a.X + a.Width : b.X + b.Width;
    const int32_t bottom = a.Y + a.Height < b.Y + b.Height ? a.Y + a.Height : b.Y + b.Height;
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
}

// The smallest rectangle holding both; an empty one adds nothing.
constexpr RectI Union(const RectI& a, const RectI& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    const int32_t left = a.X < b.X ? a.X : b.X;
    const int32_t top = a.Y < b.Y ? a.Y : b.Y;
    const int32_t right = a.X + a.Width > b.X + b.Width ? a.X + a.Width : b.X + b.Width;
    const int32_t bottom = a.Y + a.Height > b.Y + b.Height ? a.Y + a.Height : b.Y + b.Height;
    return {left, top, right - left, bottom - top};
}

constexpr RectF ToRectF(const RectI& r) {
    return {static_cast<float>(r.X), static_cast<float>(r.Y), static_cast<float>(r.Width),
            static_cast<float>(r.Height)};
}

// A 32-bit ARGB word: alpha in the top byte, then red, green, blue.
constexpr uint32_t PackArgb(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
    return (uint32_t{alpha} << 24) | (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
}
constexpr uint8_t ArgbAlpha(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 24);
}
constexpr uint8_t ArgbRed(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 16);
}
constexpr uint8_t ArgbGreen(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 8);
}
constexpr uint8_t ArgbBlue(uint32_t argb) {
    return static_cast<uint8_t>(argb);
}

// Pixel formats. Every surface of the program is 32-bit ARGB.
constexpr int32_t kPixelFormat24bppRGB = 0x21808;
constexpr int32_t kPixelFormat32bppRGB = 0x22009;
constexpr int32_t kPixelFormat32bppARGB = 0x26200A;
constexpr int32_t kPixelFormat32bppPARGB = 0xE200B;
// Bits per pixel of a pixel format (0 for an unknown value).
constexpr int32_t PixelFormatBits(int32_t format) {
    return (format >> 8) & 0xFF;
}

// Font style bits; a font's style is their sum.
constexpr int32_t kFontStyleRegular = 0;
constexpr int32_t kFontStyleBold = 1;
constexpr int32_t kFontStyleItalic = 2;
constexpr int32_t kFontStyleUnderline = 4;
constexpr int32_t kFontStyleStrikeout = 8;

// Path fill modes.
constexpr int32_t kFillModeAlternate = 0;
constexpr int32_t kFillModeWinding = 1;

// Render settings. Every surface uses anti-aliased text, high-quality smoothing and pixel
// offsets; scaled skin images use high-quality bicubic interpolation.
constexpr int32_t kTextRenderingHintSystemDefault = 0;
constexpr int32_t kTextRenderingHintAntiAlias = 4;
constexpr int32_t kSmoothingModeDefault = 0;
constexpr int32_t kSmoothingModeHighQuality = 2;
constexpr int32_t kPixelOffsetModeDefault = 0;
constexpr int32_t kPixelOffsetModeHighQuality = 2;
constexpr int32_t kInterpolationModeDefault = 0;
constexpr int32_t kInterpolationModeNearestNeighbor = 5;
constexpr int32_t kInterpolationModeHighQualityBicubic = 7;

// How LockBits exposes the pixels.
constexpr uint32_t kImageLockModeRead = 1;
constexpr uint32_t kImageLockModeWrite = 2;

// The pixels of a locked part of a bitmap; valid until UnlockBits.
struct BitmapData {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stride = 0;  // bytes from one row to the next
    int32_t PixelFormat = 0;
    uint8_t* Scan0 = nullptr;
    void* Reserved = nullptr;  // kept for the unlock
};

}  // namespace tarvik
