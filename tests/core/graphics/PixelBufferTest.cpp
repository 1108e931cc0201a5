#include "core/graphics/PixelBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/graphics/GraphicsTypes.h"

namespace tarvik {
namespace {

TEST(PixelBufferFits, EveryRowMustBeThereAndNoSumMayOverflow) {
    constexpr int32_t kMax = INT32_MAX;
    constexpr int32_t kArgb = kPixelFormat32bppARGB;
    constexpr int32_t kRgb = kPixelFormat24bppRGB;
    constexpr int32_t kOneBit = 0x30101;  // one bit a pixel, indexed
    struct Case {
        int32_t width, height, stride, format;
        size_t size;
        bool fits;
    };
    const Case cases[] = {
        {2, 2, 12, kArgb, 20, true},   // the last row needs no padding
        {2, 2, 12, kArgb, 19, false},  // one byte short
        {2, 2, 7, kArgb, 100, false},  // stride shorter than a row
        {3, 1, 9, kRgb, 9, true},      // three bytes a pixel
        {9, 1, 2, kOneBit, 2, true},   // bits round up to whole bytes
        {9, 1, 1, kOneBit, 100, false},
        {1, 1, 4, 0, 100, false},  // a format without bits per pixel
        {0, 1, 4, kArgb, 100, false},
        {1, 1, 0, kArgb, 100, false},
        {-1, 1, 4, kArgb, 100, false},
        {1, 2, INT32_MIN, kArgb, 100, false},
        // Products beyond 32 bits: a row of 2^31 - 1 pixels, 2^31 - 1 rows.
        {kMax, 1, kMax, kArgb, SIZE_MAX, false},  // the row alone is 8 GiB, more than a stride
        {kMax / 4, kMax, kMax, kArgb, SIZE_MAX, true},
        {1, 65537, 65536, kArgb, size_t{65536} * 65536 + 4, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PixelBufferFits(c.width, c.height, c.stride, c.format, c.size), c.fits)
            << c.width << "x" << c.height << " stride " << c.stride << " format " << c.format
            << " in " << c.size;
    }
}

}  // namespace
}  // namespace tarvik
