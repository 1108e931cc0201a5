#include "core/menus/NativeMenu.h"

#include "core/app/Rounding.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "core/app/Error.h"
#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/menus/MenuCaption.h"
#include "core/text/Utf16.h"
#include "core/theme/ThemeLayout.h"

namespace tarvik {

namespace {

constexpr uint32_t kGrayed = 0x1;       // MF_GRAYED
constexpr uint32_t kDisabled = 0x2;     // MF_DISABLED
constexpr uint32_t kSeparator = 0x800;  // MF_SEPARATOR
// GetMenuItemID's answer for an entry that opens a submenu.
constexpr int32_t kPopupCommandId = -1;

std::string UpperHex(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(value));
    return buffer;
}

// A window or menu handle as the trace log and the reported-windows set write it.
std::string Decimal(std::uintptr_t handle) {
    return std::to_string(handle);
}

}  // namespace

NativeMenu::NativeMenu(const IMenuReader& reader, ICommandPoster& poster, IMessageBox& messageBox,
                       Trace& trace, const ThemeLayout& layout)
    : m_reader(reader),
      m_poster(poster),
      m_messageBox(messageBox),
      m_trace(trace),
      m_layout(layout) {}

std::string NativeMenu::ShortWindowTitle(WindowHandle window) const {
    const std::string title = m_reader.WindowTitle(window);
    if (Utf16Length(title) <= kShortTitleUnits) return title;
    // Cut between characters: a character made of two units that would straddle the cut goes.
    return std::string(Utf16Prefix(title, kShortTitleUnits)) + "...";
}

void NativeMenu::ReadMenuBar(MenuItemList& titles, WindowHandle window) {
    if (const MenuHandle menuBar = m_reader.MenuBar(window)) {
        PopulateMenuFromHandle(titles, menuBar, window);
    }
}

void NativeMenu::PopulateMenuFromHandle(MenuItemList& items, MenuHandle menu, WindowHandle window) {
    ReadLimits limits{kMaxMenuEntries, false};
    ReadMenu(items, menu, window, 1, limits);
}

void NativeMenu::ReadMenu(MenuItemList& items, MenuHandle menu, WindowHandle window, int32_t depth,
                          ReadLimits& limits) {
    const int32_t count = m_reader.ItemCount(menu);
    if (count <= 0) return;
    if (depth > kMaxMenuDepth || count > limits.entriesLeft) {
        // Said once per read: a menu hung under itself would otherwise fill the log.
        if (!limits.reported) {
            limits.reported = true;
            m_trace.LogErrorOnce(
                0, kModule, "PopulateMenuFromHandle",
                "menu " + Decimal(menu) + " nests too deeply or has too many items - not read");
        }
        return;
    }
    limits.entriesLeft -= count;

    for (int32_t position = 0; position < count; ++position) {
        auto item = std::make_shared<MenuItem>();
        const MenuHandle subMenu = m_reader.SubMenu(menu, position);
        const uint32_t state = m_reader.State(menu, position);
        CaptionParts caption = SplitMenuCaption(m_reader.Text(menu, position));
        item->text = std::move(caption.text);
        item->AccessKey = std::move(caption.accessKey);
        item->AcceleratorText = std::move(caption.accelerator);
        item->IsSeparator = subMenu == 0 && (state & kSeparator) != 0;
        item->IsEnabled = (state & (kGrayed | kDisabled)) == 0;
        item->CommandId = m_reader.ItemId(menu, position);
        item->hWnd = window;

        if (!item->text.empty() || subMenu != 0 || item->IsSeparator) {
            items.push_back(item);
            if (subMenu != 0) ReadMenu(item->Children, subMenu, window, depth + 1, limits);
        } else {
            // Owner-drawn and bitmap-only entries have no text to show.
            m_trace.LogErrorOnce(0, kModule, "PopulateMenuFromHandle",
                                 "menu item " + std::to_string(position) + " of " + Decimal(menu) +
                                     " has no text and is not a separator (state &H" +
                                     UpperHex(state) + ") - skipped");
        }
    }
}

void NativeMenu::HandleMenuItem(const MenuItem& item, IDropDownMenu& menu, int32_t index,
                                bool& closeAll) {
    if (!item.Children.empty()) {
        OpenSubMenu(item, menu, index);
        closeAll = false;
        return;
    }
    RunCommand(item);
    closeAll = true;
}

void NativeMenu::RunCommand(const MenuItem& item) {
    if (item.IsSeparator || !item.IsEnabled || !item.Children.empty()) return;
    if (item.OwnerWidget == nullptr && !item.AccessiblePath.empty()) {
        if (m_accessibleCommand) m_accessibleCommand(item);
    } else if (item.OwnerWidget == nullptr) {
        PostItemCommand(item);
    } else if (m_widgetCommand) {
        m_widgetCommand(*item.OwnerWidget, item);
    }
}

void NativeMenu::PostItemCommand(const MenuItem& item) {
    // An entry that opens an empty submenu has no command of its own: picking it is like
    // picking any other submenu entry whose submenu has nothing to show.
    if (item.CommandId == kPopupCommandId) return;

    const PostResult result = m_poster.PostCommand(item.hWnd, item.CommandId);
    if (result.posted) return;
    m_trace.LogErrorOnce(result.errorCode, kModule, "HandleMenuItem",
                         "could not post command " + std::to_string(item.CommandId) + " (" +
                             item.text + ") to window " + Decimal(item.hWnd) +
                             " - if the code is 5 the target is running elevated and Tarvik is "
                             "not, which UIPI does not allow and nothing here can work around");
    if (result.errorCode == kAccessDenied) QueuePendingCommandFailure(item.hWnd, item.text);
}

void NativeMenu::HoverMenuItem(const MenuItem& item, IDropDownMenu& menu, int32_t index,
                               bool& flag) {
    if (!item.Children.empty()) {
        OpenSubMenu(item, menu, index);
        flag = false;
    } else if (menu.ChildMenu() != nullptr) {
        menu.CloseChildMenu();
    }
}

void NativeMenu::OpenSubMenu(const MenuItem& item, IDropDownMenu& parentMenu, int32_t index) {
    // The cascade opens against the parent's right edge, its first row level with row index.
    const ListPlacement parent = parentMenu.Position();
    const ScreenPoint at{
        static_cast<double>(parent.left) + parentMenu.ClientWidth(),
        static_cast<double>(parent.top) + parentMenu.RowTop(index) - m_layout.RowText.Y};
    // The parent knows its cascade before the cascade shows and takes activation, so losing
    // activation to it does not close the parent.
    IDropDownMenu& child = parentMenu.OpenChildMenu();
    child.ShowList(item.Children, at);
}

void NativeMenu::QueuePendingCommandFailure(WindowHandle window, std::string caption) {
    if (m_reportedWindows.contains(Decimal(window))) return;
    m_pendingWindow = window;
    m_pendingCaption = std::move(caption);
}

void NativeMenu::ShowPendingCommandFailure() {
    if (m_pendingWindow == 0) return;
    // Cleared first: a failure to show the notice is not retried on every tick.
    const WindowHandle window = std::exchange(m_pendingWindow, 0);
    const std::string caption = std::exchange(m_pendingCaption, {});
    RunLogged(m_trace, kModule, "ShowPendingCommandFailure", true, [&] {
        m_reportedWindows.insert(Decimal(window));
        std::string name = ShortWindowTitle(window);
        if (name.empty()) name = "that application";
        m_messageBox.Show("Tarvik", FailureMessage(caption, name), kFailureBoxFlags);
    });
}

std::string NativeMenu::FailureMessage(const std::string& caption, const std::string& name) {
    constexpr const char* kBreak = "\r\n\r\n";
    return "Windows would not let Tarvik run \"" + caption + "\" in " + name + "." + kBreak +
           "That program is running as an administrator and Tarvik is not, and Windows does not "
           "allow a program to send commands to one running with higher privileges. Tarvik can "
           "read its menus but cannot operate them." +
           kBreak +
           "Either use that program's own menu bar, or start Tarvik as an administrator - "
           "right-click Tarvik.exe and choose \"Run as administrator\"." +
           kBreak +
           "Tarvik does not ask for administrator rights of its own accord, so this affects only "
           "programs that are themselves elevated.";
}

}  // namespace tarvik
