// Reads arbitrary bytes as the theme file, at a drawing scale and overrides the input's length
// picks, and checks that the load always ends with a theme inside its limits.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>

#include "core/app/CommandLine.h"
#include "core/app/Trace.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPlus.h"
#include "core/support/Fakes.h"
#include "core/support/PugiXmlParser.h"
#include "core/theme/Theme.h"
#include "core/theme/ThemeReaders.h"

namespace {

// Hands the fuzzer's bytes over as the content of whatever theme file is asked for.
struct InputParser final : tarvik::test::PugiXmlParser {
    explicit InputParser(std::string_view input) : bytes(input) {}
    std::string_view bytes;
    std::unique_ptr<tarvik::XmlDocument> LoadFile(const std::filesystem::path&) const override {
        return LoadText(bytes);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = tarvik::GDIPlusCreate(true);
    static constexpr const char* kScales[] = {"100", "125", "150", "200", "400"};
    tarvik::test::FakeEnvironment environment;
    environment.variables["TARVIK_SCALE"] = kScales[size % 5];
    if ((size / 5) % 2 == 1) {
        environment.variables["TARVIK_FONT"] = "999999999";
        environment.variables["TARVIK_ITEM_GAP"] = "999999999";
    }
    const tarvik::Overrides overrides = tarvik::CommandLine(environment).Read();
    tarvik::Dpi dpi;
    dpi.Start(96, overrides);
    tarvik::test::FakeClock clock;
    tarvik::Trace trace({}, clock);  // no log file: records are dropped
    // The repository: its resources folder holds the real skin images.
    const auto folder = std::filesystem::path(__FILE__).parent_path().parent_path();

    tarvik::Theme theme;
    const bool loaded = theme.Initialize(InputParser({reinterpret_cast<const char*>(data), size}),
                                         folder, trace, overrides, dpi);
    const int32_t height = theme.Layout.BarHeight;
    if (!started || !loaded || height < 0 || height > dpi.Scale(tarvik::kMaxThemePixels) ||
        !(theme.TextSize <= tarvik::kMaxTextSize * dpi.DrawScale())) {
        std::abort();
    }
    return 0;
}
