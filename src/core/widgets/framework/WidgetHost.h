#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/BarGeometry.h"
#include "core/menus/IDropDownMenu.h"
#include "core/platform/WindowHandle.h"
#include "core/widgets/framework/IWidget.h"
#include "core/widgets/framework/WidgetPorts.h"
#include "core/widgets/framework/WidgetSlot.h"

namespace tarvik {

class Brushes;
class Dpi;
class GDIPGraphics;
class ISettingsStore;
class Theme;
class Trace;

// What the host works with; every reference must outlive the host.
struct WidgetHostServices {
    const Theme& theme;
    Brushes& brushes;
    Trace& trace;
    const Dpi& dpi;
    ISettingsStore& settings;
    IWidgetCanvas& canvas;  // the one canvas all widgets share
    IDropDownMenu& menu;    // the one drop-down for widget menus; its Closed goes to m_menu_Closed
};

// Owns the widgets on the bar: lays their buttons out from both ends, draws them, routes the
// bar's pointer events to them, opens their canvases and menus, and remembers which widgets the
// user switched off. Which popup is open decides which button looks pressed; a press on the
// button of an open canvas closes it and the release does not open it again.
//
// Positions are bar client pixels unless said otherwise. A failure inside a widget ends the
// host operation that called it; the operation logs it under "WidgetHost" and the bar carries on.
class WidgetHost {
  public:
    static constexpr const char* kSource = "WidgetHost";
    static constexpr const char* kSettingsSection = "Widgets";
    static constexpr const char* kDisabledKey = "Disabled";

    explicit WidgetHost(const WidgetHostServices& services);
    ~WidgetHost();
    WidgetHost(const WidgetHost&) = delete;
    WidgetHost& operator=(const WidgetHost&) = delete;

    // Reads the list of widgets the user switched off and makes the slot list empty.
    void Initialize(IWidgetBar& bar);
    void Register(std::shared_ptr<IWidget> widget);
    // Registered but never on the bar; always enabled, so its canvas can be summoned.
    void RegisterHidden(std::shared_ptr<IWidget> widget);

    int32_t WidgetCount() const { return static_cast<int32_t>(m_slots.size()); }
    // 1-based; "", false, false outside 1..WidgetCount.
    std::string WidgetNameAt(int32_t index) const;
    bool WidgetEnabledAt(int32_t index) const;
    bool WidgetHiddenAt(int32_t index) const;
    // Shows or removes the widget of exactly that name and stores the choice when it changed.
    void SetWidgetEnabled(std::string_view name, bool enabled);
    // Widgets that are on start their background work (feeds, sound device) as they are
    // registered, unless the bar holds it back until its first frame is on screen.
    void HoldBackgroundWork();
    void StartBackgroundWork();

    // The bar's drawing surface (null while there is none); every slot is measured again.
    void SetGraphics(GDIPGraphics* graphics);
    // Places the buttons across a bar `right` pixels wide.
    void Arrange(int32_t right);
    int32_t StripRight() const { return m_stripRight; }
    int32_t StripLeft() const { return m_stripLeft; }
    void Draw();
    // Draws the buttons that reach into the area (bar client pixels).
    void DrawArea(const RectI& area);
    // Refreshes the widgets; true when a button's width changed and the bar needs laying out.
    // A button whose text or picture changed at the same width is drawn again alone.
    bool OnTick();

    // True when the point is over a button.
    bool OnMouseMove(MousePoint point);
    void OnMouseMiss();
    void OnMouseDown(MousePoint point);
    // True when the release was on a button (only the left button is considered).
    bool OnMouseUp(int16_t button, MousePoint point);

    // Opens the named widget's canvas centred on x (screen pixels), whatever is open.
    void SummonCanvas(std::string_view name, int32_t x);
    void CloseCanvas();
    bool IsCanvasOpenFor(std::string_view name) const;
    void RepaintCanvasFor(std::string_view name);
    void SetCanvasHandCursor(bool on);
    void RepaintCanvas();
    // Measures, moves and repaints the named widget's canvas when it is the one open.
    void RefreshCanvas(std::string_view name);

    // The bar became active; otherWindow is the window that lost activation.
    void OnBarActivated(WindowHandle otherWindow);
    void OnOwnerActivate();
    void OnBarMouseLeave();
    void OnCursorLeftBar();
    // The canvas hid itself.
    void OnCanvasDismissed();
    // The widget menu closed.
    void m_menu_Closed();
    // Detaches every widget and forgets everything; the bar closes the windows afterwards.
    void Dispose();

    // For tests and benchmarks.
    const std::vector<std::unique_ptr<WidgetSlot>>& Slots() const { return m_slots; }
    const WidgetSlot* OpenSlot() const { return m_openSlot; }
    const WidgetSlot* HotSlot() const { return m_hotSlot; }
    const WidgetSlot* PressedSlot() const { return m_pressedSlot; }

  private:
    void RegisterSlot(std::shared_ptr<IWidget> widget, bool hidden);
    void MeasureSlot(WidgetSlot& slot);
    WidgetSlot* HitTest(MousePoint point) const;
    WidgetSlot* FindSlot(std::string_view name) const;
    void SetHot(WidgetSlot* slot);
    void CloseHoverCanvas(WidgetSlot* slot);
    void OpenCanvasFor(WidgetSlot& slot);
    void ShowMenuFor(WidgetSlot& slot);
    void PlaceCanvasBelowBar();
    void SaveDisabledList();
    void DrawSlot(WidgetSlot& slot);
    // Paints the button onto the surface with its top-left corner at the origin.
    void PaintButton(GDIPGraphics& graphics, const WidgetSlot& slot, const WidgetSlot::Look& look);
    // Asks the bar to draw the slot's button again (nothing for none or a slot not on the bar).
    void RedrawSlot(const WidgetSlot* slot);

    const Theme& m_theme;
    Brushes& m_brushes;
    Trace& m_trace;
    const Dpi& m_dpi;
    ISettingsStore& m_settings;
    IWidgetCanvas* m_canvas;
    IDropDownMenu* m_menu;

    IWidgetBar* m_bar = nullptr;
    GDIPGraphics* m_graphics = nullptr;
    std::vector<std::unique_ptr<WidgetSlot>> m_slots;
    WidgetSlot* m_hotSlot = nullptr;
    WidgetSlot* m_openSlot = nullptr;
    WidgetSlot* m_pressedSlot = nullptr;
    MenuItemList m_menuItems;  // the widget menu being shown
    int32_t m_anchorX = 0;
    std::string m_storedDisabled;  // the list as read at start-up
    std::string m_disabledList = ",,";
    bool m_workHeld = false;
    int32_t m_stripRight = 0;
    int32_t m_stripLeft = 0;
};

// Sets OwnerWidget on every item at every depth.
void AssignOwner(const MenuItemList& items, IWidget* widget);

}  // namespace tarvik
