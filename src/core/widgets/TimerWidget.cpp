#include "core/widgets/TimerWidget.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "core/app/LogException.h"
#include "core/app/MonotonicClock.h"
#include "core/theme/Theme.h"
#include "core/widgets/SystemSound.h"

namespace tarvik {

namespace {

constexpr std::string_view kSource = "TimerWidget";
constexpr int32_t kDurations[] = {5, 15, 25, 45};

int64_t WholeSeconds(int64_t milliseconds) {
    return (std::max<int64_t>(milliseconds, 0) + 999) / 1000;
}

std::string Paused(int64_t milliseconds) {
    return "(" + FormatRemaining(WholeSeconds(milliseconds)) + ")";
}

void Add(MenuItemList& items, std::string text, int32_t command) {
    auto item = std::make_shared<MenuItem>();
    item->IsSeparator = text.empty();
    item->text = std::move(text);
    item->CommandId = command;
    items.push_back(std::move(item));
}

}  // namespace

std::string FormatRemaining(int64_t seconds) {
    seconds = std::max<int64_t>(seconds, 0);
    char text[32];
    if (seconds < 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(
            text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
            static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    }
    return text;
}

TimerWidget::TimerWidget(const Theme& theme, const IMonotonicClock& clock, ISystemSound& sound,
                         Trace& trace)
    : m_theme(theme), m_clock(clock), m_sound(sound), m_trace(trace) {}

const SkinButton* TimerWidget::ButtonIcon() const {
    return m_state == kIdle ? &m_theme.Skin("timer") : nullptr;
}

int64_t TimerWidget::SecondsLeft() const {
    return WholeSeconds(m_end - m_clock.Milliseconds());
}

void TimerWidget::Refresh() {
    RunLogged(m_trace, kSource, "Refresh", true, [&] { Tick(); });
}

void TimerWidget::Tick() {
    switch (m_state) {
        case kRunning:
            if (const int64_t left = SecondsLeft(); left > 0) {
                m_text = FormatRemaining(left);
                return;
            }
            m_state = kDone;
            m_text = "Done!";
            m_sound.Asterisk();
            return;
        case kPaused:
            m_text = Paused(m_remaining);
            return;
        case kDone:
            m_text = "Done!";
            return;
        case kIdle:
            m_text.clear();
            return;
    }
}

MenuItemList TimerWidget::BuildMenu() {
    MenuItemList items;
    const bool built = RunLogged(m_trace, kSource, "BuildMenu", true, [&] {
        if (m_state == kRunning) Add(items, "Pause", kPause);
        if (m_state == kPaused) Add(items, "Resume", kResume);
        if (m_state == kRunning || m_state == kPaused) Add(items, "Cancel", kCancel);
        if (m_state == kDone) Add(items, "Dismiss", kDismiss);
        if (m_state != kIdle) Add(items, {}, 0);
        for (const int32_t minutes : kDurations)
            Add(items, std::to_string(minutes) + " Minutes", minutes);
    });
    if (!built) items.clear();
    return items;
}

void TimerWidget::OnMenuCommand(const MenuItem& item) {
    RunLogged(m_trace, kSource, "OnMenuCommand", true, [&] { RunCommand(item.CommandId); });
}

void TimerWidget::RunCommand(int32_t command) {
    if (command >= 1 && command <= kLongestMinutes) {
        Run(int64_t{command} * 60'000);
    } else if (command == kPause && m_state == kRunning) {
        m_remaining = std::max<int64_t>(m_end - m_clock.Milliseconds(), 0);
        m_state = kPaused;
        m_text = Paused(m_remaining);
    } else if (command == kResume && m_state == kPaused) {
        Run(m_remaining);
    } else if (command == kCancel || command == kDismiss) {
        m_state = kIdle;
        m_text.clear();
    }
}

void TimerWidget::Run(int64_t milliseconds) {
    m_end = m_clock.Milliseconds() + milliseconds;
    m_state = kRunning;
    m_text = FormatRemaining(WholeSeconds(milliseconds));
}

}  // namespace tarvik
