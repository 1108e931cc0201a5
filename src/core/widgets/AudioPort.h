#pragma once

namespace tarvik {

// The master volume and mute switch of the default playback device. An operation binds the
// device's endpoint when none is bound; a call that fails releases it, so the next one binds
// afresh (the default device may have changed or gone). Nothing here throws.
class IAudioEndpoint {
  public:
    virtual ~IAudioEndpoint() = default;
    // True when an endpoint is bound, binding one first when none is.
    virtual bool EnsureEndpoint() = 0;
    virtual void ReleaseEndpoint() = 0;
    // 0.0 … 1.0; −1.0 when there is no endpoint or the call failed.
    virtual float GetVolume() = 0;
    // The level is clamped to 0.0 … 1.0 first.
    virtual void SetVolume(float level) = 0;
    // False when there is no endpoint or the call failed.
    virtual bool GetMute() = 0;
    virtual void SetMute(bool on) = 0;
    // False, touching nothing, when no endpoint is bound; false too when the call fails (which
    // releases the endpoint); otherwise true with the mute state in muted.
    virtual bool TryGetMute(bool& muted) = 0;
};

}  // namespace tarvik
