#include "win32/bar/BackdropWindow.h"

#include <exception>
#include <string_view>

#include "core/app/Error.h"

namespace tarvik {

namespace {

void LogAttachFailure(Trace& trace, int32_t number, std::string_view description) {
    trace.LogError(number, "BackdropWindow", "AttachTo", description);
}

}  // namespace

BackdropWindow::BackdropWindow(LayeredWindow& surfaces, const WindowComposition& composition,
                               Trace& trace)
    : m_surfaces(surfaces), m_composition(composition), m_trace(trace) {
    RegisterWindowClass();
    const HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, kTitle, WS_POPUP, 0, 0, 0,
                        0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!window) m_createError = GetLastError();
    m_window.Reset(window);
}

void BackdropWindow::RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

BackdropWindow::~BackdropWindow() {
    Close();
}

bool BackdropWindow::AttachTo(int32_t width, int32_t height, int32_t top, uint32_t tint) {
    if (width < 1 || height < 1) return false;
    try {
        Attach(width, height, top);
        return m_composition.SetAccent(m_window.Get(), "acrylic", tint);
    } catch (const Error& error) {
        LogAttachFailure(m_trace, error.Number(), error.Description());
    } catch (const std::exception& error) {
        LogAttachFailure(m_trace, 0, error.what());
    }
    return false;
}

// Moves the window, gives it a fresh, click-through surface and shows that empty (fully
// transparent) surface once, so that only the blur is seen.
void BackdropWindow::Attach(int32_t width, int32_t height, int32_t top) {
    const HWND window = m_window.Get();
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
    if (m_window) ShowWindow(m_window.Get(), SW_SHOWNOACTIVATE);
}

void BackdropWindow::Close() {
    // Destroying the window runs OnDestroyed, which releases the surface.
    m_window.Reset();
    OnDestroyed();
}

void BackdropWindow::OnDestroyed() {
    if (m_surface) {
        m_surface->Release();
        m_surface.reset();
    }
    m_window.Release();
}

// Finds the object through the window: its address arrives with WM_NCCREATE and is kept in the
// window's user data until the window is gone.
LRESULT CALLBACK BackdropWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<BackdropWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    try {
        return self->OnMessage(window, message, wParam, lParam);
    } catch (const std::exception& error) {
        self->m_trace.LogErrorOnce(0, "BackdropWindow", "WindowProc", error.what());
    } catch (...) {
        self->m_trace.LogErrorOnce(0, "BackdropWindow", "WindowProc", "Unknown failure");
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT BackdropWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_NCDESTROY:
            OnDestroyed();
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarvik
