#pragma once

#include <cstdint>
#include <functional>

#include "core/platform/WindowHandle.h"

namespace tarvik {

class AccessibleMenuSource;

// Decides when the strip reads again the titles of a menu bar that a program shows through its
// accessibility interface. The titles are kept (see AccessibleMenuSource) until the program
// reports that its menu bar changed, or until its window comes to the front again.
//
// A change is read at once when the last read is kQuietTime or longer ago, and otherwise once
// that time is up: a program that reports hundreds of changes a second (a browser building a
// page) costs at most one read a second. Nothing is read while one of the strip's menus is open
// (its rows belong to the titles on show); a change heard meanwhile is read when it closes.
class AccessibleMenuRefresh {
  public:
    // Milliseconds between two reads of the same window's titles after a change.
    static constexpr int64_t kQuietTime = 1000;
    // What the caller arranges after a call: nothing, or a call of Due after that many
    // milliseconds.
    static constexpr int64_t kNoWait = -1;

    // reread shows the strip's window's menus again (the titles are forgotten first); menusOpen
    // tells whether one of the strip's menus is open. Both must outlive this.
    AccessibleMenuRefresh(AccessibleMenuSource& source, std::function<void()> reread,
                          std::function<bool()> menusOpen);

    // The strip now shows window; a change heard for the one before is dropped.
    void Shows(WindowHandle window);
    // window came to the front. When it is the one the strip shows and the front was not one of
    // the bar's own windows just before (a menu of the bar giving the activation back is no new
    // activation), its titles are read afresh, as a program that did not answer is asked again.
    void Activated(WindowHandle window, bool fromOwnWindow);
    // window reported that its menu bar changed, at now (milliseconds, any steady clock).
    int64_t Changed(WindowHandle window, int64_t now);
    // The wait asked for by an earlier call is over, or one of the strip's menus closed.
    int64_t Due(int64_t now);

  private:
    // Reads now when a change waits and may be read; the wait otherwise.
    int64_t Next(int64_t now);

    AccessibleMenuSource& m_source;
    std::function<void()> m_reread;
    std::function<bool()> m_menusOpen;
    WindowHandle m_window = 0;
    bool m_changed = false;  // a change waits to be read
    bool m_waiting = false;  // the caller was asked to call Due
    bool m_readOnce = false;
    int64_t m_lastRead = 0;
};

}  // namespace tarvik
