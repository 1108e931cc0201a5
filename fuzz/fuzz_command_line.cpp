// Feeds the override readers an argument text and environment values made of arbitrary bytes
// (invalid UTF-8, NULs, very long texts) and checks that every result stays in its range.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "core/app/CommandLine.h"
#include "core/support/Fakes.h"

namespace {

using tarvik::CommandLine;

using BytesEnvironment = tarvik::test::FakeEnvironment;

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr const char* kVariables[] = {"TARVIK_SCALE",  "TARVIK_FONT",    "TARVIK_ITEM_GAP",
                                      "TARVIK_TEXT_Y", "TARVIK_BAR_TOP", "TARVIK_DEMO"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    BytesEnvironment environment;
    for (const char* name : kVariables) {
        if (input.ConsumeBool()) environment.variables[name] = input.ConsumeRandomLengthString();
    }
    const std::string switchName = input.ConsumeRandomLengthString(16);
    const std::string variableName = input.ConsumeRandomLengthString(16);
    if (input.ConsumeBool())
        environment.variables[variableName] = input.ConsumeRandomLengthString();
    environment.arguments = input.ConsumeRemainingBytesAsString();

    CommandLine commandLine(environment);

    const int32_t number = commandLine.ReadNumber(switchName, variableName);
    Check(number >= -1 && number <= 999'999'999);
    commandLine.HasFlag(switchName, variableName);

    const float scale = commandLine.ScaleOverride();
    Check(scale == 0.0f || (scale >= 1.0f && scale <= 4.0f));
    const int32_t percent = commandLine.ReadNumber("ScaleOverride:", "TARVIK_SCALE");
    Check(scale == 0.0f ? (percent < 100 || percent > 400)
                        : static_cast<float>(percent) / 100.0f == scale);
    // A value that begins with "auto" has no leading digits.
    if (commandLine.ScaleAuto()) Check(scale == 0.0f);

    const int32_t font = commandLine.FontSizeOverride();
    Check(font == -1 || font > 0);
    const int32_t gap = commandLine.ItemGapOverride();
    Check(gap >= -1);
    Check(gap == commandLine.ReadNumber("itemgap:", "TARVIK_ITEM_GAP"));
    const int32_t textY = commandLine.TextYOverride();
    Check(textY >= -1);

    const int32_t top = commandLine.BarTopOffset();
    Check(top >= 0 && top <= 2000);
    const int32_t topNumber = commandLine.ReadNumber("top:", "TARVIK_BAR_TOP");
    Check(top == ((topNumber >= 1 && topNumber <= 2000) ? topNumber : 0));

    Check(commandLine.DemoMode() == commandLine.HasFlag("demo", "TARVIK_DEMO"));

    // Both are read once: a changed environment does not move them.
    environment.arguments.clear();
    environment.variables.clear();
    Check(commandLine.ScaleOverride() == scale);
    Check(commandLine.BarTopOffset() == top);
    return 0;
}
