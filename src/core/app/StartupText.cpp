#include "core/app/StartupText.h"

#include "core/app/Rounding.h"

namespace tarvik {

std::string VersionGateText() {
    return std::string("Tarvik needs Windows 10 or later.") + "\r\n\r\n" +
           "The menu bar and its menus are drawn with the blur and rounding that Windows 10 "
           "introduced, and there is no way to draw them on an earlier version." +
           "\r\n\r\n" + "Tarvik 2.x still runs on Windows XP and later - see " + kHomePage + ".";
}

std::string StartLine(uint32_t revision) {
    return "Starting Tarvik rev" + std::to_string(revision);
}

std::string BarOffsetLine(int32_t offset) {
    return "bar top offset " + std::to_string(offset) + "px (comparison mode)";
}

std::optional<std::string> ScaleLine(float drawScale, float displayScale, bool bySwitch) {
    if (drawScale == displayScale) return std::nullopt;
    // Percentages round to the nearest integer, halves to even.
    const auto percent = [](float scale) {
        return std::to_string(NearestInt(static_cast<double>(scale) * 100.0));
    };
    return "drawing at " + percent(drawScale) + "%" + (bySwitch ? " by switch" : " (1:1 default)") +
           ", display reports " + percent(displayScale) + "%";
}

}  // namespace tarvik
