#pragma once

#include <string>

#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class ISystemCommands;
class Theme;
class Trace;

// The system button at the left end of the bar: an icon that drops down the system commands
// (about this computer, settings, task manager, sleep, restart, shut down, lock, sign out).
// It keeps no state; restart, shut-down and sign-out run at once, without asking.
class StartWidget final : public IWidget {
  public:
    // The menu's command numbers.
    enum Command : int32_t {
        kAbout = 1,
        kSettings = 2,
        kTaskManager = 3,
        kSleep = 4,
        kRestart = 5,
        kShutDown = 6,
        kLock = 7,
        kLogOut = 8,
    };

    // The theme, the commands and the trace must outlive the widget.
    StartWidget(const Theme& theme, ISystemCommands& commands, Trace& trace);

    std::string Name() const override { return "Start"; }
    WidgetAlignment Alignment() const override { return AlignLeft; }
    WidgetActivation Activation() const override { return ActivateMenu; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return {}; }

    MenuItemList BuildMenu() override;
    void OnMenuCommand(const MenuItem& item) override;

  private:
    const Theme& m_theme;
    ISystemCommands& m_commands;
    Trace& m_trace;
};

}  // namespace tarvik
