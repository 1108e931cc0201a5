#include "core/app/CommandLine.h"

#include <algorithm>

#include "core/text/StringHelpers.h"

namespace tarvik {

namespace {

constexpr int kMaxDigits = 9;

}  // namespace

CommandLine::CommandLine(const IEnvironment& environment) : m_environment(environment) {}

// The switch's value is the rest of the argument text, untrimmed; without the switch the value
// is the variable, trimmed of spaces. Only leading digits count, and at most nine of them.
int32_t CommandLine::ReadNumber(std::string_view switchName, std::string_view variableName) const {
    try {
        const std::string arguments = ToLowerAscii(m_environment.ArgumentText());
        const std::string name = ToLowerAscii(switchName);
        std::string value;
        if (const size_t at = arguments.find(name); !name.empty() && at != std::string::npos) {
            value = arguments.substr(at + name.size());
        } else {
            value = std::string(TrimSpaces(m_environment.Variable(variableName).value_or("")));
        }
        int32_t result = 0;
        int digits = 0;
        for (const char c : value) {
            if (c < '0' || c > '9') break;
            if (++digits > kMaxDigits) return -1;
            result = result * 10 + (c - '0');
        }
        return digits == 0 ? -1 : result;
    } catch (...) {
        return -1;
    }
}

bool CommandLine::HasFlag(std::string_view switchName, std::string_view variableName) const {
    try {
        const std::string name = ToLowerAscii(switchName);
        if (!name.empty() &&
            ToLowerAscii(m_environment.ArgumentText()).find(name) != std::string::npos)
            return true;
        const std::string value = m_environment.Variable(variableName).value_or("");
        const std::string_view trimmed = TrimSpaces(value);
        return !trimmed.empty() && trimmed != "0";
    } catch (...) {
        return false;
    }
}

float CommandLine::ScaleOverride() {
    if (!m_scaleOverride) {
        const int32_t percent = ReadNumber("ScaleOverride:", "TARVIK_SCALE");
        m_scaleOverride =
            (percent >= 100 && percent <= 400) ? static_cast<float>(percent) / 100.0f : 0.0f;
    }
    return *m_scaleOverride;
}

bool CommandLine::ScaleAuto() const {
    try {
        const std::string arguments = ToLowerAscii(m_environment.ArgumentText());
        const std::string name = ToLowerAscii("ScaleOverride:");
        std::string value;
        if (const size_t at = arguments.find(name); at != std::string::npos) {
            value = arguments.substr(at + name.size());
        } else {
            value = ToLowerAscii(TrimSpaces(m_environment.Variable("TARVIK_SCALE").value_or("")));
        }
        const std::string_view rest =
            std::string_view(value).substr(std::min(value.find_first_not_of(' '), value.size()));
        return rest.substr(0, 4) == "auto";
    } catch (...) {
        return false;
    }
}

int32_t CommandLine::FontSizeOverride() const {
    const int32_t size = ReadNumber("font:", "TARVIK_FONT");
    return size > 0 ? size : -1;
}

int32_t CommandLine::ItemGapOverride() const {
    return std::max(ReadNumber("itemgap:", "TARVIK_ITEM_GAP"), -1);
}

int32_t CommandLine::TextYOverride() const {
    return std::max(ReadNumber("texty:", "TARVIK_TEXT_Y"), -1);
}

int32_t CommandLine::BarTopOffset() {
    if (!m_barTopOffset) {
        const int32_t offset = ReadNumber("top:", "TARVIK_BAR_TOP");
        m_barTopOffset = (offset >= 1 && offset <= 2000) ? offset : 0;
    }
    return *m_barTopOffset;
}

bool CommandLine::DemoMode() const {
    return HasFlag("demo", "TARVIK_DEMO");
}

Overrides CommandLine::Read() {
    return Overrides{ScaleOverride(), ScaleAuto(),    FontSizeOverride(), ItemGapOverride(),
                     TextYOverride(), BarTopOffset(), DemoMode()};
}

}  // namespace tarvik
