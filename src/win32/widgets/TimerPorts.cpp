#include "win32/widgets/TimerPorts.h"

#include <windows.h>

namespace tarvik {

int64_t TickClock::Milliseconds() const {
    return static_cast<int64_t>(GetTickCount64());
}

void MessageBeepSound::Asterisk() {
    MessageBeep(MB_ICONASTERISK);
}

}  // namespace tarvik
