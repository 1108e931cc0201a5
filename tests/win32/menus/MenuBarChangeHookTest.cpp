// Accessibility events of a program's window heard as changes of its menu bar, or not. The
// program is this test process (Wine 8 delivers no WinEvents across processes).
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "win32/menus/MenuBarChangeHook.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

TEST(MenuBarChangeHook, PostsTheChangesOfTheWatchedWindowsObjectsOnly) {
    TestWindow bar(0, 0, 50, 20, WS_POPUP);
    TestWindow program(100, 100, 300, 200, WS_OVERLAPPEDWINDOW, 0);
    TestWindow popup(120, 140, 100, 100, WS_POPUP);
    const HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 50, 20, program.Handle(),
                                       nullptr, nullptr, nullptr);
    // What happened, the event, the window and the object it names, and whether it is heard.
    const std::tuple<const char*, DWORD, HWND, LONG, bool> events[] = {
        {"titles reordered", EVENT_OBJECT_REORDER, program.Handle(), OBJID_CLIENT, true},
        {"a title renamed", EVENT_OBJECT_NAMECHANGE, program.Handle(), OBJID_CLIENT, true},
        {"a child window shown", EVENT_OBJECT_SHOW, child, OBJID_WINDOW, true},
        {"the window's caption", EVENT_OBJECT_NAMECHANGE, program.Handle(), OBJID_WINDOW, false},
        {"a drop-down window shown", EVENT_OBJECT_SHOW, popup.Handle(), OBJID_WINDOW, false},
        {"the caret", EVENT_OBJECT_SHOW, program.Handle(), OBJID_CARET, false},
        {"a title's state", EVENT_OBJECT_STATECHANGE, program.Handle(), OBJID_CLIENT, false},
    };
    MenuBarChangeHook hook;
    hook.Watch(bar.Handle(), program.Handle());
    const auto posts = [&] { return bar.seen[MenuBarChangeHook::kChangedMessage]; };
    for (const auto& [name, event, from, object, heard] : events) {
        bar.seen.clear();
        hook.Heard();
        NotifyWinEvent(event, from, object, CHILDID_SELF);
        EXPECT_EQ(PumpUntil([&] { return posts() > 0; }, heard ? 2000ms : 200ms), heard) << name;
    }
    // Until the bar has taken a post, more changes post nothing more; watching nothing, nothing.
    bar.seen.clear();
    for (int i = 0; i < 5; ++i)
        NotifyWinEvent(EVENT_OBJECT_CREATE, program.Handle(), OBJID_CLIENT, 3);
    PumpMessages(200ms);
    EXPECT_EQ(posts(), 1);
    hook.Watch(bar.Handle(), nullptr);
    hook.Heard();
    bar.seen.clear();
    NotifyWinEvent(EVENT_OBJECT_REORDER, program.Handle(), OBJID_CLIENT, CHILDID_SELF);
    PumpMessages(200ms);
    EXPECT_EQ(posts(), 0);
}

}  // namespace
}  // namespace tarvik::test
