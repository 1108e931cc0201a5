#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "core/app/Trace.h"
#include "core/bar/WindowsVersion.h"
#include "core/theme/GlassStyle.h"

namespace tarvik {

// What SetWindowCompositionAttribute takes: which attribute, its data and the data's size.
struct WindowCompositionAttributeData {
    DWORD attribute;
    void* data;
    SIZE_T size;
};

// The two system calls that composition rests on. The composition call is undocumented and
// missing on some systems, so it is looked up at run time and may be null.
struct CompositionCalls {
    BOOL(WINAPI* setWindowCompositionAttribute)(HWND, WindowCompositionAttributeData*) = nullptr;
    HRESULT(WINAPI* setWindowAttribute)(HWND, DWORD, LPCVOID, DWORD) = nullptr;

    static CompositionCalls System();
};

// Switches on the desktop's blur behind a window and rounds its corners: the system's own round
// corners where it has them (Windows 11), a rounded window region otherwise.
class WindowComposition {
  public:
    static constexpr DWORD kAccentPolicyAttribute = 19;
    static constexpr DWORD kWindowCornerPreferenceAttribute = 33;

    WindowComposition(const WindowsVersion& version, Trace& trace,
                      CompositionCalls calls = CompositionCalls::System());

    bool IsWindows10OrLater() const { return m_version.IsWindows10OrLater(); }
    bool SupportsAcrylic() const { return m_version.SupportsAcrylic(); }

    // Blurs what lies behind the window: style "acrylic" or "blur" with an ARGB tint; any other
    // word switches the blur off. True when the system took it.
    bool SetAccent(HWND window, std::string_view style, uint32_t tint) const;
    // The system's corner rounding from a theme word ("round", "small", "square", "none").
    // False where the system has no such setting.
    bool SetCornerPreference(HWND window, std::string_view word) const;
    // Clips the window to a rectangle with round corners of the given radius (1 or more).
    void SetRoundRegion(HWND window, int32_t width, int32_t height, int32_t radius) const;
    // The glass look of a popup: tinted blur and round corners. Null glass or an empty size does
    // nothing. True when the blur is on.
    bool ApplyGlass(HWND window, int32_t width, int32_t height, const GlassStyle* glass) const;

  private:
    WindowsVersion m_version;
    Trace& m_trace;
    CompositionCalls m_calls;
};

}  // namespace tarvik
