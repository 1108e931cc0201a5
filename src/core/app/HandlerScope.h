#pragma once

#include <functional>

namespace tarvik {

// Marks a handler of ours on the user-interface thread's stack: a window procedure, a hook, an
// entry point of the bar. A message loop nested in one (a menu, a send to another program that
// waits) may dispatch a request to close the bar; the bar's objects are freed only once the
// outermost handler has returned, never under a frame that still uses them.
class HandlerScope {
  public:
    HandlerScope() noexcept;
    // The outermost scope runs what was put off, in order.
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

    // Runs the action now when no handler is on this thread's stack, otherwise as soon as the
    // outermost one returns. A failing action is dropped.
    static void RunWhenIdle(std::function<void()> action);
    static bool Busy();
};

}  // namespace tarvik
