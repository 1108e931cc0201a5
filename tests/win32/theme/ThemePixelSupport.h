#pragma once

// The theme tests' helpers: GDI+ started for a suite, the program's resources folder and
// drawing scales.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/CommandLine.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPlus.h"
#include "win32/graphics/GdiPlusNative.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

// Starts the 2D library (once per process) as the program does, with errors suppressed.
class ThemePixelTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(GDIPlusCreate(true)); }
};

// The skin images and theme: copied beside the program by the build, else the repository's own.
inline std::filesystem::path ResourcesFolder() {
    const std::filesystem::path beside = TestProgramFolder() / "resources";
    if (std::filesystem::exists(beside / "start.png")) return beside;
    return TestProgramFolder().parent_path().parent_path() / "resources";
}

// An environment that only sets the drawing scale override (a percentage such as "150").
class ScaleEnvironment final : public IEnvironment {
  public:
    explicit ScaleEnvironment(std::string percent) : m_percent(std::move(percent)) {}
    std::string ArgumentText() const override { return {}; }
    std::optional<std::string> Variable(std::string_view name) const override {
        return name == "TARVIK_SCALE" ? std::optional(m_percent) : std::nullopt;
    }

  private:
    std::string m_percent;
};

inline Dpi DrawingAt(const char* percent) {
    ScaleEnvironment environment(percent);
    CommandLine commandLine(environment);
    Dpi dpi;
    dpi.Start(96, commandLine);
    return dpi;
}

}  // namespace tarvik::test
