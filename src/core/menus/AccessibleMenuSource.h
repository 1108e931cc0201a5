#pragma once

#include <cstdint>
#include <string>

#include "core/menus/AccessibleElement.h"
#include "core/menus/MenuItem.h"
#include "core/menus/MenuPorts.h"
#include "core/platform/WindowHandle.h"

namespace tarvik {

class Trace;

// How a request to another program's accessibility interface ended.
enum class AccessOutcome {
    Answered,   // done (the items, if any, are the answer)
    NoMenuBar,  // the program shows no menu bar this way
    NoAnswer,   // the program did not answer in time
    Refused,    // the program runs at a higher integrity level: it is not driven
};

struct AccessAnswer {
    AccessOutcome outcome = AccessOutcome::NoMenuBar;
    MenuItemList items;
};

// Reads and drives menu bars through other programs' accessibility interfaces, each request
// answered within a time limit.
class IAccessibleMenus {
  public:
    virtual ~IAccessibleMenus() = default;
    // The titles of the window's menu bar, without rows.
    virtual AccessAnswer ReadTitles(WindowHandle window) = 0;
    // The rows of the title at path, with their cascades.
    virtual AccessAnswer ReadRows(WindowHandle window, const AccessPath& title) = 0;
    // Runs the entry at path when its caption still reads text.
    virtual AccessOutcome Invoke(WindowHandle window, const AccessPath& entry,
                                 const std::string& text) = 0;
};

// What the strip reads its menus from: a window's Win32 menu bar where it has one, and otherwise
// the menu bar it shows through its accessibility interface. Such titles come without rows; a
// title's rows are read each time its drop-down opens, so they show their current state.
//
// A window's titles are read once and kept while the strip stays on that window (a title that
// changes makes the strip read again); they are read afresh when another window was shown in
// between, or after Forget. A program that does not answer in time gets no titles (the strip
// shows the shortcut menus) until then, so a hung program costs one wait per activation.
class AccessibleMenuSource final : public IMenuSource {
  public:
    static constexpr const char* kModule = "AccessibleMenu";

    // Everything handed in must outlive the source.
    AccessibleMenuSource(IMenuSource& native, IAccessibleMenus& access, Trace& trace);
    AccessibleMenuSource(const AccessibleMenuSource&) = delete;
    AccessibleMenuSource& operator=(const AccessibleMenuSource&) = delete;

    std::string ShortWindowTitle(WindowHandle window) const override;
    void ReadMenuBar(MenuItemList& titles, WindowHandle window) override;
    void ReadTitleRows(MenuItem& title) override;

    // Runs a picked entry that was read through the accessibility interface.
    void Invoke(const MenuItem& item);
    // The window's menu bar changed: its titles are read again next time.
    void Forget(WindowHandle window);

  private:
    // Logs a request that did not end in an answer; true when it did.
    bool Answered(AccessOutcome outcome, WindowHandle window, const char* procedure);

    IMenuSource& m_native;
    IAccessibleMenus& m_access;
    Trace& m_trace;
    WindowHandle m_window = 0;  // whose titles are kept
    bool m_kept = false;
    MenuItemList m_titles;
};

}  // namespace tarvik
