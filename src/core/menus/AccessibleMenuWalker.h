#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/menus/AccessibleElement.h"
#include "core/menus/MenuItem.h"
#include "core/platform/WindowHandle.h"

namespace tarvik {

// Finds, reads and drives a menu bar that a program shows through its accessibility interface
// rather than as a Win32 menu. Titles are read without their rows; a title's rows are read when
// its drop-down opens, by opening the title in the program, reading, and closing it again, since
// most programs build a drop-down's rows only while it is open. Nothing the walker opened is
// left open.
//
// Every answer comes from another program, so every walk is bounded: the search for the menu
// bar by depth and by the number of elements looked at, the rows by depth and count.
class AccessibleMenuWalker {
  public:
    // How deep below the window's client element the menu bar is looked for.
    static constexpr int32_t kMaxSearchDepth = 6;
    // How many elements the search reaches before it gives up (a browser's page is a big tree).
    static constexpr int32_t kMaxSearchElements = 400;
    // Children read of any one element.
    static constexpr int32_t kMaxChildren = 200;
    // Cascades within a drop-down, and the elements reached for a whole drop-down with its
    // cascades (rows, separators, panes, and what is not shown).
    static constexpr int32_t kMaxRowDepth = 8;
    static constexpr int32_t kMaxRowElements = 2000;

    // How an element shows in a menu.
    enum class Kind {
        Skip,       // not a menu entry, or hidden
        Row,        // an entry (it may open a cascade)
        Separator,  // a separator line
        Pane,       // a drop-down pane: its children are rows of the entry that owns it
    };
    static Kind KindOf(int32_t role, uint32_t state);

    // The first element with the menu bar role, the root included, breadth first; null when
    // there is none within the limits. found, when given, is set to where it is below root.
    static std::unique_ptr<IAccessibleElement> FindMenuBar(std::unique_ptr<IAccessibleElement> root,
                                                           AccessPath* found = nullptr);
    // The menu bar at path below root, where FindMenuBar found it before: going straight there
    // asks the program far less than a search. Null when there is no shown menu bar there now
    // (or path is empty).
    static std::unique_ptr<IAccessibleElement> MenuBarAt(const IAccessibleElement& root,
                                                         const AccessPath& path);
    // The bar's titles, without rows; window is the program's window they belong to.
    static MenuItemList ReadTitles(const IAccessibleElement& bar, WindowHandle window);
    // The rows of the title (or cascade entry) at path, with their cascades.
    static MenuItemList ReadRows(const IAccessibleElement& bar, const AccessPath& path,
                                 WindowHandle window);
    // Runs the entry at path when its caption still reads text, opening the titles and cascades
    // on the way where the program shows their rows only while open. False when the entry is
    // gone, reads otherwise, or refused; what was opened is closed again then.
    static bool Invoke(const IAccessibleElement& bar, const AccessPath& path,
                       const std::string& text);
};

}  // namespace tarvik
