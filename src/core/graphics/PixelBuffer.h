#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

// Bytes in one row of `width` pixels of the format (bits per pixel rounded up to whole bytes);
// 0 when the width is below 1 or the format has no bits per pixel.
int64_t PixelRowBytes(int32_t width, int32_t format);

// True when a buffer of `size` bytes holds `height` rows of `stride` bytes each, top row first,
// of which the last needs only its pixels' bytes. Width, height and stride must be at least 1 and
// the stride at least a row's bytes. Every length may come from outside the process, so the sums
// are made in 64 bits and cannot overflow.
bool PixelBufferFits(int32_t width, int32_t height, int32_t stride, int32_t format, size_t size);

}  // namespace tarvik
