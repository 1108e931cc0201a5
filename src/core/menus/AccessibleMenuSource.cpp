#include "core/menus/AccessibleMenuSource.h"

#include "core/app/Trace.h"

namespace tarvik {

AccessibleMenuSource::AccessibleMenuSource(IMenuSource& native, IAccessibleMenus& access,
                                           Trace& trace)
    : m_native(native), m_access(access), m_trace(trace) {}

std::string AccessibleMenuSource::ShortWindowTitle(WindowHandle window) const {
    return m_native.ShortWindowTitle(window);
}

void AccessibleMenuSource::ReadMenuBar(MenuItemList& titles, WindowHandle window) {
    const size_t before = titles.size();
    m_native.ReadMenuBar(titles, window);
    if (titles.size() != before) return;

    if (!m_kept || window != m_window) {
        m_window = window;
        m_kept = true;
        AccessAnswer answer = m_access.ReadTitles(window);
        m_titles = Answered(answer.outcome, window, "ReadMenuBar") ? std::move(answer.items)
                                                                   : MenuItemList{};
    }
    titles.insert(titles.end(), m_titles.begin(), m_titles.end());
}

void AccessibleMenuSource::ReadTitleRows(MenuItem& title) {
    if (title.AccessiblePath.empty() || title.hWnd == 0) return;
    AccessAnswer answer = m_access.ReadRows(title.hWnd, title.AccessiblePath);
    title.Children.clear();
    if (Answered(answer.outcome, title.hWnd, "ReadTitleRows")) {
        title.Children = std::move(answer.items);
    } else if (answer.outcome == AccessOutcome::NoAnswer) {
        // A program that stopped answering keeps no titles until it is activated again.
        m_window = title.hWnd;
        m_kept = true;
        m_titles.clear();
    }
}

void AccessibleMenuSource::Invoke(const MenuItem& item) {
    if (item.AccessiblePath.empty()) return;
    const AccessOutcome outcome = m_access.Invoke(item.hWnd, item.AccessiblePath, item.text);
    if (outcome == AccessOutcome::NoMenuBar) {
        m_trace.LogErrorOnce(0, kModule, "Invoke",
                             "'" + item.text + "' is no longer in the menu of window " +
                                 std::to_string(item.hWnd) + " - nothing was run");
        return;
    }
    Answered(outcome, item.hWnd, "Invoke");
}

void AccessibleMenuSource::Forget(WindowHandle window) {
    if (window != m_window) return;
    m_kept = false;
    m_titles.clear();
}

bool AccessibleMenuSource::Answered(AccessOutcome outcome, WindowHandle window,
                                    const char* procedure) {
    const std::string name = "window " + std::to_string(window);
    switch (outcome) {
        case AccessOutcome::Answered:
            return true;
        case AccessOutcome::NoMenuBar:
            return false;
        case AccessOutcome::NoAnswer:
            m_trace.LogErrorOnce(0, kModule, procedure,
                                 name +
                                     " did not answer its accessibility requests within 500 "
                                     "ms - its menus are not shown until it is activated again");
            return false;
        case AccessOutcome::Refused:
            m_trace.LogErrorOnce(0, kModule, procedure,
                                 name +
                                     " runs at a higher integrity level than Tarvik, which "
                                     "does not drive it - its menus are not shown");
            return false;
    }
    return false;
}

}  // namespace tarvik
