#include "win32/platform/WindowSubclass.h"

#include <exception>
#include <string>

#include "core/app/Error.h"
#include "core/app/LogException.h"

namespace tarvik {

namespace {

// Everything the shared procedure needs lives on the window itself.
const char kSinkProperty[] = "HOOK_OBJ";
const char kOldProcedureProperty[] = "OLD_PROC";
const char kSubclassProperty[] = "HOOK_SUBCLASS";

// The windows are Unicode and this is a 64-bit program: the procedure is read and written as a
// pointer-sized value, and the old one is called through the wide entry point so that text
// messages reach it exactly as Windows sent them.
LONG_PTR CurrentProcedure(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC);
}

LONG_PTR InstallProcedure(HWND window, LONG_PTR procedure) {
    return SetWindowLongPtrW(window, GWLP_WNDPROC, procedure);
}

LONG_PTR SharedProcedure() {
    return reinterpret_cast<LONG_PTR>(&WindowSubclass::CallbackFunctionForAllWindows);
}

}  // namespace

LONG_PTR WindowSubclass::HookWindow(HWND window, IWndProcSink& sink) {
    // The properties go on before the procedure, so its first message finds them.
    SetPropA(window, kSinkProperty, reinterpret_cast<HANDLE>(&sink));
    SetPropA(window, kSubclassProperty, reinterpret_cast<HANDLE>(this));
    const LONG_PTR current = CurrentProcedure(window);
    // Hooking a hooked window again must not record the shared procedure as its own
    // predecessor: forwarding would then call itself for ever.
    if (current == SharedProcedure()) return current;
    SetPropA(window, kOldProcedureProperty, reinterpret_cast<HANDLE>(current));
    return InstallProcedure(window, SharedProcedure());
}

void WindowSubclass::UnhookWindow(HWND window) {
    const HANDLE old = GetPropA(window, kOldProcedureProperty);
    if (!old) return;
    InstallProcedure(window, reinterpret_cast<LONG_PTR>(old));
    // The old procedure stays recorded: a sink that unhooks while handling a message still
    // forwards that message afterwards. The sink pointer goes, since the sink may die next.
    RemovePropA(window, kSinkProperty);
}

LRESULT WindowSubclass::CallOldWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto old = reinterpret_cast<WNDPROC>(GetPropA(window, kOldProcedureProperty));
    if (!old) return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(old, window, message, wParam, lParam);
}

LRESULT CALLBACK WindowSubclass::CallbackFunctionForAllWindows(HWND window, UINT message,
                                                               WPARAM wParam, LPARAM lParam) {
    auto* sink = static_cast<IWndProcSink*>(GetPropA(window, kSinkProperty));
    if (!sink) return CallOldWindowProc(window, message, wParam, lParam);

    // The sink may change its arguments; a failure is reported and handled with the originals.
    HWND sinkWindow = window;
    UINT sinkMessage = message;
    WPARAM sinkWParam = wParam;
    LPARAM sinkLParam = lParam;
    try {
        return sink->IWndProcSink_WndProc(sinkWindow, sinkMessage, sinkWParam, sinkLParam);
    } catch (...) {
        if (auto* owner = static_cast<WindowSubclass*>(GetPropA(window, kSubclassProperty))) {
            owner->LogFailure(message);
        }
    }
    // A failing sink leaves the window with its normal handling of the message.
    return CallOldWindowProc(window, message, wParam, lParam);
}

// Called while the sink's exception is being handled; nothing leaves here.
void WindowSubclass::LogFailure(UINT message) noexcept {
    try {
        LogCurrentException(m_trace, "WindowSubclass", "CallbackFunctionForAllWindows", true,
                            "msg " + std::to_string(message) + ": ");
    } catch (...) {
        // No memory for the prefix: the record is lost, the window goes on.
    }
}

}  // namespace tarvik
