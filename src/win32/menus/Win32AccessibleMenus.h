#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/menus/AccessibleMenuSource.h"

namespace tarvik {

// Menu bars of other programs through IAccessible. Every request runs on a worker thread with a
// COM apartment of its own and is waited for at most kTimeLimit: a program that does not answer
// (a hung one, or one whose answer Windows holds up) ties up that worker only. It is left to
// finish on its own and the next request starts a new one. Until the request left behind returns,
// no window of that program's thread is asked again (the answer is NoAnswer at once): a hung
// program holds one worker and makes the bar wait once, however often it comes to the front. A
// program at a higher integrity level than this one is not asked at all.
class Win32AccessibleMenus final : public IAccessibleMenus {
  public:
    static constexpr DWORD kTimeLimit = 500;  // milliseconds per request
    // Windows whose objects are held between reads (see MsaaElement).
    static constexpr size_t kKeptWindows = 4;

    Win32AccessibleMenus();
    ~Win32AccessibleMenus() override;
    Win32AccessibleMenus(const Win32AccessibleMenus&) = delete;
    Win32AccessibleMenus& operator=(const Win32AccessibleMenus&) = delete;

    AccessAnswer ReadTitles(WindowHandle window) override;
    AccessAnswer ReadRows(WindowHandle window, const AccessPath& title) override;
    AccessOutcome Invoke(WindowHandle window, const AccessPath& entry,
                         const std::string& text) override;

    // True when the window's process runs at a higher integrity level than this one; false
    // when it cannot be told.
    static bool RunsHigher(HWND window);

  private:
    struct Worker;
    struct LeftBehind;
    // Runs request on the worker with the window's menu bar element; the outcome is NoAnswer
    // when the time ran out.
    AccessAnswer Ask(WindowHandle window,
                     std::function<AccessAnswer(IAccessibleElement& bar)> request);

    std::shared_ptr<Worker> m_worker;
    std::shared_ptr<LeftBehind> m_leftBehind;
};

}  // namespace tarvik
