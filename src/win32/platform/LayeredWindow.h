#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "core/app/Trace.h"
#include "win32/platform/LayeredWindowSurface.h"

namespace tarvik {

// Makes and remembers one surface per window: the process's registry of layered surfaces.
class LayeredWindow {
  public:
    explicit LayeredWindow(Trace& trace) : m_trace(trace) {}
    LayeredWindow(const LayeredWindow&) = delete;
    LayeredWindow& operator=(const LayeredWindow&) = delete;

    // A surface of the window's client size, making the window layered (and, with clickThrough,
    // transparent to the mouse). With recreate the window's previous surface is released and a
    // new one made; without it an existing surface is returned as it is. Null on failure.
    std::shared_ptr<LayeredWindowSurface> Create(HWND window, bool recreate, bool clickThrough);

    // The window is going: its surface is released and its entry dropped, so that a later window
    // with the same handle value starts without it. The owner of the window calls this when the
    // window goes (WM_NCDESTROY). Harmless for a window without a surface.
    void Forget(HWND window);

    // The surface registered for the window, or null.
    std::shared_ptr<LayeredWindowSurface> Registered(HWND window) const;
    std::size_t Count() const { return m_surfaces.size(); }

    // The registry key: the handle as a signed decimal number followed by "_hwnd".
    static std::string Key(HWND window);

  private:
    std::shared_ptr<LayeredWindowSurface> Build(HWND window, const std::string& key,
                                                bool clickThrough);

    Trace& m_trace;
    std::map<std::string, std::shared_ptr<LayeredWindowSurface>> m_surfaces;
};

}  // namespace tarvik
