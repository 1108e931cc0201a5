#include "win32/platform/LayeredWindow.h"

#include <cstdint>

#include "win32/platform/UniqueHandle.h"

namespace tarvik {

namespace {

void AddExtendedStyle(HWND window, LONG bits) {
    SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | bits);
}

// A 32-bit bottom-up DIB header of the given size.
BITMAPINFO DibHeader(LONG width, LONG height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage =
        static_cast<DWORD>(width > 0 ? width : 0) * static_cast<DWORD>(height > 0 ? height : 0) * 4;
    return info;
}

}  // namespace

std::string LayeredWindow::Key(HWND window) {
    // Window handles are 32-bit values sign-extended to pointer size.
    const auto value = static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
    return std::to_string(value) + "_hwnd";
}

std::shared_ptr<LayeredWindowSurface> LayeredWindow::Registered(HWND window) const {
    const auto found = m_surfaces.find(Key(window));
    return found == m_surfaces.end() ? nullptr : found->second;
}

void LayeredWindow::Forget(HWND window) {
    const auto found = m_surfaces.find(Key(window));
    if (found == m_surfaces.end()) return;
    found->second->Release();
    m_surfaces.erase(found);
}

std::shared_ptr<LayeredWindowSurface> LayeredWindow::Create(HWND window, bool recreate,
                                                            bool clickThrough) {
    const std::string key = Key(window);
    const auto found = m_surfaces.find(key);
    if (found != m_surfaces.end()) {
        if (!recreate) {
            AddExtendedStyle(window, WS_EX_LAYERED);
            return found->second;
        }
        found->second->Release();
        m_surfaces.erase(found);
    }
    auto surface = Build(window, key, clickThrough);
    // A surface that could not be finished is forgotten and freed with what it had made.
    if (!surface) m_surfaces.erase(key);
    return surface;
}

std::shared_ptr<LayeredWindowSurface> LayeredWindow::Build(HWND window, const std::string& key,
                                                           bool clickThrough) {
    auto surface = std::make_shared<LayeredWindowSurface>();
    m_surfaces[key] = surface;

    RECT client{};
    GetClientRect(window, &client);
    const LONG width = client.right - client.left;
    const LONG height = client.bottom - client.top;
    const BITMAPINFO header = DibHeader(width, height);

    {
        WindowDc windowDc(window);
        surface->theDC = CreateCompatibleDC(windowDc.Get());
    }
    surface->mainBitmap =
        CreateDIBSection(surface->theDC, &header, DIB_RGB_COLORS, nullptr, nullptr, 0);
    if (!surface->mainBitmap) {
        m_trace.LogError(0, "LayeredWindowSupport", "Create", "CreateDIBSection failed");
        return nullptr;
    }
    surface->oldBitmap = SelectObject(surface->theDC, surface->mainBitmap);
    if (!surface->oldBitmap) return nullptr;

    AddExtendedStyle(window, clickThrough ? WS_EX_LAYERED | WS_EX_TRANSPARENT : WS_EX_LAYERED);
    surface->SetSize(SIZE{width, height});
    surface->SetPoint(POINT{0, 0});
    return surface;
}

}  // namespace tarvik
