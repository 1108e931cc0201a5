#include "win32/platform/BaseWindow.h"

#include <set>

#include "core/app/HandlerScope.h"
#include "core/app/LogException.h"

namespace tarvik {

namespace {

// Registers each class name once per process. A name that Windows already knows counts as done
// only when it leads to our procedure; a window of someone else's class would never reach its
// object.
void RegisterOnce(const WindowClassInfo& info, WNDPROC procedure) {
    static std::set<std::wstring> registered;
    if (registered.contains(info.name)) return;
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), info.name, &known)) {
        if (known.lpfnWndProc == procedure) registered.insert(info.name);
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = info.style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = info.name;
    if (RegisterClassExW(&windowClass) != 0) registered.insert(info.name);
}

}  // namespace

BaseWindow::~BaseWindow() {
    // A derived object is gone by now: messages of the destruction reach only the default.
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
        m_window = nullptr;
    }
}

bool BaseWindow::CreateBaseWindow(const WindowClassInfo& windowClass, DWORD exStyle,
                                  const wchar_t* title, DWORD style, const RECT& bounds,
                                  HWND parent) {
    // One object owns one window: a window it had before goes first.
    DestroyBaseWindow();
    RegisterOnce(windowClass, Procedure);
    const HWND window =
        CreateWindowExW(exStyle, windowClass.name, title, style, bounds.left, bounds.top,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                        GetModuleHandleW(nullptr), this);
    if (window && window != m_window) {
        // Made, but not through our procedure (a class of that name belongs to someone else):
        // nobody would own it.
        DestroyWindow(window);
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return false;
    }
    return window != nullptr;
}

void BaseWindow::DestroyBaseWindow() {
    if (m_window) DestroyWindow(m_window);
}

LRESULT BaseWindow::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK BaseWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const HandlerScope scope;
    if (message == WM_NCCREATE) {
        // A window of the class made without an object (by name, elsewhere) stays default.
        auto* created = static_cast<BaseWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (created) {
            created->m_window = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        }
    }
    auto* self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        try {
            self->OnWindowGone();
        } catch (...) {
            if (self->m_guard.trace) {
                LogCurrentException(*self->m_guard.trace, self->m_guard.source,
                                    self->m_guard.procedure, self->m_guard.once);
            }
        }
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT BaseWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const HWND window = m_window;
    try {
        return OnMessage(message, wParam, lParam);
    } catch (...) {
        if (m_guard.trace) {
            LogCurrentException(*m_guard.trace, m_guard.source, m_guard.procedure, m_guard.once);
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarvik
