#pragma once

#include <windows.h>

#include <cstdint>

#include "core/app/Trace.h"
#include "core/menus/DropDownPlacement.h"
#include "core/menus/MenuPorts.h"
#include "core/platform/SettingsStore.h"
#include "core/platform/WindowHandle.h"
#include "core/search/MenuSearch.h"
#include "core/search/RecentCommands.h"
#include "core/search/SearchPanelView.h"
#include "core/shortcuts/ShortcutPorts.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"
#include "win32/bar/PopupSurface.h"
#include "win32/bar/WindowComposition.h"
#include "win32/platform/BaseWindow.h"
#include "win32/platform/LayeredWindow.h"

namespace tarvik {

// Everything the search panel uses; all of it must outlive the panel.
struct SearchPanelServices {
    const Theme& theme;
    Brushes& brushes;
    Trace& trace;
    LayeredWindow& surfaces;
    const WindowComposition& composition;
    IMenuSource& menus;               // reads the program's menu bar
    ICustomMenuSource* customMenus;   // the user's menus for a program without one; may be null
    IMenuCommands& commands;          // runs a command as a pick in a drop-down does
    const IShortcutWindows& windows;  // names the program of a window
    ISettingsStore& settings;         // keeps the recent commands
};

// The menu search: a borderless, topmost tool window under the middle of the bar, painted as a
// per-pixel-alpha layered window with the glass background like the drop-downs. It lists the
// commands of the menus of the program in front that match what the user types. Up and Down
// choose, Enter runs the chosen command as picking it from a drop-down would and remembers it,
// Escape closes; so does switching to another window. When it closes by the keyboard, the
// keyboard goes back to the program it was opened for.
//
// The window is made on the first opening and goes with the object.
class SearchPanel final : private BaseWindow {
  public:
    static constexpr const wchar_t* kClassName = L"Tarvik_SearchPanel";
    static constexpr const char* kSource = "SearchPanel";

    explicit SearchPanel(const SearchPanelServices& services);
    ~SearchPanel() override;
    SearchPanel(const SearchPanel&) = delete;
    SearchPanel& operator=(const SearchPanel&) = delete;

    // The bar the panel opens under; without one it opens at the top of the screen.
    void SetBar(HWND bar) { m_bar = bar; }
    // Opens the search over the menus of the window's program and takes the keyboard. Opening
    // it again for another window starts a new search.
    void OpenFor(WindowHandle foreground);
    // Hides the panel and gives the keyboard back to the program it was opened for.
    void Close();
    bool IsVisible() const;

    // Null until the panel first opened.
    HWND Handle() const { return BaseWindow::Handle(); }
    const MenuSearch& Search() const { return m_search; }

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

    void Load();
    void Repaint();
    void Place();
    void Hide();
    void RunChosen();
    void OnKeyDown(WPARAM key);

    SearchPanelServices m_services;
    RecentCommands m_recent;
    MenuSearch m_search;
    SearchPanelView m_view;
    PopupSurface m_surface;
    ListSize m_size;
    HWND m_bar = nullptr;
    WindowHandle m_foreground = 0;
};

}  // namespace tarvik
