#include "core/app/HandlerScope.h"

#include <utility>
#include <vector>

namespace tarvik {

namespace {

thread_local int t_depth = 0;
thread_local std::vector<std::function<void()>> t_waiting;

void RunWaiting() noexcept {
    // An action may put off another (it runs with no scope open, so that one runs at once).
    while (!t_waiting.empty()) {
        std::vector<std::function<void()>> actions = std::exchange(t_waiting, {});
        for (auto& action : actions) {
            try {
                action();
            } catch (...) {
            }
        }
    }
}

}  // namespace

HandlerScope::HandlerScope() noexcept {
    ++t_depth;
}

HandlerScope::~HandlerScope() {
    if (--t_depth == 0) RunWaiting();
}

void HandlerScope::RunWhenIdle(std::function<void()> action) {
    if (!action) return;
    t_waiting.push_back(std::move(action));
    if (t_depth == 0) RunWaiting();
}

bool HandlerScope::Busy() {
    return t_depth > 0;
}

}  // namespace tarvik
