#pragma once

namespace tarvik {

// When the decoy in front of the shell's taskbar goes and comes back. A shell that restarts must
// find no stand-in when it starts, or it would not create its own taskbar: the decoy stands down
// on the first tick without the shell's taskbar and is made again once the taskbar has been seen
// on three ticks in a row. The count goes on after that, so a decoy that could not be made is
// tried again on every tick.
class TaskbarWatch {
  public:
    enum Action { Nothing, StandDown, Rehost };

    Action Tick(bool taskbarPresent, bool decoyUp) {
        if (!taskbarPresent) {
            m_seenTicks = 0;
            return decoyUp ? StandDown : Nothing;
        }
        if (decoyUp) return Nothing;
        return ++m_seenTicks >= kTicksBeforeRehosting ? Rehost : Nothing;
    }

  private:
    static constexpr int kTicksBeforeRehosting = 3;
    int m_seenTicks = 0;
};

}  // namespace tarvik
