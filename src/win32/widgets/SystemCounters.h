#pragma once

#include <string>

#include "core/widgets/CounterPort.h"

namespace tarvik {

// The processor times and memory status Windows keeps.
class SystemCounters final : public ISystemCounters {
  public:
    bool ReadSystemTimes(SystemTimes& times) override;
    bool ReadMemoryStatus(MemoryStatus& status) override;
};

// The decimal separator of the user's locale; "." when Windows has none.
std::string UserDecimalSeparator();

}  // namespace tarvik
