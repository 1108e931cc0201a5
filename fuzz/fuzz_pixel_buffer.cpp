// Checks the pixel-buffer length test by using the buffer, for any width, height, stride and
// format: the shortest buffer it accepts (up to 1 MiB) is a heap block into which every row is
// written in full (the address sanitizer stops at any byte past it), and its last byte is the last
// row's last byte; every longer buffer is accepted too. A row is the fewest whole bytes that hold
// its pixels' bits.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/graphics/GraphicsTypes.h"
#include "core/graphics/PixelBuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    // Mostly sizes a buffer of up to 1 MiB can hold, sometimes any value at all.
    const auto number = [&](int32_t most) {
        return input.ConsumeBool() ? input.ConsumeIntegral<int32_t>()
                                   : input.ConsumeIntegralInRange<int32_t>(-2, most);
    };
    const int32_t width = number(4096), height = number(256), stride = number(16384);
    const auto format = input.ConsumeIntegral<int32_t>();
    const auto fits = [&](size_t length) {
        return tarvik::PixelBufferFits(width, height, stride, format, length);
    };
    constexpr size_t kMost = size_t{1} << 20;
    if (!fits(kMost)) return 0;
    size_t shortest = 0;  // the first length accepted, every longer one accepted too
    for (size_t step = kMost; step > 0; step /= 2)
        if (!fits(shortest + step - 1)) shortest += step;
    if (!fits(shortest) || (shortest > 0 && fits(shortest - 1)) || !fits(SIZE_MAX)) std::abort();

    const int64_t row = tarvik::PixelRowBytes(width, format);
    const int64_t bits = int64_t{width} * tarvik::PixelFormatBits(format);
    if (row * 8 < bits || (row - 1) * 8 >= bits) std::abort();
    const auto buffer = std::make_unique<uint8_t[]>(shortest);
    int64_t end = 0;
    for (int64_t y = 0; y < height; ++y) {
        std::memset(buffer.get() + y * stride, 0xA5, static_cast<size_t>(row));
        end = y * stride + row;
    }
    if (end != static_cast<int64_t>(shortest)) std::abort();
    return 0;
}
