// Checks the pixel-buffer length test against the same sum made in 128 bits, for any width,
// height, stride, format and buffer length: a buffer it accepts holds every row.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "core/graphics/GraphicsTypes.h"
#include "core/graphics/PixelBuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const auto width = input.ConsumeIntegral<int32_t>();
    const auto height = input.ConsumeIntegral<int32_t>();
    const auto stride = input.ConsumeIntegral<int32_t>();
    const auto format = input.ConsumeIntegral<int32_t>();
    const auto length = input.ConsumeIntegral<size_t>();

    const __int128 bits = tarvik::PixelFormatBits(format);
    const __int128 row = (__int128{width} * bits + 7) / 8;
    const bool usable = width >= 1 && height >= 1 && bits > 0 && stride >= row;
    const bool fits = usable && __int128{stride} * (height - 1) + row <= __int128{length};
    if (tarvik::PixelBufferFits(width, height, stride, format, length) != fits) std::abort();
    return 0;
}
