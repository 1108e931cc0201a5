#include "core/menus/AccessibleMenuRefresh.h"

#include <utility>

#include "core/menus/AccessibleMenuSource.h"

namespace tarvik {

AccessibleMenuRefresh::AccessibleMenuRefresh(AccessibleMenuSource& source,
                                             std::function<void()> reread,
                                             std::function<bool()> menusOpen)
    : m_source(source), m_reread(std::move(reread)), m_menusOpen(std::move(menusOpen)) {}

void AccessibleMenuRefresh::Shows(WindowHandle window) {
    if (window == m_window) return;
    m_window = window;
    m_changed = false;
}

void AccessibleMenuRefresh::Activated(WindowHandle window, bool fromOwnWindow) {
    if (fromOwnWindow || window == 0) return;
    // The source keeps the titles of one window only: forgetting another one's does nothing, and
    // a window the strip did not show is read anyway when the strip moves to it.
    m_source.Forget(window);
    if (window == m_window) m_changed = false;
}

int64_t AccessibleMenuRefresh::Changed(WindowHandle window, int64_t now) {
    if (window == 0 || window != m_window) return kNoWait;
    m_changed = true;
    return Next(now);
}

int64_t AccessibleMenuRefresh::Due(int64_t now) {
    m_waiting = false;
    return Next(now);
}

int64_t AccessibleMenuRefresh::Next(int64_t now) {
    if (!m_changed || m_waiting || m_menusOpen()) return kNoWait;
    if (m_readOnce && now - m_lastRead < kQuietTime) {
        m_waiting = true;
        return m_lastRead + kQuietTime - now;
    }
    m_changed = false;
    m_readOnce = true;
    m_lastRead = now;
    m_source.Forget(m_window);
    m_reread();
    return kNoWait;
}

}  // namespace tarvik
