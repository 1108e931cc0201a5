#pragma once

#include "core/app/CommandLine.h"

namespace tarvik {

// The process's own command line and environment block.
class WindowsEnvironment final : public IEnvironment {
  public:
    std::string ArgumentText() const override;
    std::optional<std::string> Variable(std::string_view name) const override;
};

// The command line without the program's path (quoted or not) and the blanks after it.
std::wstring ArgumentsOf(std::wstring_view commandLine);

}  // namespace tarvik
