#include "core/app/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvik {

int32_t NearestInt(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLowest = std::numeric_limits<int32_t>::min();
    constexpr double kHighest = std::numeric_limits<int32_t>::max();
    // nearbyint under the default rounding mode rounds halves to even.
    return static_cast<int32_t>(std::nearbyint(std::clamp(value, kLowest, kHighest)));
}

}  // namespace tarvik
