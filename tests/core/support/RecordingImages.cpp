// Images and bitmaps of the recording drawing backend.
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/graphics/GDIPBitmap.h"
#include "core/graphics/GDIPImage.h"
#include "core/graphics/PixelBuffer.h"
#include "core/support/RecordingNatives.h"

namespace tarvik {

namespace {

constexpr int kMaxSide = 4096;
constexpr size_t kPngHeaderSize = 24;
constexpr std::array<unsigned char, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kPngMaxSide = 0x7FFFFFFF;

uint32_t BigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

// The size in a PNG file's first chunk, which must be IHDR with 13 bytes of data.
int ReadPngSize(std::string_view path, uint32_t& width, uint32_t& height) {
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
                     std::ios::binary);
    if (!in) return kGdipStatusFileNotFound;
    std::array<unsigned char, kPngHeaderSize> header{};
    in.read(reinterpret_cast<char*>(header.data()), header.size());
    width = BigEndian32(&header[16]);
    height = BigEndian32(&header[20]);
    const bool png = in.gcount() == static_cast<std::streamsize>(header.size()) &&
                     std::equal(kPngSignature.begin(), kPngSignature.end(), header.begin()) &&
                     BigEndian32(&header[8]) == 13 && std::memcmp(&header[12], "IHDR", 4) == 0;
    if (!png || width == 0 || height == 0 || width > kPngMaxSide || height > kPngMaxSide) {
        return kGdipStatusUnknownImageFormat;
    }
    return kGdipStatusOk;
}

}  // namespace

GDIPImage GDIPImage::FromFile(std::string_view path) {
    GDIPImage result;
    uint32_t width = 0;
    uint32_t height = 0;
    const int status = ReadPngSize(path, width, height);
    if (status == kGdipStatusOk) {
        result.m_width = static_cast<int>(width);
        result.m_height = static_cast<int>(height);
        result.m_handle = test::NewImage(path, result.m_width, result.m_height);
    }
    result.Check(status);
    return result;
}

void GDIPImage::Dispose() noexcept {
    test::DeleteNative(m_handle);
    m_width = 0;
    m_height = 0;
}

GDIPBitmap GDIPBitmap::CreateFromSizeFormat(int width, int height, int format) {
    GDIPBitmap result;
    if (width < 1 || height < 1 || PixelFormatBits(format) == 0) {
        result.Check(kGdipStatusInvalidParameter);
    } else if (width > kMaxSide || height > kMaxSide) {
        result.Check(kGdipStatusOutOfMemory);
    } else {
        result.m_handle = test::NewImage("", width, height);
        result.m_width = width;
        result.m_height = height;
        result.Check(kGdipStatusOk);
    }
    return result;
}

// The pixels are checked like the real ones but not kept: shapes are recorded, not rasterised.
GDIPBitmap GDIPBitmap::CreateFromSizeFormatData(int width, int height, int stride, int format,
                                                std::span<const uint8_t> pixels) {
    if (PixelBufferFits(width, height, stride, format, pixels.size())) {
        return CreateFromSizeFormat(width, height, format);
    }
    GDIPBitmap rejected;
    rejected.Check(kGdipStatusInvalidParameter);
    return rejected;
}

}  // namespace tarvik
