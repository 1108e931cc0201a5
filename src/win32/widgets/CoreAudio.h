#pragma once

#include <windows.h>
// After windows.h:
#include <endpointvolume.h>
#include <wrl/client.h>

#include "core/widgets/AudioPort.h"

namespace tarvik {

class Trace;

// The volume and mute switch of the default render endpoint (multimedia role) through Core
// Audio. COM must be started on the calling thread. A binding that fails is logged once; the
// next record comes only after a binding succeeded again, so a machine without sound writes one
// line however often the widget looks.
class CoreAudio final : public IAudioEndpoint {
  public:
    static constexpr const char* kSource = "CoreAudio";

    explicit CoreAudio(Trace& trace) : m_trace(trace) {}

    bool EnsureEndpoint() override;
    void ReleaseEndpoint() override { m_endpoint.Reset(); }
    float GetVolume() override;
    void SetVolume(float level) override;
    bool GetMute() override;
    void SetMute(bool on) override;
    bool TryGetMute(bool& muted) override;

  private:
    // True on success; otherwise the endpoint is released.
    bool Succeeded(HRESULT result);

    Trace& m_trace;
    Microsoft::WRL::ComPtr<IAudioEndpointVolume> m_endpoint;
    bool m_failureLogged = false;
};

}  // namespace tarvik
