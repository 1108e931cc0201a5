#pragma once

#include <map>
#include <optional>
#include <string>

#include "core/app/Clock.h"
#include "core/app/CommandLine.h"
#include "shared/TempFolder.h"

namespace tarvik::test {

// A clock that shows whatever the test sets.
struct FakeClock final : IClock {
    LocalTime now{2026, 5, 4, 9, 15, 2, 1};
    LocalTime Now() const override { return now; }
};

// An argument text and environment variables set by the test.
struct FakeEnvironment final : IEnvironment {
    std::string arguments;
    std::map<std::string, std::string, std::less<>> variables;

    std::string ArgumentText() const override { return arguments; }
    std::optional<std::string> Variable(std::string_view name) const override {
        const auto found = variables.find(name);
        return found == variables.end() ? std::nullopt : std::optional(found->second);
    }
};

}  // namespace tarvik::test
