#pragma once

#include <cstdint>
#include <string>

#include "core/menus/MenuItem.h"

namespace tarvik {

class GDIPGraphics;
class SkinButton;
class WidgetHost;

// Where a widget's button sits: from the left end of the bar, or from the right end leftwards.
enum WidgetAlignment : int32_t { AlignLeft = 0, AlignRight = 1 };

// What the host does with a widget's button. Other values do nothing on click or hover.
enum WidgetActivation : int32_t {
    ActivateAction = 0,       // a left click calls OnAction
    ActivateCanvas = 1,       // a left click opens the widget's canvas under the button
    ActivateHoverCanvas = 2,  // entering the button opens the canvas while nothing is open
    ActivateMenu = 3,         // a left click drops down the menu from BuildMenu
};

// A rectangle by origin and extent, in pixels. All zero: the button is not on the bar.
struct BoundsRect {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const BoundsRect&) const = default;
};

// Anything on the bar apart from the application menus: a button the host measures, places,
// draws and hit-tests, and optionally a menu or a canvas (the popup panel the widget paints
// itself). Everything runs on the user-interface thread; a widget may call back into its host
// from any of these operations. The operations after Refresh do nothing unless a widget has a
// use for them.
class IWidget {
  public:
    virtual ~IWidget() = default;

    // Fixed, unique, non-empty and without commas: the widget's key in the settings store.
    virtual std::string Name() const = 0;
    virtual WidgetAlignment Alignment() const = 0;
    // May change over time; the host asks each time.
    virtual WidgetActivation Activation() const = 0;
    // Null for a text-only button. Frame 1 is the normal picture, frame 3 the hovered one.
    virtual const SkinButton* ButtonIcon() const = 0;
    // Empty for an icon-only button.
    virtual std::string ButtonText() const = 0;
    // Brings the widget's state and button text up to date; called on every tick, so cheap.
    virtual void Refresh() {}

    virtual void OnAction() {}
    // A fresh list each time; an empty list shows nothing.
    virtual MenuItemList BuildMenu() { return {}; }
    // The user picked an item of a menu this widget built.
    virtual void OnMenuCommand(const MenuItem& /*item*/) {}

    // The wanted client size of the canvas in pixels (values below 1 count as 1). The graphics
    // object is the canvas's own, valid for measuring text, and may be replaced right after.
    virtual void MeasureCanvas(GDIPGraphics& /*graphics*/, int32_t& /*width*/,
                               int32_t& /*height*/) {}
    // Paints the content over the panel background already painted, in client pixels.
    virtual void PaintCanvas(GDIPGraphics& /*graphics*/, int32_t /*width*/, int32_t /*height*/) {}
    // button: the buttons held on a move (1 left, 2 right, 4 middle), else the one that changed.
    virtual void OnCanvasMouseMove(int16_t /*button*/, float /*x*/, float /*y*/) {}
    virtual void OnCanvasMouseDown(int16_t /*button*/, float /*x*/, float /*y*/) {}
    virtual void OnCanvasMouseUp(int16_t /*button*/, float /*x*/, float /*y*/) {}
    virtual void OnCanvasDblClick() {}
    // The pointer left the canvas: the widget clears its own hover state.
    virtual void OnCanvasMouseLeave() {}

    // The host that registered the widget; null when the host goes away, after which the widget
    // must not use it. Attaching starts no work.
    virtual void Attach(WidgetHost* /*host*/) {}
    // The widget is on the bar (true) or switched off (false): its background work (loads from
    // the network, device bindings) runs only while it is on, and stops, loads aborted, when it
    // goes off. The host calls it after Attach for a widget that is on, at every switch, and with
    // false before it detaches a widget that is on.
    virtual void SetRunning(bool /*running*/) {}
};

// Implemented by widgets that take the keyboard while their canvas is open. The keys cannot be
// changed or cancelled.
class ICanvasKeys {
  public:
    virtual ~ICanvasKeys() = default;
    // A virtual-key code and the modifiers held (1 Shift, 2 Ctrl, 4 Alt, 8 the Windows key).
    virtual void OnCanvasKeyDown(int16_t keyCode, int16_t shift) = 0;
    // A typed character.
    virtual void OnCanvasKeyPress(int16_t keyAscii) = 0;
    // While true every key is the widget's alone: system keys (Alt+F4 included) do nothing else.
    virtual bool CapturesKeys() const { return false; }
};

}  // namespace tarvik
