#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/graphics/GDIPGraphics.h"

namespace tarvik::test {

// A 32-bit ARGB bitmap with a surface bound to it, cleared to transparent, with the render
// settings of every surface of the program.
struct Canvas {
    Canvas(int width, int height);
    GDIPBitmap bitmap;
    GDIPGraphics graphics;
};

// Writes a 24-bit bottom-up BMP file whose pixel (x, y) is colour(x, y) as 0xRRGGBB.
template <typename ColourAt>
void WriteBmp(const std::filesystem::path& path, int width, int height, ColourAt colour);
void WriteBmpBytes(const std::filesystem::path& path, int width, int height,
                   const std::string& rowsBottomUp);

// A 32-bit device-independent bitmap selected into its own memory device context.
class DibDc {
  public:
    DibDc(int width, int height);
    ~DibDc();
    DibDc(const DibDc&) = delete;
    DibDc& operator=(const DibDc&) = delete;
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    // The BGRA word at (x, y), rows top-down.
    uint32_t Pixel(int x, int y) const;

  private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};

template <typename ColourAt>
void WriteBmp(const std::filesystem::path& path, int width, int height, ColourAt colour) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::string rows;
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(rowBytes), '\0');
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = colour(x, y);
            row[x * 3] = static_cast<char>(rgb & 0xFF);
            row[x * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
        }
        rows += row;
    }
    WriteBmpBytes(path, width, height, rows);
}

}  // namespace tarvik::test
