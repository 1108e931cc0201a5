#pragma once

#include <windows.h>

namespace tarvik {

// An object that sees every message of a window hooked with WindowSubclass. The arguments are the
// caller's own variables. What it returns is what the window procedure returns; a sink that wants
// the window's normal handling calls WindowSubclass::CallOldWindowProc itself and returns that.
class IWndProcSink {
  public:
    virtual LRESULT IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                         LPARAM& lParam) = 0;

  protected:
    ~IWndProcSink() = default;
};

}  // namespace tarvik
