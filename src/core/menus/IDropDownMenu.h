#pragma once

#include <cstdint>

#include "core/menus/DropDownPlacement.h"
#include "core/menus/MenuItem.h"

namespace tarvik {

// A drop-down menu window as the menu logic sees it. The window class implements it; tests use
// an in-memory one. Positions are screen pixels, sizes client pixels.
class IDropDownMenu {
  public:
    virtual ~IDropDownMenu() = default;

    // Shows the rows with the window's top-left corner at `at` (placed by PlaceDropDown: moved
    // back on screen when it would run past the right edge). Showing the list already shown
    // does nothing.
    virtual void ShowList(const MenuItemList& items, ScreenPoint at) = 0;
    virtual bool IsVisible() const = 0;
    // Hidden, not closed: it keeps its list.
    virtual void Hide() = 0;
    // Closes this window and its cascade; closeAncestors also closes every window above it.
    virtual void closeMe() = 0;
    virtual void closeAncestors() = 0;

    // Highlights row index (1-based) as the pointer would, 0 for none, and repaints.
    virtual void ShowHotRow(int32_t index) = 0;
    // The 1-based row the pointer made hot last, 0 for none.
    virtual int32_t HotRow() const = 0;

    // The top of a 1-based row in client pixels.
    virtual int32_t RowTop(int32_t index) const = 0;
    // Where the window was last placed on the screen.
    virtual ListPlacement Position() const = 0;
    virtual int32_t ClientWidth() const = 0;

    // The open cascade, if any.
    virtual IDropDownMenu* ChildMenu() const = 0;
    // Unloads the open cascade, makes a new one with this window as its parent and returns it.
    virtual IDropDownMenu& OpenChildMenu() = 0;
    // Closes the open cascade and forgets it.
    virtual void CloseChildMenu() = 0;
};

}  // namespace tarvik
