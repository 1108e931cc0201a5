#pragma once

#include <cstdint>

#include "core/menus/MenuItem.h"

namespace tarvik {

// The screen's twips per pixel (1440 / logical DPI), horizontally and vertically.
struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;
};

// A drop-down menu window as the menu logic sees it. The window class implements it; tests use
// an in-memory one. Positions follow the window's own units: left and top of the window in
// twips, its client area in pixels.
class IDropDownMenu {
  public:
    virtual ~IDropDownMenu() = default;

    // Shows the rows with the window's top-left corner at top (twips) and left (pixels), moved
    // back on screen when it would run past the right edge. Showing the list already shown does
    // nothing.
    virtual void ShowList(const MenuItemList& items, int32_t top, int32_t left) = 0;
    virtual bool IsVisible() const = 0;
    // Hidden, not closed: it keeps its list.
    virtual void Hide() = 0;
    // Closes this window and its cascade; closeAncestors also closes every window above it.
    virtual void closeMe() = 0;
    virtual void closeAncestors() = 0;

    // The top of a 1-based row in client pixels.
    virtual int32_t RowTop(int32_t index) const = 0;
    virtual double LeftTwips() const = 0;
    virtual double TopTwips() const = 0;
    virtual int32_t ClientWidth() const = 0;

    // The open cascade, if any.
    virtual IDropDownMenu* ChildMenu() const = 0;
    // Unloads the open cascade, makes a new one with this window as its parent and returns it.
    virtual IDropDownMenu& OpenChildMenu() = 0;
    // Closes the open cascade and forgets it.
    virtual void CloseChildMenu() = 0;
};

}  // namespace tarvik
