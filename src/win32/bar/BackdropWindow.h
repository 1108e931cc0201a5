#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "core/app/Trace.h"
#include "win32/bar/WindowComposition.h"
#include "win32/platform/LayeredWindow.h"
#include "win32/platform/LayeredWindowSurface.h"
#include "win32/platform/UniqueHandle.h"

namespace tarvik {

// The click-through window under the bar that carries the desktop's blur. It stays out of the
// taskbar and the window switcher and never takes the focus. Made hidden; the bar shows it and
// keeps it directly below itself.
class BackdropWindow {
  public:
    static constexpr const wchar_t* kClassName = L"Tarvik_BackdropWindow";
    static constexpr const wchar_t* kTitle = L"Tarvik_Backdrop";

    BackdropWindow(LayeredWindow& surfaces, const WindowComposition& composition, Trace& trace);
    ~BackdropWindow();
    BackdropWindow(const BackdropWindow&) = delete;
    BackdropWindow& operator=(const BackdropWindow&) = delete;

    // Null once the window is closed (or when it could not be made).
    HWND Handle() const { return m_window.Get(); }

    // Places the backdrop at (0, top) with the given size, makes it a transparent, click-through
    // layered window and switches the acrylic blur on with the tint (ARGB). True when the blur
    // is on; failures are logged.
    bool AttachTo(int32_t width, int32_t height, int32_t top, uint32_t tint);

    void Show();
    // Destroys the window and releases its surface. Harmless when already closed.
    void Close();

  private:
    static void RegisterWindowClass();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroyed();
    void Attach(int32_t width, int32_t height, int32_t top);

    LayeredWindow& m_surfaces;
    const WindowComposition& m_composition;
    Trace& m_trace;
    UniqueWindow m_window;
    uint32_t m_createError = 0;
    std::shared_ptr<LayeredWindowSurface> m_surface;
};

}  // namespace tarvik
