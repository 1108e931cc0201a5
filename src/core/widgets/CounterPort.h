#pragma once

#include <cstdint>

namespace tarvik {

// Processor times since start-up, in 100-nanosecond units; kernel time includes idle time.
struct SystemTimes {
    uint64_t idle = 0;
    uint64_t kernel = 0;
    uint64_t user = 0;
};

// Physical memory: the share in use (percent) and the bytes installed and available.
struct MemoryStatus {
    int32_t load = 0;
    uint64_t totalBytes = 0;
    uint64_t availableBytes = 0;
};

// The system's load counters. A query that fails returns false and leaves its argument alone.
class ISystemCounters {
  public:
    virtual ~ISystemCounters() = default;
    virtual bool ReadSystemTimes(SystemTimes& times) = 0;
    virtual bool ReadMemoryStatus(MemoryStatus& status) = 0;
};

}  // namespace tarvik
