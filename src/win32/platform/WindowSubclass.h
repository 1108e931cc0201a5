#pragma once

#include <windows.h>

#include "core/app/Trace.h"
#include "win32/platform/IWndProcSink.h"

namespace tarvik {

// Routes every message of a window to an object. Hooking swaps the window's procedure for one
// shared procedure that finds the object through the window's properties; the window keeps no
// reference to the object, which must outlive the hook. One instance per process: it carries the
// trace log that records sinks that fail.
class WindowSubclass {
  public:
    // Description logged when a sink fails with something that is not a standard exception.
    static constexpr const char* kUnknownFailure = "Unknown failure";

    explicit WindowSubclass(Trace& trace) : m_trace(trace) {}
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // Hooks the window once its handle exists; returns the procedure it replaced.
    LONG_PTR HookWindow(HWND window, IWndProcSink& sink);
    // Puts the procedure from before hooking back. Harmless on a window that is not hooked.
    static void UnhookWindow(HWND window);
    // Gives one message to the procedure the window had before it was hooked.
    static LRESULT CallOldWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The window procedure of every hooked window.
    static LRESULT CALLBACK CallbackFunctionForAllWindows(HWND window, UINT message, WPARAM wParam,
                                                          LPARAM lParam);

  private:
    void LogFailure(UINT message) noexcept;

    Trace& m_trace;
};

}  // namespace tarvik
