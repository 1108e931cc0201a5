#pragma once

#include <cstdint>

#include "core/menus/IDropDownMenu.h"
#include "core/menus/MenuItem.h"

namespace tarvik {

// What a drop-down does with its rows: the pointer moving onto a row, and the mouse button being
// released on one. The drop-down knows nothing of commands or cascades beyond this.
class IMenuRowActions {
  public:
    virtual ~IMenuRowActions() = default;

    // The pointer moved onto row index (1-based) of menu.
    virtual void HoverMenuItem(const MenuItem& item, IDropDownMenu& menu, int32_t index) = 0;
    // The mouse button was released on row index of menu.
    virtual void HandleMenuItem(const MenuItem& item, IDropDownMenu& menu, int32_t index) = 0;
};

}  // namespace tarvik
