#pragma once

#include <cstdint>
#include <string>

#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class IMonotonicClock;
class ISystemSound;
class Theme;
class Trace;

// The time left as the bar shows it: 4:05 or 24:59 below an hour, 1:05:00 from an hour on.
std::string FormatRemaining(int64_t seconds);

// A countdown on the bar. Its menu starts one of four lengths; while it runs the button shows the
// time left in place of the icon, and when the time is up it reads "Done!" and the system's
// information sound plays once. Time is measured on the monotonic clock, so changing the
// computer's clock does not shorten or stretch a countdown.
class TimerWidget final : public IWidget {
  public:
    enum State : int32_t { kIdle = 0, kRunning = 1, kPaused = 2, kDone = 3 };
    enum Command : int32_t { kPause = 5001, kResume = 5002, kCancel = 5003, kDismiss = 5004 };
    static constexpr int32_t kLongestMinutes = 120;  // a command up to this starts a countdown

    // Everything given must outlive the widget.
    TimerWidget(const Theme& theme, const IMonotonicClock& clock, ISystemSound& sound,
                Trace& trace);

    std::string Name() const override { return "Timer"; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateMenu; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return m_text; }
    void Refresh() override;

    MenuItemList BuildMenu() override;
    void OnMenuCommand(const MenuItem& item) override;

    State CurrentState() const { return m_state; }

  private:
    void Tick();
    void RunCommand(int32_t command);
    void Run(int64_t milliseconds);
    // Whole seconds left, a started second counting as one.
    int64_t SecondsLeft() const;

    const Theme& m_theme;
    const IMonotonicClock& m_clock;
    ISystemSound& m_sound;
    Trace& m_trace;
    State m_state = kIdle;
    int64_t m_end = 0;        // on the monotonic clock, while running
    int64_t m_remaining = 0;  // milliseconds, while paused
    std::string m_text;
};

}  // namespace tarvik
