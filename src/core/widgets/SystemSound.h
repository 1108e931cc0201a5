#pragma once

namespace tarvik {

// The system's notification sounds; each call returns at once, without waiting for the sound.
class ISystemSound {
  public:
    virtual ~ISystemSound() = default;
    // The sound the user chose for information ("Asterisk").
    virtual void Asterisk() = 0;
};

}  // namespace tarvik
