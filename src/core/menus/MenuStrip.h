#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/graphics/GDIPBitmap.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/graphics/GraphicsTypes.h"
#include "core/menus/IDropDownMenu.h"
#include "core/menus/MenuItem.h"
#include "core/menus/MenuPorts.h"
#include "core/platform/WindowHandle.h"

namespace tarvik {

class Brushes;
class Theme;
class Trace;

// What the strip works with; every reference must outlive the strip.
struct MenuStripServices {
    const Theme& theme;  // layout values, glass style and the two text fonts
    Brushes& brushes;
    Trace& trace;
    IDropDownMenu& dropDown;  // the one drop-down the strip opens under its titles
    IMenuSource& menus;
};

// The left part of the bar: the foreground window's short title in bold, then the titles of its
// menu bar. Pressing a title opens the drop-down beneath it; moving along the titles while it is
// open switches it. The strip owns no window: it paints into its own bitmap, which the bar
// draws when the strip raises Changed, and it takes the bar's mouse events in bar pixels.
//
// The drop-down window belongs to whoever made it; it is unloaded after the strip is gone, and
// its Closed event is wired to m_menu_Closed.
class MenuStrip {
  public:
    explicit MenuStrip(const MenuStripServices& services);
    MenuStrip(const MenuStrip&) = delete;
    MenuStrip& operator=(const MenuStrip&) = delete;

    // Raised after every redraw, and once more after a mouse move that changed the hover title.
    std::function<void()> Changed;
    // The part of the picture (strip pixels) the last redraw changed: the whole strip after the
    // titles changed, only the titles involved after a hover or press.
    const RectI& ChangedArea() const { return m_changed; }

    // Windows without a menu bar of their own get the custom shortcut menus from here (none
    // when not set).
    void SetCustomMenus(ICustomMenuSource* customMenus) { m_customMenus = customMenus; }

    // Re-reads the tracked window's menus when its short title changed.
    void Refresh();
    // Forgets the hover title (the pointer left the bar).
    void ResetSelector();
    // The strip's picture, for the bar to draw into the strip's bounds.
    const GDIPImage& Image() const { return m_bitmap.Image(); }
    // In pixels of the bar's client area.
    const RectI& Bounds() const { return m_bounds; }
    // The bounds in the bar's client pixels and where the bar's client area starts on the screen
    // (the drop-down opens in screen pixels). Rebuilds the bitmap and its surface at the new size
    // (even an unchanged one), then redraws.
    void SetBounds(const RectI& bounds, ScreenPoint barOrigin);

    // Opens the drop-down under the hover title; the arguments are not used.
    void MouseDown(int32_t button, int32_t x, int32_t y);
    // x in bar pixels.
    void MouseMove(int16_t x);
    // Opens the drop-down under a title (1-based; the application title opens nothing) and
    // shows the title pressed, as a click on it would.
    void OpenTitle(int32_t index);
    // The pointer moved from the strip to another part of the bar.
    void OnMouseLeave();

    void PopulateFromhWnd(WindowHandle window);
    // Reads the tracked window's menus again, whether or not its title changed.
    void Repopulate();
    // Demonstration titles, for running without a foreground program to follow.
    void PopulateFromTest();

    // The drop-down closed itself.
    void m_menu_Closed();

    // The titles in display order; the first is the application title.
    const MenuItemList& Titles() const { return m_titles; }
    const std::shared_ptr<MenuItem>& Hover() const { return m_hover; }
    const std::shared_ptr<MenuItem>& Selected() const { return m_selected; }
    WindowHandle TrackedWindow() const { return m_hWnd; }
    const std::string& ApplicationName() const { return m_applicationName; }

  private:
    // The first title whose padded span holds x (relative to the strip), or null.
    std::shared_ptr<MenuItem> TitleAt(int32_t x) const;
    void LayoutTitles();
    void Redraw();
    // Paints again only the titles whose look changed (null entries are skipped), and any title
    // reaching into their highlights.
    void RedrawTitles(std::initializer_list<const MenuItem*> titles);
    RectI HighlightOf(const MenuItem& title) const;
    void DrawTitle(const MenuItem& title);
    // Has the source read the title's rows, then shows them beneath it.
    void ShowDropDownFor(MenuItem& title);
    void RaiseChanged();

    const Theme& m_theme;
    Brushes& m_brushes;
    Trace& m_trace;
    IDropDownMenu& m_dropDown;
    IMenuSource& m_menus;
    ICustomMenuSource* m_customMenus = nullptr;

    MenuItemList m_titles;
    const std::shared_ptr<MenuItem> m_applicationTitle = std::make_shared<MenuItem>();
    std::string m_applicationName;
    WindowHandle m_hWnd = 0;
    RectI m_bounds;
    ScreenPoint m_barOrigin;
    // The surface draws into the bitmap, so it is declared after it and goes first.
    GDIPBitmap m_bitmap;
    GDIPGraphics m_graphics;
    std::shared_ptr<MenuItem> m_hover;
    std::shared_ptr<MenuItem> m_selected;
    RectI m_changed;
};

}  // namespace tarvik
