#include "win32/bar/PopupSurface.h"

#include "core/app/Error.h"
#include "win32/bar/WindowComposition.h"
#include "win32/platform/LayeredWindow.h"

namespace tarvik {

void PopupSurface::Create(HWND window, int32_t width, int32_t height) {
    Release();
    m_surface = m_surfaces.Create(window, true, false);
    if (!m_surface) throw Error(0, "the popup's surface could not be made");
    m_glassApplied = m_composition.ApplyGlass(window, width, height, &m_glass);
    m_graphics.FromHDC(m_surface->theDC);
    m_graphics.ApplySurfaceSettings();
}

void PopupSurface::Release() noexcept {
    if (m_graphics.IsBound()) m_graphics.ReleaseHDC(m_graphics.BoundDC());
    if (m_surface) {
        m_surface->Release();
        m_surface.reset();
    }
}

}  // namespace tarvik
