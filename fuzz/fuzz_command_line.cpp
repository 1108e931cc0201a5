// Feeds the override readers an argument text and environment values made of arbitrary bytes
// and checks that every result stays in its range and that the read-once values stay put.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/app/CommandLine.h"
#include "core/support/Fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    tarvik::test::FakeEnvironment environment;
    for (const char* name : {"TARVIK_SCALE", "TARVIK_FONT", "TARVIK_BAR_TOP", "TARVIK_DEMO"}) {
        if (input.ConsumeBool()) environment.variables[name] = input.ConsumeRandomLengthString();
    }
    const std::string switchName = input.ConsumeRandomLengthString(16);
    environment.arguments = input.ConsumeRemainingBytesAsString();
    tarvik::CommandLine commandLine(environment);

    const int32_t number = commandLine.ReadNumber(switchName, "TARVIK_FONT");
    commandLine.HasFlag(switchName, "TARVIK_DEMO");
    const float scale = commandLine.ScaleOverride();
    const int32_t top = commandLine.BarTopOffset();
    environment.arguments.clear();
    environment.variables.clear();
    if (number < -1 || number > 999'999'999 || (scale != 0.0f && (scale < 1.0f || scale > 4.0f)) ||
        top < 0 || top > 2000 || commandLine.ScaleOverride() != scale ||
        commandLine.BarTopOffset() != top) {
        std::abort();
    }
    return 0;
}
