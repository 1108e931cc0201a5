#include "core/theme/Theme.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/support/ThemeLoad.h"
#include "core/theme/ThemeReaders.h"

namespace tarvik {
namespace {

using test::LayoutSizes;
using test::RecordedFontOf;
using test::ThemeLoad;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char kMissingFileLine[] =
    R"(0,"Theme","Initialize","could not read resources\theme.xml - drawing with built-in defaults")";

std::string NumLine(const std::string& name, const std::string& text) {
    return R"(0,"Theme","Num","')" + name + "' is '" + text +
           R"(', which is not a number - using the built-in default")";
}

struct Channels {
    int red, green, blue, alpha;
    bool operator==(const Channels&) const = default;
};
Channels Of(const Colour& c) {
    return {c.Red(), c.Green(), c.Blue(), c.Alpha()};
}

std::vector<int32_t> ScaledDefaults(const Dpi& dpi) {
    ThemeLayout layout;
    layout.ScaleAll(dpi);
    return LayoutSizes(layout);
}

void ExpectBuiltInLook(const Theme& theme, const Dpi& dpi) {
    EXPECT_EQ(LayoutSizes(theme.Layout), ScaledDefaults(dpi));
    const GlassStyle glass;
    EXPECT_EQ(theme.Glass.Radius, dpi.Scale(8));
    EXPECT_EQ(theme.Glass.SelectionRadius, dpi.Scale(4));
    EXPECT_EQ(theme.Glass.BorderWidth, 1);
    EXPECT_EQ(theme.Glass.Tint, glass.Tint);
    EXPECT_EQ(theme.Glass.BorderColor, glass.BorderColor);
    EXPECT_EQ(theme.Glass.SeparatorColor, glass.SeparatorColor);
    EXPECT_EQ(theme.Glass.Selection, glass.Selection);
    EXPECT_EQ(theme.Glass.Pressed, glass.Pressed);
    EXPECT_EQ(theme.Glass.corner, "round");
    EXPECT_EQ(Of(theme.TextColour), (Channels{0, 0, 0, 254}));
    EXPECT_EQ(Of(theme.HighlightTextColour), (Channels{255, 255, 255, 254}));
    EXPECT_EQ(theme.DisabledTextColour, 0x66000000u);
    EXPECT_FLOAT_EQ(theme.TextSize, 15.0f * dpi.DrawScale());
    EXPECT_EQ(theme.NewsFeedUrl, "http://feeds.bbci.co.uk/news/rss.xml");
    EXPECT_EQ(theme.WeatherLocation, "2643743");
    EXPECT_EQ(theme.AccentColour, 0xFFFF3B30u);
}

TEST(ThemeNumber, SignDigitsAndAFractionWhateverTheLocale) {
    struct Case {
        std::string text;
        std::optional<float> expected;
    };
    const Case cases[] = {
        {"5.", 5.0f},
        {".5", 0.5f},
        {"-.25", -0.25f},
        {"+7", 7.0f},
        {"007.50", 7.5f},
        {"1" + std::string(50, '0'), FLT_MAX},
        {"-1" + std::string(50, '0'), -FLT_MAX},
        {"0." + std::string(60, '0') + "1", 0.0f},
        {".", std::nullopt},
        {"+", std::nullopt},
        {"+-1", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1E5", std::nullopt},
        {"1,5", std::nullopt},
        {"nan", std::nullopt},
        {"-infinity", std::nullopt},
        {"\xd9\xa3", std::nullopt},  // an Arabic-Indic digit
        {" 1", std::nullopt},        // callers trim first
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseThemeNumber(c.text), c.expected) << c.text;
    }
}

TEST(ThemeInitialize, WithoutAFileEveryValueIsBuiltInAndOneLineSaysSo) {
    for (const char* scale : {"100", "150"}) {
        ThemeLoad load;
        ASSERT_TRUE(load.Load(std::nullopt, scale));
        ExpectBuiltInLook(load.theme, load.GetDpi());
        EXPECT_THAT(load.Lines(), ElementsAre(kMissingFileLine)) << scale;
        EXPECT_EQ(RecordedFontOf(load.theme.TextFont).family, "Helvetica Neue");
        for (const SkinButton& skin : load.theme.Skins) EXPECT_TRUE(skin.IsEmpty());
    }
}

TEST(ThemeInitialize, ABrokenFileCountsAsMissing) {
    for (const char* file : {"", "<theme><bar height='40'></theme>", "<a/><b/>",
                             "<!DOCTYPE t [<!ENTITY e 'x'>]><t><glass corner='&e;'/></t>"}) {
        ThemeLoad load;
        ASSERT_TRUE(load.Load(file));
        EXPECT_EQ(load.theme.Layout.BarHeight, 36) << file;
        EXPECT_EQ(load.theme.Glass.corner, "round") << file;
        EXPECT_THAT(load.Lines(), ElementsAre(kMissingFileLine)) << file;
    }
}

TEST(ThemeInitialize, TheRepositoryThemeIsExactlyTheBuiltInLookWithSkins) {
    ThemeLoad load;
    load.programFolder = test::RepositoryFolder();
    ASSERT_TRUE(load.Load(std::nullopt, "125"));
    EXPECT_THAT(load.Lines(), IsEmpty());
    ExpectBuiltInLook(load.theme, load.GetDpi());
    EXPECT_EQ(load.theme.FontFace, "Segoe UI, Arial, DejaVu Sans");
    for (std::string_view name : Theme::kSkinNames) {
        const SkinButton& skin = load.theme.Skin(name);
        ASSERT_FALSE(skin.IsEmpty()) << name;
        const GDIPImage* normal = skin.frame(kButtonStateNormal);
        const GDIPImage* hover = skin.frame(kButtonStateHover);
        const GDIPImage* pressed = skin.frame(kButtonStatePressed);
        EXPECT_TRUE(normal != hover && hover != pressed && normal != pressed) << name;
        EXPECT_EQ(normal->width(), 25) << name;  // 20-pixel frames at 125 %
    }
}

TEST(ThemeInitialize, ArgbColoursNeedSixOrEightHexDigits) {
    struct Case {
        const char* tint;
        uint32_t expected;
        std::vector<std::string> lines;
    };
    const uint32_t kDefault = 0xB8FFFFFF;
    const std::string kBad = R"(0,"Theme","ReadArgb",")";
    const Case cases[] = {
        {"#80FF0000", 0x80FF0000, {}},
        {"FF0000", 0xFFFF0000, {}},
        {"  #ff0000 ", 0xFFFF0000, {}},
        {"00000000", 0, {}},
        {"F00", kDefault, {}},
        {"", kDefault, {}},
        {"#", kDefault, {}},
        {"##80FF0000", kDefault, {}},  // only one "#" goes
        {"GG112233",
         kDefault,
         {kBad + "'GG112233' is not a colour - using the built-in default\""}},
        {"#GG1122", kDefault, {kBad + "'FFGG1122' is not a colour - using the built-in default\""}},
        {"+1234567",
         kDefault,
         {kBad + "'+1234567' is not a colour - using the built-in default\""}},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        ASSERT_TRUE(load.Load(std::string("<t><glass tint='") + c.tint + "'/></t>"));
        EXPECT_EQ(load.theme.Glass.Tint, c.expected) << c.tint;
        EXPECT_EQ(load.Lines(), c.lines) << c.tint;
    }
}

TEST(ThemeInitialize, TextColoursReadBlueGreenRedAndDisabledZeroMeansGrey) {
    ThemeLoad load;
    ASSERT_TRUE(load.Load("<t><text color='0000FF' highlight='#00ff00' disabled='00000000'/></t>"));
    EXPECT_EQ(Of(load.theme.TextColour), (Channels{255, 0, 0, 254}));
    EXPECT_EQ(Of(load.theme.HighlightTextColour), (Channels{0, 255, 0, 254}));
    EXPECT_EQ(load.theme.DisabledTextColour, 0x66000000u);

    ThemeLoad other;
    ASSERT_TRUE(other.Load("<t><text disabled='80112233'/></t>"));
    EXPECT_EQ(Of(other.theme.TextColour), (Channels{0, 0, 0, 254}));  // text without color
    EXPECT_EQ(Of(other.theme.HighlightTextColour), (Channels{255, 255, 255, 254}));
    EXPECT_EQ(other.theme.DisabledTextColour, 0x80112233u);
    EXPECT_THAT(other.Lines(), IsEmpty());
}

TEST(ThemeInitialize, NumbersRoundHalvesToEvenAndStayWithinSaneSizes) {
    struct Case {
        const char* height;
        int32_t expected;
        bool logged;
    };
    const Case cases[] = {
        {"36.5", 36, false},
        {"37.5", 38, false},
        {"2.5", 2, false},
        {"3.5", 4, false},
        {" 40 ", 40, false},
        {"+41.", 41, false},
        {".5", 0, false},
        {"-.6", 0, false},
        {"-5", 0, false},
        {"0", 0, false},
        {"4000", 4000, false},
        {"999999999", 4000, false},
        {"", 36, false},
        {"   ", 36, false},
        {"1e9", 36, true},
        {"NaN", 36, true},
        {"inf", 36, true},
        {"1,000", 36, true},
        {"$40", 36, true},
        {"0x28", 36, true},
        {"- 5", 36, true},
        {"4 0", 36, true},
        {".", 36, true},
        {"40px", 36, true},
        {"100000000000000000000000000000000000000000000000", 4000, false},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        ASSERT_TRUE(load.Load(std::string("<t><bar height='") + c.height + "'/></t>"));
        EXPECT_EQ(load.theme.Layout.BarHeight, c.expected) << c.height;
        std::vector<std::string> lines;
        if (c.logged) lines.push_back(NumLine("height", std::string(c.height)));
        EXPECT_EQ(load.Lines(), lines) << c.height;
    }
}

TEST(ThemeInitialize, NumberListsSetEachTargetOnItsOwn) {
    struct Case {
        const char* text;
        int32_t x, y;
    };
    const Case cases[] = {
        {"7", 7, 3},      {"7,x", 7, 0}, {"7,", 7, 0}, {",9", 0, 9},      {" 7 , 9 ", 7, 9},
        {"7,9,11", 7, 9}, {"", 5, 3},    {"  ", 5, 3}, {"2.5,3.5", 2, 4}, {"-1,1e3", 0, 0},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        ASSERT_TRUE(load.Load(std::string("<t><menu text='") + c.text + "'/></t>"));
        EXPECT_EQ(load.theme.Layout.MenuTextX, c.x) << c.text;
        EXPECT_EQ(load.theme.Layout.MenuTextY, c.y) << c.text;
        EXPECT_THAT(load.Lines(), IsEmpty()) << c.text;
    }
}

TEST(ThemeInitialize, ScalingMultipliesSizesButNotTheBorderWidth) {
    ThemeLoad load;
    ASSERT_TRUE(
        load.Load("<t><glass radius='5' border-width='3' selection-radius='3'/></t>", "150"));
    EXPECT_EQ(load.theme.Layout.BarHeight, 54);
    EXPECT_EQ(load.theme.Layout.WorkAreaTop, 34);    // 34.5 rounds to even
    EXPECT_EQ(load.theme.Layout.BarShadow, 20);      // 19.5 rounds to even
    EXPECT_EQ(load.theme.Glass.Radius, 8);           // 7.5
    EXPECT_EQ(load.theme.Glass.SelectionRadius, 4);  // 4.5
    EXPECT_EQ(load.theme.Glass.BorderWidth, 3);
    EXPECT_EQ(load.theme.Layout.BackdropTint, 0x6EFFFFFFu);
    EXPECT_FLOAT_EQ(load.theme.TextSize, 22.5f);
    EXPECT_EQ(RecordedFontOf(load.theme.TextFont),
              (test::RecordedFont{"Helvetica Neue", 22.5f, 0}));
    EXPECT_EQ(RecordedFontOf(load.theme.BoldFont),
              (test::RecordedFont{"Helvetica Neue", 22.5f, 1}));
    EXPECT_EQ(&load.theme.FontFor(1), &load.theme.BoldFont);
    EXPECT_EQ(&load.theme.FontFor(0), &load.theme.TextFont);
    EXPECT_EQ(&load.theme.FontFor(2), &load.theme.TextFont);
    EXPECT_EQ(RecordedFontOf(load.theme.MakeFont(10, 3)),
              (test::RecordedFont{"Helvetica Neue", 15, 3}));
}

TEST(ThemeInitialize, OverridesReplaceTheFileBeforeScaling) {
    struct Case {
        const char* file;  // null: no theme file
        std::map<std::string, std::string> variables;
        float textSize;
        int32_t menuGap, menuTextY;
    };
    const char* kMenu = "<t><text size='12'/><menu gap='30' text='5,6'/></t>";
    const Case cases[] = {
        {kMenu, {}, 24, 60, 12},
        {kMenu,
         {{"TARVIK_FONT", "20"}, {"TARVIK_ITEM_GAP", "0"}, {"TARVIK_TEXT_Y", "7"}},
         40,
         0,
         14},
        {"<t/>",
         {{"TARVIK_FONT", "20"}, {"TARVIK_ITEM_GAP", "3"}, {"TARVIK_TEXT_Y", "0"}},
         40,
         6,
         0},
        {nullptr, {{"TARVIK_FONT", "999999999"}, {"TARVIK_ITEM_GAP", "999999999"}}, 800, 8000, 6},
        {"<t><text size='0'/></t>", {}, 30, 40, 6},  // below a pixel: built-in size
        {"<t><text size='-3'/></t>", {}, 30, 40, 6},
        {"<t><text size='0.5'/></t>", {}, 30, 40, 6},
        {"<t><text size='1000'/></t>", {}, 800, 40, 6},
        {"<t><text size='12.5'/></t>", {}, 25, 40, 6},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        for (const auto& [name, value] : c.variables) load.environment.variables[name] = value;
        ASSERT_TRUE(
            load.Load(c.file ? std::optional<std::string_view>(c.file) : std::nullopt, "200"));
        const std::string label = c.file ? c.file : "(no file)";
        EXPECT_FLOAT_EQ(load.theme.TextSize, c.textSize) << label;
        EXPECT_FLOAT_EQ(RecordedFontOf(load.theme.TextFont).size, c.textSize) << label;
        EXPECT_EQ(load.theme.Layout.MenuGap, c.menuGap) << label;
        EXPECT_EQ(load.theme.Layout.MenuTextY, c.menuTextY) << label;
    }
}

TEST(ThemeInitialize, OnlyTheFirstDirectChildOfANameCounts) {
    struct Case {
        const char* file;
        int32_t barHeight, rowHeight, highlightHeight, separatorHeight;
    };
    const Case cases[] = {
        {"<any><bar height='40'/><bar height='50'/></any>", 40, 21, 20, 10},
        {"<t><x><bar height='50'/></x></t>", 36, 21, 20, 10},
        {"<t><menu><dropdown row='30'/><dropdown row='40'/></menu></t>", 36, 30, 20, 10},
        // Highlights and separators count only inside menu/dropdown.
        {"<t><menu><highlight height='5'/><separator height='3'/></menu>"
         "<highlight height='5'/><dropdown><separator height='3'/></dropdown></t>",
         36, 21, 20, 10},
        {"<t><menu><dropdown><highlight height='5'/><separator height='3'/></dropdown></menu></t>",
         36, 21, 5, 3},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        ASSERT_TRUE(load.Load(c.file));
        const ThemeLayout& l = load.theme.Layout;
        EXPECT_EQ(l.BarHeight, c.barHeight) << c.file;
        EXPECT_EQ(l.RowHeight, c.rowHeight) << c.file;
        EXPECT_EQ(l.RowHighlight.Height, c.highlightHeight) << c.file;
        EXPECT_EQ(l.SeparatorHeight, c.separatorHeight) << c.file;
    }
}

TEST(ThemeInitialize, EveryAttributeReachesItsTarget) {
    ThemeLoad load;
    ASSERT_TRUE(load.Load(R"(<theme>
        <bar height="40" shadow="12" workarea="28"><acrylic tint="10203040"/></bar>
        <widgets left="1" pad="2" icon-gap="3" min-width="4">
          <news feed="https://example.org/feed.xml"/><weather location=" 42 "/>
          <clock accent="#FF00FF00"/></widgets>
        <menu left="5" gap="6" pad="7" text="8,9">
          <dropdown row="10" text="11,12" pad="13,14">
            <highlight inset="15,16" overflow="17,18" height="19"/>
            <separator height="20" inset="21,22" overflow="23,24"/></dropdown></menu>
        <status gap="25" right="26"/>
        <glass radius="27" border-width="2" selection-radius="28" pad="29" corner="small"
               tint="01020304" border="05060708" separator="090A0B0C" selection="0D0E0F10"
               pressed="11121314"/>
      </theme>)"));
    EXPECT_THAT(load.Lines(), IsEmpty());
    const ThemeLayout& l = load.theme.Layout;
    EXPECT_THAT(LayoutSizes(l), ElementsAre(40, 12, 28, 0x10203040, 5, 6, 7, 8, 9, 10, 20, 13, 14,
                                            29, 1, 2, 3, 4, 25, 26, 11, 12, 0, 0, 0, 0, 15, 16, 0,
                                            19, 17, 18, 21, 22, 0, 0, 23, 24));
    const GlassStyle& g = load.theme.Glass;
    EXPECT_EQ(
        std::vector<uint32_t>({g.Tint, g.BorderColor, g.SeparatorColor, g.Selection, g.Pressed}),
        std::vector<uint32_t>({0x01020304, 0x05060708, 0x090A0B0C, 0x0D0E0F10, 0x11121314}));
    EXPECT_EQ(std::vector<int32_t>({g.Radius, g.BorderWidth, g.SelectionRadius}),
              std::vector<int32_t>({27, 2, 28}));
    EXPECT_EQ(g.corner, "small");
    EXPECT_EQ(load.theme.NewsFeedUrl, "https://example.org/feed.xml");
    EXPECT_EQ(load.theme.WeatherLocation, " 42 ");  // text exactly as written
    EXPECT_EQ(load.theme.AccentColour, 0xFF00FF00u);
}

TEST(ThemeInitialize, TheFirstInstalledFamilyWinsAndAFallbackIsLogged) {
    struct Case {
        const char* face;
        std::vector<std::string> installed;
        const char* family;  // empty: none
        std::vector<std::string> lines;
    };
    const std::vector<std::string> kSome{"Arial", "Tahoma", "Segoe UI"};
    const std::string kNone = R"(0,"Theme","ResolveFontFamily","no usable font family in ')";
    const Case cases[] = {
        {"Arial", kSome, "Arial", {}},
        {" , tahoma ,Arial", kSome, "Tahoma", {}},
        {"",
         kSome,
         "Segoe UI",
         {R"("Theme: font face 'Helvetica Neue' is not installed, falling back to 'Segoe UI'")"}},
        {"Nope, , arial",
         kSome,
         "Arial",
         {R"("Theme: font face 'Nope' is not installed, falling back to 'arial'")"}},
        {"Nope, Nada", kSome, "", {kNone + "Nope, Nada'\""}},
        {" , ", kSome, "", {kNone + " , '\""}},
        {"   ", {"Tahoma"}, "", {kNone + "Helvetica Neue, Helvetica, Segoe UI, Arial'\""}},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        test::SetInstalledFontFamilies(c.installed);
        ASSERT_TRUE(load.Load(std::string("<t><text face='") + c.face + "'/></t>"));
        EXPECT_EQ(load.theme.FontFamily.Name(), c.family) << c.face;
        EXPECT_EQ(RecordedFontOf(load.theme.BoldFont).family, c.family) << c.face;
        EXPECT_EQ(load.Lines(), c.lines) << c.face;
        if (*c.family == '\0') {
            EXPECT_EQ(load.theme.TextFont.NativeHandle(), nullptr);
            EXPECT_EQ(load.theme.MakeFont(12, 0).NativeHandle(), nullptr);
        }
    }
}

TEST(ThemeInitialize, SkinImagesComeFromTheResourcesFolder) {
    ThemeLoad load;
    load.WritePng("start.png", 20, 60);
    load.WritePng("one.png", 16, 16);
    const std::string kLoad = R"(,"Theme","LoadImage","could not load resources\)";
    ASSERT_TRUE(load.Load(R"(<t><widgets>
        <start src="start.png" states="normal hover pressed"/><start src="one.png"/>
        <tray src="one.png"/><clipboard src="missing.png"/><timer src="  "/>
        <spotlight src="../resources/one.png"/><volume src="C:one.png"/><news/></widgets></t>)"));
    EXPECT_EQ(load.Lines(), (std::vector<std::string>{"1058" + kLoad + "missing.png\"",
                                                      "0" + kLoad + "../resources/one.png\"",
                                                      "0" + kLoad + "C:one.png\""}));
    const SkinButton& start = load.theme.Skin("start");
    ASSERT_NE(start.frame(kButtonStatePressed), nullptr);
    EXPECT_NE(start.frame(kButtonStatePressed), start.frame(kButtonStateNormal));
    EXPECT_EQ(start.frame(kButtonStateNormal)->Height(), 20);
    const SkinButton& tray = load.theme.Skin("tray");  // "normal" by default
    ASSERT_FALSE(tray.IsEmpty());
    EXPECT_EQ(tray.frame(kButtonStateHover), tray.frame(kButtonStateNormal));
    for (const char* name : {"clipboard", "timer", "spotlight", "volume", "news", "app", "other"}) {
        EXPECT_TRUE(load.theme.Skin(name).IsEmpty()) << name;
    }
    EXPECT_TRUE(load.theme.LoadImage("one.png").IsLoaded());
}

TEST(ThemeInitialize, AnUnexpectedFailureNamesTheSectionAndStopsTheLoad) {
    ThemeLoad load;
    const test::ScopedDrawingErrors raised(false);
    test::SetInstalledFontFamilies({});
    EXPECT_FALSE(load.Load("<t/>"));
    EXPECT_FALSE(load.theme.IsLoaded());
    EXPECT_THAT(
        load.Lines(),
        ElementsAre(
            R"(0,"Theme","ResolveFontFamily","no usable font family in 'Helvetica Neue, Helvetica, Segoe UI, Arial'")",
            R"(1050,"Theme","Initialize","<font> GDI+ Error 2")"));
}

TEST(ThemeInitialize, OnlyTheFirstSuccessfulLoadReadsTheFile) {
    ThemeLoad load;
    ASSERT_TRUE(load.Load("<t><bar height='40'/></t>"));
    ASSERT_TRUE(load.Load("<t><bar height='50'/></t>"));
    EXPECT_EQ(load.theme.Layout.BarHeight, 40);
    EXPECT_TRUE(load.theme.IsLoaded());
}

TEST(ThemeInitialize, MakeFontNeedsTheFamilyOfTheLoadedTheme) {
    const Theme theme;
    EXPECT_EQ(theme.MakeFont(12, 0).NativeHandle(), nullptr);
}

}  // namespace
}  // namespace tarvik
