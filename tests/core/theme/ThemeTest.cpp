#include "core/theme/Theme.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
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

void ExpectBuiltInLook(const Theme& theme, const Dpi& dpi) {
    ThemeLayout layout;
    layout.ScaleAll(dpi);
    EXPECT_EQ(LayoutSizes(theme.Layout), LayoutSizes(layout));
    const GlassStyle glass;
    EXPECT_EQ(theme.Glass.Radius, dpi.Scale(8));
    EXPECT_EQ(theme.Glass.SelectionRadius, dpi.Scale(4));
    EXPECT_EQ(
        std::vector<uint32_t>({theme.Glass.Tint, theme.Glass.BorderColor,
                               theme.Glass.SeparatorColor, theme.Glass.Selection,
                               theme.Glass.Pressed, theme.DisabledTextColour, theme.AccentColour,
                               theme.TextColour.Argb(), theme.HighlightTextColour.Argb()}),
        std::vector<uint32_t>({glass.Tint, glass.BorderColor, glass.SeparatorColor, glass.Selection,
                               glass.Pressed, 0x66000000, 0xFFFF3B30, 0xFE000000, 0xFEFFFFFF}));
    EXPECT_EQ(theme.Glass.BorderWidth, 1);
    EXPECT_EQ(theme.Glass.corner, "round");
    EXPECT_FLOAT_EQ(theme.TextSize, 15.0f * dpi.DrawScale());
    EXPECT_EQ(theme.NewsFeedUrl, "http://feeds.bbci.co.uk/news/rss.xml");
    EXPECT_EQ(theme.WeatherLocation, "2643743");
}

TEST(ThemeNumber, SignDigitsAndAFractionWhateverTheLocale) {
    struct Case {
        std::string text;
        std::optional<float> expected;
    };
    const Case cases[] = {
        {"5.", 5.0f},
        {"-.25", -0.25f},
        {"+7", 7.0f},
        {"1" + std::string(50, '0'), FLT_MAX},
        {"-1" + std::string(50, '0'), -FLT_MAX},
        {"0." + std::string(60, '0') + "1", 0.0f},
        {".", std::nullopt},
        {"+-1", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1E5", std::nullopt},
        {"1,5", std::nullopt},
        {"nan", std::nullopt},
        {"-infinity", std::nullopt},
        {"0x28", std::nullopt},
        {"\xd9\xa3", std::nullopt},  // an Arabic-Indic digit
        {" 1", std::nullopt},        // callers trim first
    };
    for (const Case& c : cases) EXPECT_EQ(ParseThemeNumber(c.text), c.expected) << c.text;
}

TEST(ThemeInitialize, WithoutAUsableFileEveryValueIsBuiltInAndOneLineSaysSo) {
    struct Case {
        std::optional<std::string_view> file;
        const char* scale;
    };
    const Case cases[] = {
        {std::nullopt, "100"},
        {std::nullopt, "150"},
        {"<theme><bar height='40'></theme>", "100"},
        {"<!DOCTYPE t [<!ENTITY e 'x'>]><t><glass corner='&e;'/></t>", "100"},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        ASSERT_TRUE(load.Load(c.file, c.scale));
        ExpectBuiltInLook(load.theme, load.GetDpi());
        EXPECT_THAT(load.Lines(), ElementsAre(kMissingFileLine));
        EXPECT_EQ(RecordedFontOf(load.theme.TextFont).family, "Helvetica Neue");
        for (const SkinButton& skin : load.theme.Skins) EXPECT_TRUE(skin.IsEmpty());
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

// One attribute read from a small theme file: its value (as a number) and what was logged.
TEST(ThemeInitialize, AttributeValuesAreCheckedRoundedAndHeldToSaneSizes) {
    const auto tint = [](const Theme& t) { return static_cast<double>(t.Glass.Tint); };
    const auto height = [](const Theme& t) { return static_cast<double>(t.Layout.BarHeight); };
    const auto textX = [](const Theme& t) { return static_cast<double>(t.Layout.MenuTextX); };
    const auto textY = [](const Theme& t) { return static_cast<double>(t.Layout.MenuTextY); };
    const auto disabled = [](const Theme& t) { return static_cast<double>(t.DisabledTextColour); };
    const auto text = [](const Theme& t) { return static_cast<double>(t.TextColour.Argb()); };
    const std::string kBad = R"(0,"Theme","ReadArgb",")";
    const std::string kNum = R"(0,"Theme","Num","'height' is ')";
    const std::string kNotNumber = R"(', which is not a number - using the built-in default")";
    struct Case {
        std::function<double(const Theme&)> read;
        std::string file;
        double expected;
        std::string line;  // empty: nothing logged
    };
    const Case cases[] = {
        {tint, "<t><glass tint='#80FF0000'/></t>", 0x80FF0000, ""},
        {tint, "<t><glass tint='  #ff0000 '/></t>", 0xFFFF0000, ""},
        {tint, "<t><glass tint='00000000'/></t>", 0, ""},
        {tint, "<t><glass tint='F00'/></t>", 0xB8FFFFFF, ""},
        {tint, "<t><glass tint='##80FF0000'/></t>", 0xB8FFFFFF, ""},  // only one "#" goes
        {tint, "<t><glass tint='#GG1122'/></t>", 0xB8FFFFFF,
         kBad + "'FFGG1122' is not a colour - using the built-in default\""},
        {text, "<t><text color='0000FF'/></t>", 0xFEFF0000, ""},           // blue, green, red
        {disabled, "<t><text disabled='00000000'/></t>", 0x66000000, ""},  // 0 means grey
        {disabled, "<t><text disabled='80112233'/></t>", 0x80112233, ""},
        {height, "<t><bar height='36.5'/></t>", 36, ""},
        {height, "<t><bar height=' 37.5 '/></t>", 38, ""},
        {height, "<t><bar height='-5'/></t>", 0, ""},
        {height, "<t><bar height='999999999'/></t>", 4000, ""},
        {height, "<t><bar height='   '/></t>", 36, ""},
        {height, "<t><bar height='40px'/></t>", 36, kNum + "40px" + kNotNumber},
        {height, "<t><bar height='- 5'/></t>", 36, kNum + "- 5" + kNotNumber},
        {height, "<any><bar height='40'/><bar height='50'/></any>", 40, ""},  // the first
        {height, "<t><x><bar height='50'/></x></t>", 36, ""},  // direct children only
        {textX, "<t><menu text=',9'/></t>", 0, ""},
        {textY, "<t><menu text=',9'/></t>", 9, ""},
        {textY, "<t><menu text='7,'/></t>", 0, ""},
        {textY, "<t><menu text=' 7 , 2.5 ,11'/></t>", 2, ""},
        {textY, "<t><menu text='  '/></t>", 3, ""},
        {textY, "<t><menu text='7,1e3'/></t>", 0, ""},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        ASSERT_TRUE(load.Load(c.file));
        EXPECT_EQ(c.read(load.theme), c.expected) << c.file;
        EXPECT_EQ(load.Lines(),
                  c.line.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.line})
            << c.file;
    }
}

TEST(ThemeInitialize, ScalingMultipliesSizesButNotTheBorderWidth) {
    ThemeLoad load;
    ASSERT_TRUE(
        load.Load("<t><glass radius='5' border-width='3' selection-radius='3'/></t>", "150"));
    EXPECT_EQ(load.theme.Layout.WorkAreaTop, 34);    // 34.5 rounds to even
    EXPECT_EQ(load.theme.Glass.Radius, 8);           // 7.5
    EXPECT_EQ(load.theme.Glass.SelectionRadius, 4);  // 4.5
    EXPECT_EQ(load.theme.Glass.BorderWidth, 3);
    EXPECT_EQ(RecordedFontOf(load.theme.BoldFont),
              (test::RecordedFont{"Helvetica Neue", 22.5f, 1}));
    EXPECT_EQ(&load.theme.FontFor(1), &load.theme.BoldFont);
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
        {nullptr, {{"TARVIK_FONT", "999999999"}, {"TARVIK_ITEM_GAP", "999999999"}}, 800, 8000, 6},
        {"<t><text size='0.5'/></t>", {}, 30, 40, 6},  // below a pixel: built-in size
        {"<t><text size='12.5'/></t>", {}, 25, 40, 6},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        for (const auto& [name, value] : c.variables) load.environment.variables[name] = value;
        ASSERT_TRUE(
            load.Load(c.file ? std::optional<std::string_view>(c.file) : std::nullopt, "200"));
        const std::string label = c.file ? c.file : "(no file)";
        EXPECT_FLOAT_EQ(RecordedFontOf(load.theme.TextFont).size, c.textSize) << label;
        EXPECT_EQ(load.theme.Layout.MenuGap, c.menuGap) << label;
        EXPECT_EQ(load.theme.Layout.MenuTextY, c.menuTextY) << label;
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
        <highlight height="5"/><dropdown><separator height="3"/></dropdown>
        <status gap="25" right="26"/>
        <glass radius="27" border-width="2" selection-radius="28" pad="29" corner="small"
               tint="01020304" border="05060708" separator="090A0B0C" selection="0D0E0F10"
               pressed="11121314"/>
      </theme>)"));
    EXPECT_THAT(load.Lines(), IsEmpty());
    EXPECT_THAT(
        LayoutSizes(load.theme.Layout),
        ElementsAre(40, 12, 28, 0x10203040, 5, 6, 7, 8, 9, 10, 20, 13, 14, 29, 1, 2, 3, 4, 25, 26,
                    11, 12, 0, 0, 0, 0, 15, 16, 0, 19, 17, 18, 21, 22, 0, 0, 23, 24));
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
        {"   ", {"Tahoma"}, "", {kNone + "Helvetica Neue, Helvetica, Segoe UI, Arial'\""}},
    };
    for (const Case& c : cases) {
        ThemeLoad load;
        test::SetInstalledFontFamilies(c.installed);
        ASSERT_TRUE(load.Load(std::string("<t><text face='") + c.face + "'/></t>"));
        EXPECT_EQ(RecordedFontOf(load.theme.BoldFont).family, c.family) << c.face;
        EXPECT_EQ(load.Lines(), c.lines) << c.face;
        if (*c.family == '\0') {
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
    EXPECT_FALSE(load.theme.Skin("tray").IsEmpty());  // "normal" by default
    for (const char* name : {"clipboard", "timer", "spotlight", "volume", "news", "other"}) {
        EXPECT_TRUE(load.theme.Skin(name).IsEmpty()) << name;
    }
}

TEST(ThemeInitialize, AnUnexpectedFailureNamesTheSectionAndStopsTheLoad) {
    ThemeLoad load;
    const test::ScopedDrawingErrors raised(false);
    test::SetInstalledFontFamilies({});
    EXPECT_FALSE(load.Load("<t/>"));
    EXPECT_FALSE(load.theme.IsLoaded());
    EXPECT_EQ(load.Lines().back(), R"(1050,"Theme","Initialize","<font> GDI+ Error 2")");
}

TEST(ThemeInitialize, OnlyTheFirstSuccessfulLoadReadsTheFile) {
    ThemeLoad load;
    EXPECT_EQ(load.theme.MakeFont(12, 0).NativeHandle(), nullptr);  // no family before a load
    ASSERT_TRUE(load.Load("<t><bar height='40'/></t>"));
    ASSERT_TRUE(load.Load("<t><bar height='50'/></t>"));
    EXPECT_EQ(load.theme.Layout.BarHeight, 40);
}

}  // namespace
}  // namespace tarvik
