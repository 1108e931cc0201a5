// Checks the pixel-buffer length test by using the buffer, for any width, height, stride and
// format: every row of a buffer it accepts is written in full into a heap block of exactly that
// length (the address sanitizer stops at any byte past it), one more byte is accepted too, and the
// shortest buffer accepted ends with the last row's last byte. A row is the fewest whole bytes that
// hold its pixels' bits.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/graphics/GraphicsTypes.h"
#include "core/graphics/PixelBuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using tarvik::PixelBufferFits;
    FuzzedDataProvider input(data, size);
    const auto width = input.ConsumeIntegral<int32_t>();
    const auto height = input.ConsumeIntegral<int32_t>();
    const auto stride = input.ConsumeIntegral<int32_t>();
    const auto format = input.ConsumeIntegral<int32_t>();
    const auto length = input.ConsumeIntegralInRange<size_t>(0, size_t{1} << 20);
    if (!PixelBufferFits(width, height, stride, format, length)) return 0;
    const int64_t row = tarvik::PixelRowBytes(width, format);
    const int64_t bits = int64_t{width} * tarvik::PixelFormatBits(format);
    if (row * 8 < bits || (row - 1) * 8 >= bits ||
        !PixelBufferFits(width, height, stride, format, length + 1)) {
        std::abort();
    }
    const auto buffer = std::make_unique<uint8_t[]>(length);
    int64_t end = 0;
    for (int64_t y = 0; y < height; ++y) {
        std::memset(buffer.get() + y * stride, 0xA5, static_cast<size_t>(row));
        end = y * stride + row;
    }
    if (!PixelBufferFits(width, height, stride, format, length - 1) &&
        end != static_cast<int64_t>(length)) {
        std::abort();
    }
    return 0;
}
