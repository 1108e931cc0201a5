#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "core/app/Trace.h"
#include "win32/bar/WindowComposition.h"
#include "win32/platform/BaseWindow.h"
#include "win32/platform/LayeredWindow.h"
#include "win32/platform/LayeredWindowSurface.h"

namespace tarvik {

// The click-through window under the bar that carries the desktop's blur. It stays out of the
// taskbar and the window switcher and never takes the focus. Made hidden; the bar shows it and
// keeps it directly below itself.
class BackdropWindow : public BaseWindow {
  public:
    static constexpr const wchar_t* kClassName = L"Tarvik_BackdropWindow";
    static constexpr const wchar_t* kTitle = L"Tarvik_Backdrop";

    BackdropWindow(LayeredWindow& surfaces, const WindowComposition& composition, Trace& trace);
    ~BackdropWindow() override;

    // Handle(): null once the window is closed (or when it could not be made).

    // Places the backdrop at (0, top) with the given size, makes it a transparent, click-through
    // layered window and switches the acrylic blur on with the tint (ARGB). True when the blur
    // is on; failures are logged.
    bool AttachTo(int32_t width, int32_t height, int32_t top, uint32_t tint);

    void Show();
    // Destroys the window, releases its surface and drops it from the registry. Harmless when
    // already closed.
    void Close();

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

  private:
    void Attach(int32_t width, int32_t height, int32_t top);

    LayeredWindow& m_surfaces;
    const WindowComposition& m_composition;
    Trace& m_trace;
    uint32_t m_createError = 0;
    std::shared_ptr<LayeredWindowSurface> m_surface;
};

}  // namespace tarvik
