#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "core/graphics/GDIPGraphics.h"
#include "win32/platform/LayeredWindowSurface.h"

namespace tarvik {

struct GlassStyle;
class LayeredWindow;
class WindowComposition;

// What a popup window (a drop-down, the widget canvas) paints on: a fresh 32-bit surface of the
// window's client size with the glass behind it where the system has it, and a drawing object
// bound to the surface. Rebuilt at every size; the services must outlive it.
class PopupSurface {
  public:
    PopupSurface(LayeredWindow& surfaces, const WindowComposition& composition,
                 const GlassStyle& glass)
        : m_surfaces(surfaces), m_composition(composition), m_glass(glass) {}
    ~PopupSurface() { Release(); }
    PopupSurface(const PopupSurface&) = delete;
    PopupSurface& operator=(const PopupSurface&) = delete;

    // Replaces the surface with one of the size; throws when it cannot be made.
    void Create(HWND window, int32_t width, int32_t height);
    // Gives the drawing object's device context back and lets the surface go.
    void Release() noexcept;
    bool Ready() const { return m_surface && m_graphics.IsBound(); }
    GDIPGraphics& Graphics() { return m_graphics; }
    // The glass is behind the window (the background is painted for it).
    bool GlassApplied() const { return m_glassApplied; }
    // Shows what was drawn.
    void Push(HWND window) { m_surface->Update(window, m_surface->theDC); }

  private:
    LayeredWindow& m_surfaces;
    const WindowComposition& m_composition;
    const GlassStyle& m_glass;
    std::shared_ptr<LayeredWindowSurface> m_surface;
    GDIPGraphics m_graphics;
    bool m_glassApplied = false;
};

}  // namespace tarvik
