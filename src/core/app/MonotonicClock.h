#pragma once

#include <cstdint>

namespace tarvik {

// Milliseconds from some fixed moment, never going back and never jumping with the wall clock:
// what durations are measured on.
class IMonotonicClock {
  public:
    virtual ~IMonotonicClock() = default;
    virtual int64_t Milliseconds() const = 0;
};

}  // namespace tarvik
