#pragma once

#include "core/app/Clock.h"

namespace tarvik {

class SystemClock final : public IClock {
  public:
    LocalTime Now() const override;
};

}  // namespace tarvik
