#pragma once

#include "core/widgets/SystemPorts.h"

namespace tarvik {

// The system commands through the shell, the power manager and the session. Nothing is
// checked: a command Windows refuses does nothing.
class ShellSystemCommands final : public ISystemCommands {
  public:
    void Open(std::string_view target) override;
    void RunSystemTool(std::string_view file, std::string_view parameters, bool hidden) override;
    void Suspend() override;
    void LockWorkStation() override;
    void LogOff() override;
};

}  // namespace tarvik
