#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvik {

inline constexpr const char* kProgramName = "Tarvik";
inline constexpr const char* kHomePage = "https://tarvik.app";

// The message box that refuses Windows older than 10: three paragraphs, CR LF CR LF between.
std::string VersionGateText();

// The start-up lines of the trace log.
std::string StartLine(uint32_t revision);
std::string BarOffsetLine(int32_t offset);
// Nothing when the program draws at the display's own scale.
std::optional<std::string> ScaleLine(float drawScale, float displayScale, bool bySwitch);

}  // namespace tarvik
