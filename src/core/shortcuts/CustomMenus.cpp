#include "core/shortcuts/CustomMenus.h"

#include <utility>

#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/platform/SettingsStore.h"
#include "core/shortcuts/KeyChord.h"
#include "core/shortcuts/MenuEditorWidget.h"
#include "core/shortcuts/ShortcutPorts.h"
#include "core/text/StringHelpers.h"

namespace tarvik {

std::string ExecutableKeyFromPath(std::string_view path) {
    const size_t slash = path.rfind('\\');
    return ToLowerAscii(slash == path.npos ? path : path.substr(slash + 1));
}

CustomMenus::CustomMenus(const CustomMenusServices& services)
    : m_settings(services.settings),
      m_trace(services.trace),
      m_windows(services.windows),
      m_keys(services.keys),
      m_titles(services.titles) {}

std::string CustomMenus::ExecutableKeyOf(WindowHandle window) const {
    try {
        return ExecutableKeyFromPath(m_windows.ProcessImagePath(window));
    } catch (...) {
        return {};
    }
}

std::shared_ptr<MenuItem> CustomMenus::NewShortcutItem(std::string caption, std::string chord,
                                                       WindowHandle window) const {
    auto item = std::make_shared<MenuItem>();
    item->text = std::move(caption);
    item->ShortcutKeys = std::move(chord);
    item->hWnd = window;
    item->OwnerWidget = m_editor;
    return item;
}

std::shared_ptr<MenuItem> CustomMenus::NewCustomTitle(std::string text, WindowHandle window) const {
    auto title = std::make_shared<MenuItem>();
    title->text = std::move(text);
    title->hWnd = window;
    title->OwnerWidget = m_editor;
    return title;
}

std::string CustomMenus::ReadValue(std::string_view key) {
    return m_settings.Read(kSection, key, "");
}

void CustomMenus::ReportSkipped(std::string_view procedure, std::string_view key, int32_t skipped) {
    if (skipped == 0) return;
    m_trace.LogErrorOnce(0, kSource, procedure,
                         "the stored menus of '" + std::string(key) + "' have " +
                             std::to_string(skipped) +
                             " parts that do not follow the format - they are skipped");
}

void CustomMenus::AppendMenusFor(MenuItemList& titles, WindowHandle window) {
    RunLogged(m_trace, kSource, "AppendMenusFor", true, [&] {
        if (m_editor == nullptr) return;
        const std::string key = ExecutableKeyOf(window);
        if (key.empty()) return;
        const StoredMenus::Parsed parsed = StoredMenus::Parse(ReadValue(key));
        ReportSkipped("AppendMenusFor", key, parsed.skipped);

        const size_t before = titles.size();
        for (size_t first = 0; first < parsed.rows.size();) {
            // The rows of one menu follow each other.
            const std::string& menuTitle = parsed.rows[first].menu;
            auto menu = NewCustomTitle(menuTitle, window);
            size_t next = first;
            for (; next < parsed.rows.size() && parsed.rows[next].menu == menuTitle; ++next) {
                const ShortcutRow& row = parsed.rows[next];
                if (row.caption.empty() || row.chord.empty()) continue;
                menu->Children.push_back(NewShortcutItem(row.caption, row.chord, window));
            }
            first = next;
            if (menu->Children.empty()) continue;
            auto separator = NewShortcutItem("", "", window);
            separator->IsSeparator = true;
            menu->Children.push_back(std::move(separator));
            menu->Children.push_back(NewShortcutItem(kEditCaption, "", window));
            titles.push_back(std::move(menu));
        }
        // Nothing to show: the default menu keeps the editor within reach.
        if (titles.size() == before) {
            auto menu = NewCustomTitle(kDefaultTitle, window);
            menu->Children.push_back(NewShortcutItem(kCreateCaption, "", window));
            titles.push_back(std::move(menu));
        }
    });
}

std::vector<ShortcutRow> CustomMenus::LoadRows(std::string_view key) {
    std::vector<ShortcutRow> rows;
    RunLogged(m_trace, kSource, "LoadRows", true, [&] {
        StoredMenus::Parsed parsed = StoredMenus::Parse(ReadValue(key));
        ReportSkipped("LoadRows", key, parsed.skipped);
        rows = std::move(parsed.rows);
    });
    return rows;
}

bool CustomMenus::SaveRows(std::string_view key, const std::vector<ShortcutRow>& rows) {
    if (key.empty()) return false;
    bool stored = false;
    RunLogged(m_trace, kSource, "SaveRows", true, [&] {
        if (rows.empty()) {
            m_settings.DeleteKey(kSection, key);
            stored = true;
        } else {
            stored = m_settings.Write(kSection, key, StoredMenus::Format(rows));
        }
    });
    if (stored && Saved) Saved();
    return stored;
}

void CustomMenus::RequestEditor(WindowHandle window) {
    RunLogged(m_trace, kSource, "RequestEditor", true, [&] {
        std::string key = ExecutableKeyOf(window);
        if (key.empty()) return;
        m_request = EditorRequest{std::move(key), m_titles.ShortWindowTitle(window), window,
                                  m_windows.CursorX()};
    });
}

std::optional<EditorRequest> CustomMenus::TakeEditorRequest() {
    if (!HasEditorRequest()) return std::nullopt;
    return std::exchange(m_request, EditorRequest{});
}

void CustomMenus::QueuePendingShortcut(WindowHandle window, std::string chord) {
    m_pendingWindow = window;
    m_pendingChord = std::move(chord);
}

void CustomMenus::DispatchPendingShortcut() {
    if (m_pendingWindow == 0) return;
    const WindowHandle window = std::exchange(m_pendingWindow, 0);
    const std::string chord = std::exchange(m_pendingChord, {});
    RunLogged(m_trace, kSource, "DispatchPendingShortcut", true, [&] {
        if (!m_windows.IsWindow(window)) return;
        if (!m_windows.BringToForeground(window)) {
            m_trace.LogErrorOnce(
                0, kSource, "DispatchPendingShortcut",
                "window " + std::to_string(window) + " would not come to the foreground for '" +
                    chord +
                    "' - if it is running elevated, Windows drops synthetic input from an "
                    "unelevated process (UIPI), the same wall menu commands hit");
            return;
        }
        KeyChord::SendChord(chord, m_keys, m_trace);
    });
}

}  // namespace tarvik
