#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace tarvik {

class Trace;

// What a window class of ours looks like: its name and its class styles (CS_DBLCLKS ...).
struct WindowClassInfo {
    const wchar_t* name = nullptr;
    UINT style = 0;
};

// Where a window's failures are written: the trace log with the source and procedure names
// that the log shows; once suppresses a record identical to the previous one. Without a trace a
// failure is only swallowed.
struct WindowGuard {
    Trace* trace = nullptr;
    std::string source;
    std::string procedure = "WndProc";
    bool once = true;
};

// The base of every window class of the program. It registers the class once, finds the object
// from the window (the address arrives with WM_NCCREATE and is forgotten at WM_NCDESTROY), owns
// the handle, and runs every message handler inside one guard: no exception leaves the window
// procedure; a failure is logged and the message gets the default handling. Every handler runs
// in a HandlerScope.
//
// Derived classes handle messages in OnMessage and call DefaultProcedure for the rest. The
// window is destroyed with the object at the latest; an object is never destroyed by a handler
// of its own window (close by posting instead). By the time the base's destructor runs the
// derived object is gone, so OnWindowGone is not called from there: a class whose OnWindowGone
// matters calls DestroyBaseWindow in its own destructor.
class BaseWindow {
  public:
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // Null while there is no window.
    HWND Handle() const { return m_window; }

  protected:
    explicit BaseWindow(WindowGuard guard) : m_guard(std::move(guard)) {}
    virtual ~BaseWindow();

    // Creates the window of the class (registered on first use), destroying the object's previous
    // window first. The object sees every message from WM_NCCREATE on. False (with the system's
    // error code left for GetLastError) when the window could not be made, or was made by a
    // class of that name that is not ours (then it is destroyed again).
    bool CreateBaseWindow(const WindowClassInfo& windowClass, DWORD exStyle, const wchar_t* title,
                          DWORD style, const RECT& bounds, HWND parent = nullptr);
    // Destroys the window now; harmless without one.
    void DestroyBaseWindow();

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window is going (WM_NCDESTROY); the handle is still valid during the call.
    virtual void OnWindowGone() {}
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    WindowGuard m_guard;
    HWND m_window = nullptr;
};

}  // namespace tarvik
