#include "core/graphics/PixelBuffer.h"

#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

int64_t PixelRowBytes(int32_t width, int32_t format) {
    const int64_t bits = PixelFormatBits(format);
    if (width < 1 || bits == 0) return 0;
    return (int64_t{width} * bits + 7) / 8;
}

bool PixelBufferFits(int32_t width, int32_t height, int32_t stride, int32_t format, size_t size) {
    const int64_t rowBytes = PixelRowBytes(width, format);
    if (rowBytes < 1 || height < 1 || stride < rowBytes) return false;
    // At most (2^31 - 1) * (2^31 - 2) + 2^36: well inside 64 bits.
    const int64_t needed = int64_t{stride} * (height - 1) + rowBytes;
    return static_cast<uint64_t>(size) >= static_cast<uint64_t>(needed);
}

}  // namespace tarvik
