#include "core/app/CrashText.h"

#include <cstdio>

namespace tarvik {

namespace {

constexpr std::string_view kEnding = " - the top strip is given back and Tarvik ends";

}  // namespace

std::string UnhandledExceptionText(uint32_t code, uint64_t address) {
    char text[64];
    std::snprintf(text, sizeof text, "exception 0x%08X at 0x%016llX", code,
                  static_cast<unsigned long long>(address));
    return std::string(text) + std::string(kEnding);
}

std::string TerminateText(std::string_view what) {
    std::string text = "a C++ exception nothing caught";
    if (!what.empty()) (text += ": ") += what;
    return text + std::string(kEnding);
}

}  // namespace tarvik
