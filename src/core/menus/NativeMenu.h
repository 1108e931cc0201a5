#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>

#include "core/menus/IDropDownMenu.h"
#include "core/menus/MenuItem.h"
#include "core/menus/MenuPorts.h"
#include "core/menus/MenuRowActions.h"
#include "core/platform/WindowHandle.h"

namespace tarvik {

class IWidget;
class Trace;
struct ThemeLayout;

// The bridge between the bar and another program's own menu bar: reads a window's menu into
// MenuItem records, acts on the row the user picked (cascade, posted WM_COMMAND, or the widget
// that built the row), and tells the user once per window when Windows refused a command
// because the target runs elevated. That notice waits for the bar's next timer tick: it is never
// shown from inside the menu's own mouse handling.
//
// The strip reads its titles here (IMenuSource) and the drop-downs hand it their rows
// (IMenuRowActions). One per process, built by the program. Everything it is handed must
// outlive it.
class NativeMenu final : public IMenuSource, public IMenuRowActions, public IMenuCommands {
  public:
    // Runs the command of a row that a widget built (the widget host plugs its dispatch in).
    using WidgetCommand = std::function<void(IWidget& widget, const MenuItem& item)>;

    static constexpr const char* kModule = "NativeMenu";
    static constexpr int32_t kWmCommand = 273;
    static constexpr int32_t kAccessDenied = 5;
    static constexpr uint32_t kFailureBoxFlags = 0x1030;  // MB_ICONEXCLAMATION | MB_SYSTEMMODAL
    static constexpr size_t kShortTitleUnits = 30;
    // Windows itself refuses to nest menus deeper than this.
    static constexpr int32_t kMaxMenuDepth = 30;
    // No real menu comes near this; a menu that does (the same submenu hung under itself many
    // times over) is cut off rather than read without end.
    static constexpr int32_t kMaxMenuEntries = 20000;

    NativeMenu(const IMenuReader& reader, ICommandPoster& poster, IMessageBox& messageBox,
               Trace& trace, const ThemeLayout& layout);
    NativeMenu(const NativeMenu&) = delete;
    NativeMenu& operator=(const NativeMenu&) = delete;

    // Runs a row read through a program's accessibility interface.
    using AccessibleCommand = std::function<void(const MenuItem& item)>;

    // Until one is set, picking a row that a widget built does nothing.
    void SetWidgetCommand(WidgetCommand command) { m_widgetCommand = std::move(command); }
    // Until one is set, picking a row read through the accessibility interface does nothing.
    void SetAccessibleCommand(AccessibleCommand command) {
        m_accessibleCommand = std::move(command);
    }

    // The window's title for display: its first 30 UTF-16 units and "..." when longer.
    std::string ShortWindowTitle(WindowHandle window) const override;
    // The titles of the window's own menu bar, with their rows as children.
    void ReadMenuBar(MenuItemList& titles, WindowHandle window) override;

    // Appends one item per usable entry of menu to items, with their submenus as children;
    // window owns the menu and receives its commands.
    void PopulateMenuFromHandle(MenuItemList& items, MenuHandle menu, WindowHandle window);

    // The user released the mouse on row index (1-based) of menu. closeAll is false when a
    // cascade was opened, true otherwise.
    void HandleMenuItem(const MenuItem& item, IDropDownMenu& menu, int32_t index, bool& closeAll);
    void HandleMenuItem(const MenuItem& item, IDropDownMenu& menu, int32_t index) override {
        bool closeAll = true;
        HandleMenuItem(item, menu, index, closeAll);
    }
    // The pointer moved onto row index of menu: opens its cascade (flag = false) or closes the
    // cascade that is open (flag unchanged).
    void HoverMenuItem(const MenuItem& item, IDropDownMenu& menu, int32_t index, bool& flag);
    void HoverMenuItem(const MenuItem& item, IDropDownMenu& menu, int32_t index) override {
        bool flag = true;
        HoverMenuItem(item, menu, index, flag);
    }
    // Runs the command of an entry without a submenu: posts it to its window, or hands it to
    // the widget that built it. A separator or a disabled entry runs nothing.
    void RunCommand(const MenuItem& item) override;
    // Opens a cascade with the item's children beside row index of parentMenu.
    void OpenSubMenu(const MenuItem& item, IDropDownMenu& parentMenu, int32_t index);

    // Remembers a refused command for the next tick; a newer one replaces one not yet shown.
    void QueuePendingCommandFailure(WindowHandle window, std::string caption);
    // Shows the notice for the remembered failure, if any. Called on every 400 ms tick.
    void ShowPendingCommandFailure();

    WindowHandle PendingFailureWindow() const { return m_pendingWindow; }
    const std::string& PendingFailureCaption() const { return m_pendingCaption; }

    // The text of the notice for a refused command.
    static std::string FailureMessage(const std::string& caption, const std::string& name);

  private:
    // What one read may still take, and whether it has already said that it stopped short.
    struct ReadLimits {
        int32_t entriesLeft;
        bool reported;
    };

    void ReadMenu(MenuItemList& items, MenuHandle menu, WindowHandle window, int32_t depth,
                  ReadLimits& limits);
    void PostItemCommand(const MenuItem& item);

    const IMenuReader& m_reader;
    ICommandPoster& m_poster;
    IMessageBox& m_messageBox;
    Trace& m_trace;
    const ThemeLayout& m_layout;
    WidgetCommand m_widgetCommand;
    AccessibleCommand m_accessibleCommand;

    WindowHandle m_pendingWindow = 0;
    std::string m_pendingCaption;
    // Decimal text of every window already told about; only grows during a run.
    std::unordered_set<std::string> m_reportedWindows;
};

}  // namespace tarvik
