#include "win32/bar/BackdropWindow.h"

#include "core/app/Error.h"
#include "core/app/LogException.h"

namespace tarvik {

BackdropWindow::BackdropWindow(LayeredWindow& surfaces, const WindowComposition& composition,
                               Trace& trace)
    : BaseWindow(WindowGuard{&trace, "BackdropWindow", "WindowProc", true}),
      m_surfaces(surfaces),
      m_composition(composition),
      m_trace(trace) {
    if (!CreateBaseWindow(WindowClassInfo{kClassName, 0}, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                          kTitle, WS_POPUP, RECT{})) {
        m_createError = GetLastError();
    }
}

BackdropWindow::~BackdropWindow() {
    Close();
}

bool BackdropWindow::AttachTo(int32_t width, int32_t height, int32_t top, uint32_t tint) {
    if (width < 1 || height < 1) return false;
    try {
        Attach(width, height, top);
        return m_composition.SetAccent(Handle(), "acrylic", tint);
    } catch (...) {
        LogCurrentException(m_trace, "BackdropWindow", "AttachTo");
    }
    return false;
}

// Moves the window, gives it a fresh, click-through surface and shows that empty (fully
// transparent) surface once, so that only the blur is seen.
void BackdropWindow::Attach(int32_t width, int32_t height, int32_t top) {
    const HWND window = Handle();
    if (!window) {
        throw Error(static_cast<int32_t>(m_createError), "the backdrop window does not exist");
    }
    if (!SetWindowPos(window, nullptr, 0, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE)) {
        throw Error(static_cast<int32_t>(GetLastError()), "the backdrop window could not be moved");
    }
    m_surface = m_surfaces.Create(window, true, true);
    if (!m_surface) throw Error(0, "the backdrop surface could not be made");
    m_surface->Update(window, m_surface->theDC);
}

void BackdropWindow::Show() {
    if (Handle()) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void BackdropWindow::Close() {
    // Destroying the window runs OnWindowGone, which lets go of the surface.
    DestroyBaseWindow();
    m_surface.reset();
}

void BackdropWindow::OnWindowGone() {
    m_surfaces.Forget(Handle());
    m_surface.reset();
}

LRESULT BackdropWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            return DefaultProcedure(message, wParam, lParam);
    }
}

}  // namespace tarvik
