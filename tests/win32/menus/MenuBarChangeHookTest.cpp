// Accessibility events of a program's window heard as changes of its menu bar, or not. The
// program is this test process (Wine 8 delivers no WinEvents across processes).
#include <gtest/gtest.h>
#include <windows.h>

#include "win32/menus/MenuBarChangeHook.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

enum class Source { Program, ItsChild, ItsPopup };

struct Event {
    const char* name;
    DWORD event;
    Source source;
    LONG object;
    LONG child;
    bool heard;
};

TEST(MenuBarChangeHook, PostsTheChangesOfTheWatchedWindowsObjectsOnly) {
    const Event events[] = {
        {"titles reordered", EVENT_OBJECT_REORDER, Source::Program, OBJID_CLIENT, CHILDID_SELF,
         true},
        {"a title created", EVENT_OBJECT_CREATE, Source::Program, OBJID_CLIENT, 3, true},
        {"a title gone", EVENT_OBJECT_DESTROY, Source::Program, OBJID_CLIENT, 3, true},
        {"a title hidden", EVENT_OBJECT_HIDE, Source::Program, OBJID_CLIENT, 2, true},
        {"a title renamed", EVENT_OBJECT_NAMECHANGE, Source::Program, OBJID_CLIENT, 2, true},
        {"a child window shown", EVENT_OBJECT_SHOW, Source::ItsChild, OBJID_WINDOW, CHILDID_SELF,
         true},
        {"the window's caption", EVENT_OBJECT_NAMECHANGE, Source::Program, OBJID_WINDOW,
         CHILDID_SELF, false},
        {"a drop-down window shown", EVENT_OBJECT_SHOW, Source::ItsPopup, OBJID_WINDOW,
         CHILDID_SELF, false},
        {"the caret", EVENT_OBJECT_SHOW, Source::Program, OBJID_CARET, CHILDID_SELF, false},
        {"a title moved", EVENT_OBJECT_LOCATIONCHANGE, Source::Program, OBJID_CLIENT, 2, false},
        {"a title's state", EVENT_OBJECT_STATECHANGE, Source::Program, OBJID_CLIENT, 2, false},
    };
    TestWindow bar(0, 0, 50, 20);
    TestWindow program(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0);
    TestWindow popup(120, 140, 100, 100);
    const HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                       program.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    MenuBarChangeHook hook;
    hook.Watch(bar.Handle(), program.Handle());
    PumpMessages(100ms);
    for (const Event& event : events) {
        bar.seen.clear();
        hook.Heard();
        const HWND from = event.source == Source::Program    ? program.Handle()
                          : event.source == Source::ItsChild ? child
                                                             : popup.Handle();
        NotifyWinEvent(event.event, from, event.object, event.child);
        const bool heard =
            PumpUntil([&] { return bar.seen[MenuBarChangeHook::kChangedMessage] > 0; },
                      event.heard ? 2000ms : 200ms);
        EXPECT_EQ(heard, event.heard) << event.name;
    }
    // Until the bar has taken a post, more changes post nothing more.
    bar.seen.clear();
    for (int i = 0; i < 5; ++i) {
        NotifyWinEvent(EVENT_OBJECT_REORDER, program.Handle(), OBJID_CLIENT, CHILDID_SELF);
    }
    PumpMessages(200ms);
    EXPECT_EQ(bar.seen[MenuBarChangeHook::kChangedMessage], 1);
    // Watching nothing, nothing is heard.
    hook.Watch(bar.Handle(), nullptr);
    bar.seen.clear();
    NotifyWinEvent(EVENT_OBJECT_REORDER, program.Handle(), OBJID_CLIENT, CHILDID_SELF);
    PumpMessages(200ms);
    EXPECT_EQ(bar.seen[MenuBarChangeHook::kChangedMessage], 0);
}

}  // namespace
}  // namespace tarvik::test
