#pragma once

#include <functional>

namespace tarvik {

class CustomMenus;
class WidgetHost;

// The bar's side of the menu editor: on each housekeeping tick it replays a picked shortcut,
// opens the editor when one was asked for, and, once the editor is done, lets the strip catch up
// with whatever program came to the front meanwhile. While the editor is busy the strip does not
// follow the foreground: the editor's own window and the program being edited would take turns.
class MenuEditorHandoff {
  public:
    // trackForeground shows the menus of the window now in front.
    MenuEditorHandoff(CustomMenus& menus, WidgetHost& host, std::function<void()> trackForeground);

    // A request is waiting or the editor's canvas is open.
    bool EditorBusy() const;
    // The tick's deferred work, in order: the pending shortcut, the pending editor, the check.
    void Tick();
    void OpenPendingMenuEditor();
    void CheckMenuEditor();

  private:
    CustomMenus& m_menus;
    WidgetHost& m_host;
    std::function<void()> m_trackForeground;
    bool m_menuEditorBusy = false;
};

}  // namespace tarvik
