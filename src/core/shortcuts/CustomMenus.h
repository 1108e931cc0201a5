#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/menus/MenuItem.h"
#include "core/menus/MenuPorts.h"
#include "core/platform/WindowHandle.h"
#include "core/shortcuts/StoredMenus.h"

namespace tarvik {

class IKeySender;
class IShortcutWindows;
class ISettingsStore;
class MenuEditorWidget;
class Trace;

// What the custom menus work with; every reference must outlive them.
struct CustomMenusServices {
    ISettingsStore& settings;
    Trace& trace;
    IShortcutWindows& windows;
    IKeySender& keys;
    const IMenuSource& titles;  // a window's short title, for the editor's subtitle
};

// A request to open the menu editor for a program.
struct EditorRequest {
    std::string key;    // the program's executable key
    std::string title;  // its window's short title
    WindowHandle window = 0;
    int32_t cursorX = 0;  // where the pointer was, screen pixels
};

// The user's own menus for programs that have no menu bar: stored per program under the lower-case
// file name of its executable ("notepad.exe"), shown on the bar's strip, edited in the menu
// editor. Every entry belongs to the editor widget, which hears the picks; picking one only
// queues work (replay a chord, open the editor) for the bar's next timer tick, when the menu has
// closed and the program can take the foreground again. Each slot holds one item: a newer pick
// replaces one not yet carried out. One per process.
class CustomMenus final : public ICustomMenuSource {
  public:
    static constexpr const char* kSource = "CustomMenus";
    static constexpr const char* kSection = "CustomMenus";
    static constexpr const char* kDefaultTitle = "Shortcuts";
    static constexpr const char* kCreateCaption = "Create keyboard shortcut...";
    static constexpr const char* kEditCaption = "Edit menu...";

    explicit CustomMenus(const CustomMenusServices& services);
    CustomMenus(const CustomMenus&) = delete;
    CustomMenus& operator=(const CustomMenus&) = delete;

    // Raised after SaveRows stored or removed a program's menus: the bar reads its strip again.
    std::function<void()> Saved;

    // The key of the program that owns the window; empty when it cannot be found.
    std::string ExecutableKeyOf(WindowHandle window) const;
    // The window's program's menus (or the default "Shortcuts" menu when it has none stored),
    // appended to the strip's titles; nothing without an editor.
    void AppendMenusFor(MenuItemList& titles, WindowHandle window) override;
    // Every stored entry of the program, empty captions and chords included.
    std::vector<ShortcutRow> LoadRows(std::string_view key);
    // Stores the rows grouped by menu; no rows remove the program's value. False when the store
    // refused them (logged): nothing changed.
    bool SaveRows(std::string_view key, const std::vector<ShortcutRow>& rows);

    // The editor that owns the entries (null: no custom menus at all).
    void RegisterEditor(MenuEditorWidget* editor) { m_editor = editor; }
    MenuEditorWidget* Editor() const { return m_editor; }

    void RequestEditor(WindowHandle window);
    bool HasEditorRequest() const { return !m_request.key.empty(); }
    std::optional<EditorRequest> TakeEditorRequest();

    void QueuePendingShortcut(WindowHandle window, std::string chord);
    // Replays the queued chord into its window, once that window is in front.
    void DispatchPendingShortcut();
    WindowHandle PendingShortcutWindow() const { return m_pendingWindow; }

  private:
    std::shared_ptr<MenuItem> NewShortcutItem(std::string caption, std::string chord,
                                              WindowHandle window) const;
    std::shared_ptr<MenuItem> NewCustomTitle(std::string text, WindowHandle window) const;
    std::string ReadValue(std::string_view key);
    void ReportSkipped(std::string_view procedure, std::string_view key, int32_t skipped);

    ISettingsStore& m_settings;
    Trace& m_trace;
    IShortcutWindows& m_windows;
    IKeySender& m_keys;
    const IMenuSource& m_titles;

    MenuEditorWidget* m_editor = nullptr;
    EditorRequest m_request;
    WindowHandle m_pendingWindow = 0;
    std::string m_pendingChord;
};

// The key for an executable's full path: its file name in lower case.
std::string ExecutableKeyFromPath(std::string_view path);

}  // namespace tarvik
