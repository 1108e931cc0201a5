#pragma once

#include "core/app/MonotonicClock.h"
#include "core/widgets/SystemSound.h"

namespace tarvik {

// Milliseconds since Windows started.
class TickClock final : public IMonotonicClock {
  public:
    int64_t Milliseconds() const override;
};

// The sounds of the user's sound scheme, through MessageBeep.
class MessageBeepSound final : public ISystemSound {
  public:
    void Asterisk() override;
};

}  // namespace tarvik
