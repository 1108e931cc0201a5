#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// Where the overrides come from: the program's argument text and its environment.
class IEnvironment {
  public:
    virtual ~IEnvironment() = default;
    // The command line without the program's own path, as UTF-8.
    virtual std::string ArgumentText() const = 0;
    // The variable's value as UTF-8, or nothing when it is not set.
    virtual std::optional<std::string> Variable(std::string_view name) const = 0;
};

// The overrides as start-up reads them, once, for everything after it.
struct Overrides {
    float scale = 0.0f;      // 1.0..4.0, 0 = not set
    bool scaleAuto = false;  // draw at the display's own scale
    int32_t fontSize = -1;   // > 0, or -1
    int32_t itemGap = -1;    // >= 0, or -1
    int32_t textY = -1;      // >= 0, or -1
    int32_t barTop = 0;      // 1..2000, 0 = not set
    bool demo = false;
};

// Layout overrides a user or a tester gives by switch or environment variable; the switch wins.
// Unusable values read as not set; nothing is ever reported.
class CommandLine {
  public:
    explicit CommandLine(const IEnvironment& environment);

    // 0..999,999,999, or -1 when nothing usable was found.
    int32_t ReadNumber(std::string_view switchName, std::string_view variableName) const;
    bool HasFlag(std::string_view switchName, std::string_view variableName) const;

    float ScaleOverride();  // 1.0..4.0, 0 = not set; read once
    bool ScaleAuto() const;
    int32_t FontSizeOverride() const;  // > 0, or -1
    int32_t ItemGapOverride() const;   // >= 0, or -1
    int32_t TextYOverride() const;     // >= 0, or -1
    int32_t BarTopOffset();            // 1..2000, 0 = not set; read once
    bool DemoMode() const;

    // Every override at once.
    Overrides Read();

  private:
    const IEnvironment& m_environment;
    std::optional<float> m_scaleOverride;
    std::optional<int32_t> m_barTopOffset;
};

}  // namespace tarvik
