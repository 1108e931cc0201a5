#include "core/shortcuts/MenuEditorHandoff.h"

#include <utility>

#include "core/shortcuts/CustomMenus.h"
#include "core/shortcuts/MenuEditorWidget.h"
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik {

MenuEditorHandoff::MenuEditorHandoff(CustomMenus& menus, WidgetHost& host,
                                     std::function<void()> trackForeground)
    : m_menus(menus), m_host(host), m_trackForeground(std::move(trackForeground)) {}

bool MenuEditorHandoff::EditorBusy() const {
    return m_menus.HasEditorRequest() || m_host.IsCanvasOpenFor(MenuEditorWidget::kName);
}

void MenuEditorHandoff::Tick() {
    m_menus.DispatchPendingShortcut();
    OpenPendingMenuEditor();
    CheckMenuEditor();
}

void MenuEditorHandoff::OpenPendingMenuEditor() {
    MenuEditorWidget* editor = m_menus.Editor();
    if (editor == nullptr) return;
    const std::optional<EditorRequest> request = m_menus.TakeEditorRequest();
    if (!request) return;
    editor->SummonFor(request->key, request->title, request->window);
    m_host.SummonCanvas(MenuEditorWidget::kName, request->cursorX);
}

void MenuEditorHandoff::CheckMenuEditor() {
    const bool busy = EditorBusy();
    if (m_menuEditorBusy && !busy && m_trackForeground) m_trackForeground();
    m_menuEditorBusy = busy;
}

}  // namespace tarvik
