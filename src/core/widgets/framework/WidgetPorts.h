#pragma once

#include <cstdint>

#include "core/graphics/GraphicsTypes.h"
#include "core/platform/WindowHandle.h"

namespace tarvik {

class IWidget;
class WidgetHost;

// What the widget host asks of the bar it sits on.
class IWidgetBar {
  public:
    virtual ~IWidgetBar() = default;
    // Arranges the widgets again and places the menu strip between them.
    virtual void LayoutBar() = 0;
    // Something on the bar changed: it is drawn again after the current message.
    virtual void DrawBar() = 0;
    // Something inside the area (bar client pixels) changed: that part is drawn again after the
    // current message.
    virtual void DrawArea(const RectI& /*area*/) { DrawBar(); }
    // The painted part of the bar, above its shadow strip.
    virtual int32_t BarHeight() const = 0;
    // The bar window on the screen, shadow strip included (screen pixels).
    virtual RectI ScreenRect() const = 0;
};

// The one popup panel window the widgets share, as the host sees it.
class IWidgetCanvas {
  public:
    virtual ~IWidgetCanvas() = default;
    // The host told when the canvas hides itself; null to tell nobody.
    virtual void SetHost(WidgetHost* host) = 0;
    // Moves the window's top edge (screen pixels).
    virtual void SetTop(int32_t top) = 0;
    // Shows the canvas for the widget, centred on anchorX (screen pixels), measured and
    // painted; showing it again for the same widget measures, moves and repaints it.
    virtual void ShowFor(IWidget& widget, int32_t anchorX) = 0;
    virtual void Repaint() = 0;
    virtual bool IsVisible() const = 0;
    virtual void Hide() = 0;
    // While on, the pointer over the canvas is the hand.
    virtual void SetHandCursor(bool on) = 0;
    // The canvas's window, to tell it apart from other windows.
    virtual WindowHandle Window() const = 0;
};

}  // namespace tarvik
