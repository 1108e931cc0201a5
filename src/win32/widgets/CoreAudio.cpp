#include "win32/widgets/CoreAudio.h"

#include <mmdeviceapi.h>

#include "core/app/Trace.h"

namespace tarvik {

namespace {

using Microsoft::WRL::ComPtr;

// The class of the device enumerator (MMDeviceEnumerator).
constexpr CLSID kDeviceEnumerator = {
    0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};

}  // namespace

bool CoreAudio::EnsureEndpoint() {
    if (m_endpoint) return true;
    ComPtr<IMMDeviceEnumerator> enumerator;
    ComPtr<IMMDevice> device;
    HRESULT result =
        CoCreateInstance(kDeviceEnumerator, nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                         reinterpret_cast<void**>(enumerator.GetAddressOf()));
    if (SUCCEEDED(result)) {
        result = enumerator->GetDefaultAudioEndpoint(eRender, eMultimedia, device.GetAddressOf());
    }
    if (SUCCEEDED(result)) {
        result = device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                  reinterpret_cast<void**>(m_endpoint.GetAddressOf()));
    }
    if (SUCCEEDED(result) && m_endpoint) {
        m_failureLogged = false;
        return true;
    }
    m_endpoint.Reset();
    if (!m_failureLogged) {
        m_failureLogged = true;
        m_trace.LogErrorOnce(
            0, kSource, "EnsureEndpoint",
            "could not bind the default render endpoint - no audio device, or Core Audio refused");
    }
    return false;
}

bool CoreAudio::Succeeded(HRESULT result) {
    if (SUCCEEDED(result)) return true;
    m_endpoint.Reset();
    return false;
}

float CoreAudio::GetVolume() {
    float level = 0;
    if (!EnsureEndpoint() || !Succeeded(m_endpoint->GetMasterVolumeLevelScalar(&level))) {
        return -1.0f;
    }
    return level;
}

void CoreAudio::SetVolume(float level) {
    level = level > 1.0f ? 1.0f : level >= 0.0f ? level : 0.0f;
    if (EnsureEndpoint()) Succeeded(m_endpoint->SetMasterVolumeLevelScalar(level, nullptr));
}

bool CoreAudio::GetMute() {
    BOOL muted = FALSE;
    return EnsureEndpoint() && Succeeded(m_endpoint->GetMute(&muted)) && muted != FALSE;
}

void CoreAudio::SetMute(bool on) {
    if (EnsureEndpoint()) Succeeded(m_endpoint->SetMute(on ? TRUE : FALSE, nullptr));
}

bool CoreAudio::TryGetMute(bool& muted) {
    BOOL value = FALSE;
    if (!m_endpoint || !Succeeded(m_endpoint->GetMute(&value))) return false;
    muted = value != FALSE;
    return true;
}

}  // namespace tarvik
