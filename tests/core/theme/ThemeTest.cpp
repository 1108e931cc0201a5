#include "core/theme/Theme.h"

#include <gtest/gtest.h>

#include <cfloat>

#include "core/graphics/Colour.h"
#include "core/support/ThemeLoad.h"
#include "core/theme/ThemeReaders.h"

namespace tarvik::test {
namespace {

TEST(ThemeNumber, SignDigitsAndAFractionWhateverTheLocale) {
    const std::pair<std::string, std::optional<float>> cases[] = {
        {"5.", 5.0f},          {"-.25", -0.25f},      {"1" + std::string(50, '0'), FLT_MAX},
        {".", std::nullopt},   {"+-1", std::nullopt}, {"1.2.3", std::nullopt},
        {"1E5", std::nullopt}, {"1,5", std::nullopt}, {"nan", std::nullopt},
        {" 1", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseThemeNumber(text), expected) << text;
}

// One value read from a small theme file (built-in ones without a usable file) at a scale, with
// overrides: the value as a number and what was logged.
TEST(ThemeInitialize, ValuesAreCheckedRoundedClampedOverriddenAndScaled) {
    using Read = std::function<double(const Theme&)>;
    const Read tint = [](const Theme& t) { return t.Glass.Tint; };
    const Read disabled = [](const Theme& t) { return t.DisabledTextColour; };
    const Read height = [](const Theme& t) { return t.Layout.BarHeight; };
    const Read textY = [](const Theme& t) { return t.Layout.MenuTextY; };
    const Read gap = [](const Theme& t) { return t.Layout.MenuGap; };
    const Read radius = [](const Theme& t) { return t.Glass.Radius; };
    const Read size = [](const Theme& t) { return RecordOf(t.TextFont).font.size; };
    struct Case {
        Read read;
        std::string file;
        double expected;
        std::string line = "";
        const char* scale = "100";
        std::map<std::string, std::string> variables = {};
    };
    const Case cases[] = {
        {height, "<t><bar></t>", 54,
         R"(0,"Theme","Initialize","could not read resources\theme.xml - drawing with )"
         R"(built-in defaults")",
         "150"},
        {tint, "<t><glass tint='  #80FF0000 '/></t>", 0x80FF0000},
        {tint, "<t><glass tint='##80FF0000'/></t>", 0xB8FFFFFF},  // only one "#" goes
        {tint, "<t><glass tint='#GG1122'/></t>", 0xB8FFFFFF,
         R"(0,"Theme","ReadArgb","'FFGG1122' is not a colour - using the built-in default")"},
        {disabled, "<t><text disabled='00000000'/></t>", 0x66000000},  // 0 means grey
        {height, "<t><bar height=' 37.5 '/></t>", 38},
        {height, "<t><bar height='-5'/></t>", 0},
        {height, "<t><bar height='999999999'/></t>", 4000},
        {height, "<t><bar height='40px'/></t>", 36,
         R"(0,"Theme","Num","'height' is '40px', which is not a number - using the built-in default")"},
        // The first direct child only.
        {height, "<t><x><bar height='50'/></x><bar height='40'/><bar height='60'/></t>", 40},
        {textY, "<t><menu text=' 7 , 2.5 ,11'/></t>", 2},
        {textY, "<t><menu text='7,1e3'/></t>", 0},
        {radius, "<t><glass radius='15'/></t>", 22, "", "150"},  // 22.5 rounds to even
        {size, "<t><text size='12'/></t>", 40, "", "200", {{"TARVIK_FONT", "20"}}},
        {size, "<t/>", 800, "", "200", {{"TARVIK_FONT", "999999999"}}},
        {gap, "<t/>", 8000, "", "200", {{"TARVIK_ITEM_GAP", "999999999"}}},
        {size, "<t><text size='0.5'/></t>", 30, "", "200"},  // below a pixel: built-in size
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        for (const auto& [name, value] : c.variables) load.environment.variables[name] = value;
        ASSERT_TRUE(load.Load(c.file, c.scale));
        EXPECT_EQ(c.read(load.theme), c.expected) << c.file << " at " << c.scale;
        EXPECT_EQ(load.log.Records(), c.line.empty() ? Lines{} : Lines{c.line}) << c.file;
    }
}

// One attribute of each kind (number, pair, padding, colour, word, text) in each section.
TEST(ThemeInitialize, AttributesReachTheirTargets) {
    ThemeLoad load;
    ASSERT_TRUE(load.Load(R"(<theme>
        <bar height="40"><acrylic tint="10203040"/></bar>
        <widgets icon-gap="3"><news feed="https://example.org/feed.xml"/>
          <weather location=" 42 "/><clock accent="#FF00FF00"/></widgets>
        <menu text="8,9"><dropdown pad="13,14">
          <highlight inset="15,16" overflow="17,18" height="19"/></dropdown></menu>
        <status right="26"/><glass selection-radius="28" corner="small" pressed="11121314"/>
      </theme>)"));
    EXPECT_EQ(load.log.Records(), Lines{});
    const ThemeLayout& l = load.theme.Layout;
    const Padding& h = l.RowHighlight;
    const GlassStyle& g = load.theme.Glass;
    EXPECT_EQ((std::vector<int64_t>{l.BarHeight, l.BackdropTint, l.WidgetIconGap, l.MenuTextX,
                                    l.MenuTextY, l.RowPadRight, l.RowPadBottom, h.X, h.Y,
                                    h.X_Overflow, h.Y_Overflow, h.Height, l.StatusRight,
                                    g.SelectionRadius, g.Pressed, load.theme.AccentColour}),
              (std::vector<int64_t>{40, 0x10203040, 3, 8, 9, 13, 14, 15, 16, 17, 18, 19, 26, 28,
                                    0x11121314, 0xFF00FF00}));
    EXPECT_EQ(g.corner, "small");
    EXPECT_EQ(load.theme.NewsFeedUrl, "https://example.org/feed.xml");
    EXPECT_EQ(load.theme.WeatherLocation, " 42 ");  // text exactly as written
}

TEST(ThemeInitialize, TheFirstInstalledFamilyWinsAndAFallbackIsLogged) {
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {" , tahoma ,Arial", "Tahoma", ""},
        {"Nope, , arial", "Arial",
         R"("Theme: font face 'Nope' is not installed, falling back to 'arial'")"},
    };
    for (const auto& [face, family, line] : cases) {
        ThemeLoad load;
        SetInstalledFontFamilies({"Arial", "Tahoma"});
        ASSERT_TRUE(load.Load(std::string("<t><text face='") + face + "'/></t>"));
        EXPECT_EQ(RecordOf(load.theme.BoldFont).font.family, family) << face;
        EXPECT_EQ(load.log.Records(), line.empty() ? Lines{} : Lines{line}) << face;
    }
}

// A skin's state words cut its image into frames, top to bottom; a state the list does not name
// shows the first stored frame.
TEST(ThemeInitialize, SkinStateWordsCutTheImageIntoFrames) {
    // States, image width and height, frame height (0: the skin stays empty), and the tops of the
    // normal, hover, pressed and attention frames.
    const std::tuple<const char*, int, int, int, std::array<float, 4>> cases[] = {
        {"normal hover pressed", 20, 60, 20, {0, 20, 40, 0}},
        {"normal hover", 20, 41, 20, {0, 20, 0, 0}},
        {"normal  pressed", 20, 60, 20, {0, 0, 40, 0}},
        {" PRESSED ", 16, 16, 16, {0, 0, 0, 0}},
        {"pressed normal pressed over", 10, 40, 10, {10, 30, 0, 0}},
        {"normal Attention", 10, 20, 10, {0, 0, 0, 10}},
        {"pressed hovered", 10, 20, 10, {10, 0, 0, 0}},    // not a state word: normal
        {"normal hover pressed attention", 20, 3, 0, {}},  // more words than rows
    };
    for (const auto& [states, width, height, rows, tops] : cases) {
        ThemeLoad load;
        load.WritePng("skin.png", width, height);
        ASSERT_TRUE(load.Load(std::string("<t><widgets><start src='skin.png' states='") + states +
                              "'/></widgets></t>"));
        const SkinButton& skin = load.theme.Skin("start");
        EXPECT_EQ(skin.IsEmpty(), rows == 0) << states;
        for (int32_t state = 1; state <= 4 && rows > 0; ++state) {
            // The part of the image a frame shows: its one image draw after a clear.
            const auto& calls = RecordedCalls(*skin.frame(state));
            ASSERT_EQ(calls.size(), 2u) << states;
            EXPECT_EQ(calls[1].source, (RectF{0, tops[state - 1], float(width), float(rows)}))
                << states << " state " << state;
        }
    }
}

TEST(ThemeInitialize, SkinImagesComeOnlyFromTheResourcesFolder) {
    ThemeLoad load;
    load.WritePng("start.png", 20, 60);
    load.WritePng("one.png", 16, 16);
    const std::string kLoad = R"(,"Theme","LoadImage","could not load resources\)";
    ASSERT_TRUE(load.Load(R"(<t><widgets>
        <start src="start.png" states="normal hover pressed"/><start src="one.png"/>
        <tray src="one.png"/><clipboard src="missing.png"/><timer src="  "/>
        <spotlight src="../resources/one.png"/><volume src="C:one.png"/></widgets></t>)"));
    EXPECT_EQ(load.log.Records(),
              (Lines{"1058" + kLoad + "missing.png\"", "0" + kLoad + "../resources/one.png\"",
                     "0" + kLoad + "C:one.png\""}));
    EXPECT_EQ(load.theme.Skin("start").frame(kButtonStateNormal)->Height(), 20);
    EXPECT_FALSE(load.theme.Skin("tray").IsEmpty());  // "normal" by default
    for (const char* name : {"clipboard", "timer", "spotlight", "volume", "news"})
        EXPECT_TRUE(load.theme.Skin(name).IsEmpty()) << name;
}

TEST(ThemeInitialize, OnlyTheFirstSuccessfulLoadReadsTheFileAndAFailureNamesItsSection) {
    ThemeLoad load;
    ASSERT_TRUE(load.Load("<t><bar height='40'/></t>"));
    ASSERT_TRUE(load.Load("<t><bar height='50'/></t>"));
    EXPECT_EQ(load.theme.Layout.BarHeight, 40);

    ThemeLoad failing;
    const ScopedDrawingErrors raised(false);
    SetInstalledFontFamilies({});
    EXPECT_FALSE(failing.Load("<t/>"));
    EXPECT_FALSE(failing.theme.IsLoaded());
    EXPECT_EQ(failing.log.Records().back(), R"(1050,"Theme","Initialize","<font> GDI+ Error 2")");
}

TEST(Colour, HexTextHasRedInTheLowByteAndUsesTheLastSixCharacters) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"fff", 0xFEFF0F00},  // read as 000fff
        {"AB112233", 0xFE332211},
        {"", 0xFE000000},
        // A pair reads up to its first non-digit: "1#" is 1, "zz" is 0.
        {"1#2#3#", 0xFE030201},
        {"zz10f#", 0xFE0F1000},
        {"\303\251\303\251ff", 0xFEFF0000},  // "ééff": non-ASCII bytes are not digits
    };
    for (const auto& [text, argb] : cases) {
        Colour colour;
        colour.SetAlpha(3);
        colour.SetColourByHex(text);
        EXPECT_EQ(colour.Argb(), argb) << '"' << text << '"';
        EXPECT_EQ(colour.WebColor(), text);
    }
}

}  // namespace
}  // namespace tarvik::test
