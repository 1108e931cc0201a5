#include "win32/bar/WindowComposition.h"

#include <dwmapi.h>

#include <algorithm>
#include <exception>
#include <limits>

#include "core/app/Error.h"
#include "core/app/LogException.h"
#include "core/bar/AccentPolicy.h"
#include "win32/platform/UniqueHandle.h"

namespace tarvik {

namespace {

int Saturated(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

}  // namespace

CompositionCalls CompositionCalls::System() {
    CompositionCalls calls;
    if (const HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        const FARPROC proc = GetProcAddress(user32, "SetWindowCompositionAttribute");
        calls.setWindowCompositionAttribute =
            reinterpret_cast<decltype(calls.setWindowCompositionAttribute)>(
                reinterpret_cast<void (*)()>(proc));
    }
    calls.setWindowAttribute = DwmSetWindowAttribute;
    return calls;
}

WindowComposition::WindowComposition(const WindowsVersion& version, Trace& trace,
                                     CompositionCalls calls)
    : m_version(version), m_trace(trace), m_calls(calls) {}

bool WindowComposition::SetAccent(HWND window, std::string_view style, uint32_t tint) const {
    if (!m_calls.setWindowCompositionAttribute) return false;
    AccentPolicy policy = MakeAccentPolicy(style, tint, SupportsAcrylic());
    WindowCompositionAttributeData data{kAccentPolicyAttribute, &policy, sizeof policy};
    return m_calls.setWindowCompositionAttribute(window, &data) != FALSE;
}

bool WindowComposition::SetCornerPreference(HWND window, std::string_view word) const {
    if (!m_calls.setWindowAttribute) return false;
    const auto preference = static_cast<int32_t>(CornerPreferenceFor(word));
    return SUCCEEDED(m_calls.setWindowAttribute(window, kWindowCornerPreferenceAttribute,
                                                &preference, sizeof preference));
}

void WindowComposition::SetRoundRegion(HWND window, int32_t width, int32_t height,
                                       int32_t radius) const {
    if (radius < 1) return;
    const int diameter = Saturated(int64_t{2} * radius);
    UniqueRegion region(CreateRoundRectRgn(0, 0, Saturated(int64_t{width} + 1),
                                           Saturated(int64_t{height} + 1), diameter, diameter));
    if (!region) return;
    // A region the window took belongs to the system from then on.
    if (SetWindowRgn(window, region.Get(), TRUE)) region.Release();
}

bool WindowComposition::ApplyGlass(HWND window, int32_t width, int32_t height,
                                   const GlassStyle* glass) const {
    if (!glass || width < 1 || height < 1) return false;
    bool result = false;
    RunLogged(m_trace, "WindowComposition", "ApplyGlass", false, [&] {
        result = SetAccent(window, "acrylic", glass->Tint);
        if (!SetCornerPreference(window, glass->corner)) {
            SetRoundRegion(window, width, height, glass->Radius);
        }
    });
    return result;
}

}  // namespace tarvik
