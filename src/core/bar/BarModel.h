#pragma once

#include <cstdint>

#include "core/bar/BarGeometry.h"
#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/widgets/framework/WidgetPorts.h"

namespace tarvik {

class MenuEditorHandoff;
class MenuStrip;
class NativeMenu;
class Theme;
class Trace;
class WidgetHost;

// What the bar asks of its window; the window class implements it.
class IBarWindow {
  public:
    virtual ~IBarWindow() = default;
    // Moves and sizes the window back where the bar belongs, when it is not there.
    virtual void KeepPlaced() = 0;
    // Looks at the foreground window where the shell does not report activations.
    virtual void PollForeground() = 0;
    virtual void KeepBackdropBelow() = 0;
    // Something the bar shows changed: call Flush soon, after the current message.
    virtual void RequestFrame() = 0;
    // Pushes the composed surface to the screen; only the area (client pixels) changed since the
    // last push, the rest of the window keeps what it shows.
    virtual void PushFrame(const RectI& area) = 0;
    // Shows the context menu at the cursor and acts on the pick.
    virtual void ShowContextMenu() = 0;
    // The pointer's position on the screen; false when it cannot be read.
    virtual bool ReadCursor(int32_t& x, int32_t& y) = 0;
};

// The tray host's share of the housekeeping tick, in the order the bar calls it.
class ITrayUpkeep {
  public:
    virtual ~ITrayUpkeep() = default;
    virtual void KeepDecoyOnTop() = 0;
    virtual void PruneDeadIcons() = 0;
    virtual void TrayHostTick() = 0;
};

// What the bar decides, apart from its window: the bounds of its parts (the widgets at both
// ends, the menu strip between them), who owns the pointer, the order of the housekeeping tick,
// and the frame it shows. A frame is composed and pushed only when something it shows changed;
// any number of changes between two messages make one frame. A change to one part (a widget's
// button, a title of the strip) composes and pushes only that part's rectangle; the whole frame is
// composed only when the layout, the size or the fill changed. The widget host sits on the model
// (IWidgetBar) and gets the first look at the pointer. Each entry point is a HandlerScope: a
// close dispatched by a loop nested in one (the context menu, a send that waits) frees the model
// only after it returned.
class BarModel final : public IWidgetBar {
  public:
    // The part that last took the pointer.
    enum class HoverOwner { None, Host, Strip };

    // Everything must outlive the model. The model listens to the strip's Changed and
    // initializes the host (none: a bar without widgets).
    BarModel(const Theme& theme, Trace& trace, MenuStrip& strip, NativeMenu& nativeMenu,
             IBarWindow& window, WidgetHost* host = nullptr);
    ~BarModel() override;
    BarModel(const BarModel&) = delete;
    BarModel& operator=(const BarModel&) = delete;

    // The window's rectangle on the screen: arranges the widgets, lays out the strip between
    // them and asks for a frame.
    void SetPlacement(const RectI& window);
    // The strip's bounds in client pixels (widgets at both ends join here).
    RectI StripBounds() const;
    // The painted part of the bar, above its shadow strip.
    int32_t VisibleHeight() const;

    // The fill of the visible bar (an ARGB word).
    void SetFill(uint32_t argb);
    // The drawing object bound to the window's surface; null while there is none.
    void SetGraphics(GDIPGraphics* graphics);

    // Something the bar shows changed: the whole frame is composed again.
    void Invalidate();
    // Something inside the area (client pixels) changed: only that part is composed and pushed,
    // together with any other part changed before the frame.
    void InvalidateArea(const RectI& area);
    // Composes and pushes a frame when one is pending; true when it did. A failure is logged
    // and the frame is abandoned (the next one is whole). While the context menu is open the
    // frame waits for it.
    bool Flush();
    // The whole frame: the visible bar filled, the shadow band below it cleared, the strip's
    // picture in its bounds, the widget buttons.
    void Compose(GDIPGraphics& graphics) const;
    // The same frame inside the area only; the rest of the surface is kept.
    void ComposeArea(GDIPGraphics& graphics, const RectI& area) const;

    // Pointer input in client pixels; buttons 1 (left), 2 (right), 4 (middle).
    void MouseMove(MousePoint point);
    void MouseDown(int32_t button, MousePoint point);
    void MouseUp(int32_t button, MousePoint point);
    // The pointer left the window.
    void MouseLeave();
    // The window became active; otherWindow is the one that lost activation.
    void Activated(WindowHandle otherWindow);
    HoverOwner Hover() const { return m_hoverOwner; }

    // The tray host looked after on every housekeeping tick; null: none. Must outlive the model.
    void SetTray(ITrayUpkeep* tray) { m_tray = tray; }

    // The 400 ms housekeeping, in its order: placement, the strip's refresh, the foreground
    // poll, the tray host's upkeep, the backdrop below the bar, the frame, a refused command's
    // notice, then the menu editor's hand-off (a picked shortcut, the editor asked for, the editor
    // done). A failure ends the tick and is logged once. Does nothing while the context menu is
    // open: repainting or restacking the bar under it takes its focus and closes it.
    void Tick();
    // The menu editor's deferred work, run at the end of every housekeeping tick (none: a bar
    // without custom menus). It must outlive the model or be taken back first.
    void SetMenuEditorHandoff(MenuEditorHandoff* handoff) { m_handoff = handoff; }
    // The one-second tick: the widgets refresh, and the bar is laid out again when a button's
    // width changed. A failure is logged once.
    void ClockTick();

    // What the widget host asks of the bar.
    void LayoutBar() override { SetPlacement(m_window); }
    void DrawBar() override { Invalidate(); }
    void DrawArea(const RectI& area) override { InvalidateArea(area); }
    int32_t BarHeight() const override { return VisibleHeight(); }
    RectI ScreenRect() const override { return m_window; }

  private:
    void RequestFrame();
    void FillBackground(GDIPGraphics& graphics, const RectI& area) const;
    RectI ClientRect() const { return RectI{0, 0, m_window.Width, m_window.Height}; }
    void SetHoverOwner(HoverOwner part);
    void TellHostWhenCursorLeft();

    const Theme& m_theme;
    Trace& m_trace;
    MenuStrip& m_strip;
    NativeMenu& m_nativeMenu;
    IBarWindow& m_windowPort;
    WidgetHost* m_host;
    MenuEditorHandoff* m_handoff = nullptr;
    ITrayUpkeep* m_tray = nullptr;

    RectI m_window;
    uint32_t m_fillArgb = 0;
    GDIPGraphics* m_graphics = nullptr;
    bool m_dirty = false;      // a frame is pending
    bool m_wholeFrame = true;  // ... of the whole bar; otherwise of m_dirtyArea
    RectI m_dirtyArea;
    RectI m_stripBounds;  // where the strip was last placed
    HoverOwner m_hoverOwner = HoverOwner::None;
    bool m_contextMenuOpen = false;
};

}  // namespace tarvik
