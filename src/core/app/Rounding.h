#pragma once

#include <cstdint>

namespace tarvik {

// The program's one rounding rule: the nearest 32-bit integer with halves going to the even
// neighbour (2.5 gives 2, 3.5 gives 4). Values beyond the 32-bit range are held at its ends; a
// value that is not a number gives 0.
int32_t NearestInt(double value);

}  // namespace tarvik
