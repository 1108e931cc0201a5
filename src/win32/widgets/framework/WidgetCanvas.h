#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "core/app/Trace.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/theme/Theme.h"
#include "core/widgets/framework/IWidget.h"
#include "core/widgets/framework/WidgetPorts.h"
#include "win32/bar/PopupSurface.h"
#include "win32/bar/WindowComposition.h"
#include "win32/platform/BaseWindow.h"
#include "win32/platform/IWndProcSink.h"
#include "win32/platform/LayeredWindow.h"
#include "win32/platform/WindowSubclass.h"

namespace tarvik {

// Everything the canvas uses; all of it must outlive the canvas.
struct WidgetCanvasServices {
    const Theme& theme;
    Trace& trace;
    LayeredWindow& surfaces;
    const WindowComposition& composition;
    WindowSubclass& subclass;
};

// The one popup panel the widgets share: a borderless, topmost tool window painted as a
// per-pixel-alpha layered window with the glass background, in which one widget at a time paints
// its larger view. The canvas sizes itself to what the widget asks for, centres itself on an
// anchor just below the bar, and hands the widget its mouse input (and its keys, when the widget
// takes them). It hides itself when another program becomes active while the pointer is
// elsewhere, and tells the host.
//
// The window is made, hidden, with the object and goes with it. The widget shown is held by a
// plain pointer: the host owns the widgets and keeps them for as long as the canvas may show
// them; hiding keeps the pointer, the next ShowFor replaces it.
class WidgetCanvas final : public IWidgetCanvas, private IWndProcSink, private BaseWindow {
  public:
    static constexpr const wchar_t* kClassName = L"Tarvik_WidgetCanvas";
    static constexpr const char* kSource = "WidgetCanvas";

    explicit WidgetCanvas(const WidgetCanvasServices& services);
    ~WidgetCanvas() override;
    WidgetCanvas(const WidgetCanvas&) = delete;
    WidgetCanvas& operator=(const WidgetCanvas&) = delete;

    // Raised after the canvas hid itself, besides telling the host.
    std::function<void()> Dismissed;

    void SetHost(WidgetHost* host) override { m_host = host; }
    void SetTop(int32_t top) override;
    void ShowFor(IWidget& widget, int32_t anchorX) override;
    void Repaint() override;
    bool IsVisible() const override;
    void Hide() override;
    void SetHandCursor(bool on) override { m_handCursor = on; }
    WindowHandle Window() const override;

    // Null when the window could not be made.
    HWND Handle() const { return BaseWindow::Handle(); }
    IWidget* Widget() const { return m_widget; }
    // A leave notification is pending: the pointer is over the canvas.
    bool Tracking() const { return m_tracking; }

  private:
    LRESULT IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                 LPARAM& lParam) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

    void Load();
    void CreateSurface();
    SIZE ClientSize() const;
    void Dismiss();
    void OnMouseMove(int16_t buttons, float x, float y);
    void OnKeyDown(int16_t keyCode);
    void OnKeyPress(int16_t keyAscii);
    ICanvasKeys* Keys() const;

    WidgetCanvasServices m_services;
    WidgetHost* m_host = nullptr;
    IWidget* m_widget = nullptr;
    PopupSurface m_surface;
    bool m_tracking = false;
    bool m_handCursor = false;
};

}  // namespace tarvik
