// Reads arbitrary bytes as the theme file and checks that the load always ends with a complete,
// sane theme: every size inside the theme's limits (scaled), a usable text size, fonts built
// whenever a family was found, skins either empty or drawable.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
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

void Check(bool condition) {
    if (!condition) std::abort();
}

// Hands the fuzzer's bytes over as the content of whatever theme file is asked for.
class InputParser final : public tarvik::XmlParser {
  public:
    explicit InputParser(std::string_view bytes) : m_bytes(bytes) {}
    std::unique_ptr<tarvik::XmlDocument> LoadFile(const std::filesystem::path&) const override {
        return m_parser.LoadBytes(m_bytes);
    }
    std::unique_ptr<tarvik::XmlDocument> LoadText(std::string_view text) const override {
        return m_parser.LoadText(text);
    }

  private:
    std::string_view m_bytes;
    tarvik::test::PugiXmlParser m_parser;
};

// The repository: its resources folder holds the real skin images.
std::filesystem::path ProgramFolder() {
    return std::filesystem::path(__FILE__).parent_path().parent_path();
}

void CheckSizes(const tarvik::Theme& theme, const tarvik::Dpi& dpi) {
    const int32_t highest = dpi.Scale(tarvik::kMaxThemePixels);
    const auto inside = [&](int32_t size) { Check(size >= 0 && size <= highest); };
    const tarvik::ThemeLayout& l = theme.Layout;
    for (int32_t size : {l.BarHeight,       l.BarShadow,        l.WorkAreaTop,
                         l.MenuLeft,        l.MenuGap,          l.MenuPad,
                         l.MenuTextX,       l.MenuTextY,        l.RowHeight,
                         l.SeparatorHeight, l.RowPadRight,      l.RowPadBottom,
                         l.PopupPad,        l.WidgetLeft,       l.WidgetPad,
                         l.WidgetIconGap,   l.WidgetMinWidth,   l.StatusGap,
                         l.StatusRight,     theme.Glass.Radius, theme.Glass.SelectionRadius}) {
        inside(size);
    }
    for (const tarvik::Padding* p : {&l.RowText, &l.RowHighlight, &l.RowSeparator}) {
        for (int32_t size : {p->X, p->Y, p->width, p->Height, p->X_Overflow, p->Y_Overflow}) {
            inside(size);
        }
    }
    Check(theme.Glass.BorderWidth >= 0 && theme.Glass.BorderWidth <= tarvik::kMaxThemePixels);
    Check(theme.TextSize >= tarvik::kMinTextSize * dpi.DrawScale() &&
          theme.TextSize <= tarvik::kMaxTextSize * dpi.DrawScale());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = tarvik::GDIPlusCreate(true);
    Check(started);

    // The input's length picks the drawing scale and the overrides.
    static constexpr const char* kScales[] = {"100", "125", "150", "200", "400"};
    tarvik::test::FakeEnvironment environment;
    environment.variables["TARVIK_SCALE"] = kScales[size % 5];
    if ((size / 5) % 3 == 1) {
        environment.variables["TARVIK_FONT"] = "999999999";
        environment.variables["TARVIK_ITEM_GAP"] = "0";
        environment.variables["TARVIK_TEXT_Y"] = "123456";
    }
    tarvik::CommandLine commandLine(environment);
    tarvik::Dpi dpi;
    dpi.Start(96, commandLine);

    tarvik::test::FakeClock clock;
    tarvik::Trace trace({}, clock);  // no log file: records are dropped
    const InputParser parser(std::string_view(reinterpret_cast<const char*>(data), size));

    tarvik::Theme theme;
    Check(theme.Initialize(parser, ProgramFolder(), trace, commandLine, dpi));
    CheckSizes(theme, dpi);
    if (theme.FontFamily.Exists()) {
        Check(theme.TextFont.NativeHandle() != nullptr);
        Check(theme.BoldFont.NativeHandle() != nullptr);
    }
    for (const tarvik::SkinButton& skin : theme.Skins) {
        Check(skin.IsEmpty() || skin.frame(tarvik::kButtonStateNormal) != nullptr);
    }
    return 0;
}
