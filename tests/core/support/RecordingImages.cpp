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

using test::ImageNative;
using test::ImageRecord;
using test::NativeOf;

namespace {

constexpr int kMaxSide = 4096;
constexpr int kBytesPerPixel = 4;
constexpr size_t kPngHeaderSize = 24;
constexpr std::array<unsigned char, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kPngMaxSide = 0x7FFFFFFF;

struct PngSize {
    int status = kGdipStatusOk;
    int width = 0;
    int height = 0;
};

uint32_t BigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

// The size in a PNG file's first chunk, which must be IHDR with 13 bytes of data.
PngSize ReadPngSize(std::string_view path) {
    const std::filesystem::path file(std::u8string(path.begin(), path.end()));
    std::ifstream in(file, std::ios::binary);
    if (!in) return {kGdipStatusFileNotFound};
    std::array<unsigned char, kPngHeaderSize> header{};
    in.read(reinterpret_cast<char*>(header.data()), header.size());
    if (in.gcount() != static_cast<std::streamsize>(header.size())) {
        return {kGdipStatusUnknownImageFormat};
    }
    const bool png = std::equal(kPngSignature.begin(), kPngSignature.end(), header.begin()) &&
                     BigEndian32(&header[8]) == 13 && std::memcmp(&header[12], "IHDR", 4) == 0;
    const uint32_t width = BigEndian32(&header[16]);
    const uint32_t height = BigEndian32(&header[20]);
    if (!png || width == 0 || height == 0 || width > kPngMaxSide || height > kPngMaxSide) {
        return {kGdipStatusUnknownImageFormat};
    }
    return {kGdipStatusOk, static_cast<int>(width), static_cast<int>(height)};
}

bool Is32Bit(int format) {
    return PixelFormatBits(format) == 32;
}

}  // namespace

GDIPImage GDIPImage::FromFile(std::string_view path) {
    GDIPImage result;
    const PngSize size = ReadPngSize(path);
    if (size.status == kGdipStatusOk) {
        auto* native = new ImageNative;
        native->record->id = native->id;
        native->record->source = std::string(path);
        native->record->width = size.width;
        native->record->height = size.height;
        result.m_handle = test::ToHandle(native);
        result.m_width = size.width;
        result.m_height = size.height;
    }
    result.Check(size.status);
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
        return result;
    }
    if (width > kMaxSide || height > kMaxSide) {
        result.Check(kGdipStatusOutOfMemory);
        return result;
    }
    auto* native = new ImageNative;
    ImageRecord& record = *native->record;
    record.id = native->id;
    record.width = width;
    record.height = height;
    record.format = format;
    record.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    result.m_handle = test::ToHandle(native);
    result.m_width = width;
    result.m_height = height;
    result.Check(kGdipStatusOk);
    return result;
}

GDIPBitmap GDIPBitmap::CreateFromSizeFormatData(int width, int height, int stride, int format,
                                                std::span<const uint8_t> pixels) {
    if (!PixelBufferFits(width, height, stride, format, pixels.size())) {
        GDIPBitmap rejected;
        rejected.Check(kGdipStatusInvalidParameter);
        return rejected;
    }
    if (!Is32Bit(format)) {
        GDIPBitmap rejected;
        rejected.Check(kGdipStatusNotImplemented);
        return rejected;
    }
    GDIPBitmap result = CreateFromSizeFormat(width, height, format);
    auto* native = NativeOf<ImageNative>(result);
    if (!native) return result;
    for (int row = 0; row < height; ++row) {
        std::memcpy(&native->record->pixels[static_cast<size_t>(row) * width],
                    pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(stride),
                    static_cast<size_t>(PixelRowBytes(width, format)));
    }
    return result;
}

GDIPBitmap GDIPBitmap::CreateFromHICON(void*) {
    GDIPBitmap result;
    result.Check(kGdipStatusNotImplemented);
    return result;
}

GDIPBitmap GDIPBitmap::CreateFromHBITMAP(void*, void*) {
    GDIPBitmap result;
    result.Check(kGdipStatusNotImplemented);
    return result;
}

bool GDIPBitmap::LockBits(const RectI& rect, uint32_t, int format, BitmapData& data) {
    auto* native = NativeOf<ImageNative>(*this);
    ImageRecord* record = native ? native->record.get() : nullptr;
    const bool inside = record && !record->pixels.empty() && rect.X >= 0 && rect.Y >= 0 &&
                        rect.Width >= 1 && rect.Height >= 1 &&
                        int64_t{rect.X} + rect.Width <= record->width &&
                        int64_t{rect.Y} + rect.Height <= record->height;
    if (!inside) return Check(kGdipStatusInvalidParameter) == kGdipStatusOk;
    if (!Is32Bit(format)) return Check(kGdipStatusNotImplemented) == kGdipStatusOk;
    if (record->locked) return Check(kGdipStatusWrongState) == kGdipStatusOk;
    record->locked = true;
    data.Width = rect.Width;
    data.Height = rect.Height;
    data.Stride = record->width * kBytesPerPixel;
    data.PixelFormat = format;
    data.Scan0 = reinterpret_cast<uint8_t*>(
        &record->pixels[static_cast<size_t>(rect.Y) * record->width + rect.X]);
    data.Reserved = nullptr;
    return Check(kGdipStatusOk) == kGdipStatusOk;
}

void GDIPBitmap::UnlockBits(BitmapData&) {
    auto* native = NativeOf<ImageNative>(*this);
    if (!native || !native->record->locked) {
        Check(kGdipStatusWrongState);
        return;
    }
    native->record->locked = false;
    Check(kGdipStatusOk);
}

uint32_t GDIPBitmap::GetPixel(int x, int y) {
    auto* native = NativeOf<ImageNative>(*this);
    const ImageRecord* record = native ? native->record.get() : nullptr;
    if (!record || record->pixels.empty() || x < 0 || y < 0 || x >= record->width ||
        y >= record->height) {
        Check(kGdipStatusInvalidParameter);
        return 0;
    }
    Check(kGdipStatusOk);
    return record->pixels[static_cast<size_t>(y) * record->width + x];
}

}  // namespace tarvik
