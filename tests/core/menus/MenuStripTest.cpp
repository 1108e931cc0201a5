#include "core/menus/MenuStrip.h"

#include <gtest/gtest.h>

#include "core/support/Drawn.h"
#include "core/support/FakeDropDown.h"
#include "core/support/MenuRows.h"
#include "core/support/ThemeLoad.h"

namespace tarvik::test {
namespace {

// Text size 15: a regular character measures 7.5 pixels, a bold one 8.25. Titles start at x 6
// and sit 30 apart; highlights and hit areas reach 8 past the text.
constexpr std::string_view kTheme =
    "<t><text face='DejaVu Sans' size='15' color='102030' highlight='405060'/>"
    "<menu gap='30' pad='8' text='6,4'/></t>";

// Windows with a title and a menu bar of titles (with one row each); custom menus for the rest.
class FakeMenus final : public IMenuSource, public ICustomMenuSource {
  public:
    std::map<WindowHandle, std::string> titles;
    std::map<WindowHandle, Lines> menuBars;
    int reads = 0;
    std::vector<WindowHandle> customAsked;

    std::string ShortWindowTitle(WindowHandle window) const override {
        return titles.contains(window) ? titles.at(window) : std::string();
    }
    void ReadMenuBar(MenuItemList& items, WindowHandle window) override {
        ++reads;
        for (const std::string& text : menuBars[window])
            items.push_back(Item({.text = text, .Children = {Item({})}}));
    }
    void AppendMenusFor(MenuItemList& items, WindowHandle window) override {
        customAsked.push_back(window);
        items.push_back(Item({.text = "Shortcuts", .Children = {Item({})}}));
    }
};

// A strip of bounds (40, 0, 600, 36) in a bar at (0, 30), showing window 7 "Notes" with the
// titles Abc, Abcde, Edit and View.
struct Rig {
    explicit Rig(std::string_view themeFile = kTheme) {
        SetInstalledFontFamilies({"DejaVu Sans"});
        EXPECT_TRUE(load.Load(themeFile));
        strip.emplace(MenuStripServices{load.theme, load.brushes(), log.trace, dropDown, menus});
        strip->SetCustomMenus(&menus);
        strip->SetBounds({40, 0, 600, 36}, {0, 30});
        menus.titles[7] = "Notes";
        menus.menuBars[7] = {"Abc", "Abcde", "Edit", "View"};
        strip->PopulateFromhWnd(7);
    }
    const MenuItem& Title(size_t index) const { return *strip->Titles().at(index); }
    std::string HoverText() const { return strip->Hover() ? strip->Hover()->text : "(none)"; }
    // Bar x of the title's text start.
    int16_t At(size_t index) const { return static_cast<int16_t>(40 + Title(index).Left); }

    ThemeLoad load;
    TestTrace log;
    FakeDropDown dropDown;
    FakeMenus menus;
    std::optional<MenuStrip> strip;
};

TEST(MenuStrip, TitlesAreLaidOutFromMeasuredWidthsAndHitWithinTheirPaddedSpans) {
    Rig rig;
    // 6 + 41.25 + 30 = 77.25 -> 77; 77 + 22.5 + 30 = 129.5 -> 130 (halves to even: 130).
    std::vector<float> lefts;
    for (const auto& title : rig.strip->Titles()) lefts.push_back(title->Left);
    EXPECT_EQ(lefts, (std::vector<float>{6, 77, 130, 198, 258}));
    EXPECT_EQ(rig.Title(0).width, 41.25f);  // bold

    // Relative to the strip Abc covers 69..107.5, edges included. With gap 10 the spans overlap
    // and the earlier title wins; the application title never hovers.
    constexpr std::string_view kNarrow =
        "<t><text face='DejaVu Sans' size='15'/><menu gap='10' pad='8' text='6,4'/></t>";
    const std::tuple<std::string_view, int, const char*> cases[] = {
        {kTheme, 68, "(none)"},  {kTheme, 69, "Abc"},    {kTheme, 107, "Abc"},
        {kTheme, 108, "(none)"}, {kTheme, 30, "(none)"}, {kNarrow, 87, "Abc"},
        {kNarrow, 88, "Abcde"},
    };
    for (const auto& [theme, at, hover] : cases) {
        Rig each(theme);
        each.strip->MouseMove(static_cast<int16_t>(40 + at));
        EXPECT_EQ(each.HoverText(), hover) << theme << " at " << at;
    }
}

TEST(MenuStrip, PressOpensTheRowsUnderTheHighlightAndMovingSwitchesWhileOpen) {
    Rig rig;
    rig.strip->MouseDown(1, 0, 0);  // nothing hovered: nothing opens
    EXPECT_TRUE(rig.dropDown.shown.empty());
    rig.strip->MouseMove(rig.At(1));
    rig.strip->MouseDown(1, 0, 0);
    rig.strip->MouseMove(rig.At(3));
    ASSERT_EQ(rig.dropDown.shown.size(), 2u);
    // Edit: left = bar 0 + strip 40 + 198 - pad 8; top = bar 30 + 36 - shadow 13.
    EXPECT_EQ(rig.dropDown.shown[1].first, &rig.Title(3).Children);
    EXPECT_EQ(rig.dropDown.shown[1].second.x, 230);
    EXPECT_EQ(rig.dropDown.shown[1].second.y, 53);
    EXPECT_EQ(rig.strip->Selected(), rig.strip->Titles()[3]);

    // Leaving for another part of the bar hides it and keeps only the hover.
    rig.strip->OnMouseLeave();
    EXPECT_EQ(rig.dropDown.hides, 1);
    EXPECT_EQ(rig.strip->Selected(), nullptr);
    EXPECT_EQ(rig.HoverText(), "Edit");
    rig.strip->MouseMove(rig.At(4));
    EXPECT_EQ(rig.dropDown.shown.size(), 2u) << "once hidden, moving only hovers";
    rig.strip->MouseDown(1, 0, 0);
    rig.strip->m_menu_Closed();
    EXPECT_EQ(rig.strip->Hover(), nullptr);
    EXPECT_EQ(rig.strip->Selected(), nullptr);
}

TEST(MenuStrip, EachTitleIsPaintedByItsState) {
    Rig rig;
    rig.strip->MouseMove(rig.At(1));
    rig.strip->MouseDown(1, 0, 0);
    rig.dropDown.visible = false;  // it went away without closing: Abc stays pressed
    const auto painted = [&rig] {
        const auto& calls = RecordedCalls(rig.strip->Image());
        auto clear = std::find_if(calls.rbegin(), calls.rend(), [](const DrawCall& call) {
            return call.kind == DrawKind::Clear;
        });
        EXPECT_NE(clear, calls.rend());
        EXPECT_EQ(clear->settings,
                  (RenderSettings{kTextRenderingHintAntiAlias, kSmoothingModeHighQuality,
                                  kPixelOffsetModeHighQuality}));
        std::vector<std::string> drawn;
        for (std::string& line : Drawn({clear.base(), calls.end()},
                                       {{RecordedArgb(rig.load.brushes().TextBrush()), "text"},
                                        {RecordedArgb(rig.load.brushes().HighlightBrush()), "hi"},
                                        {rig.load.theme.Glass.Pressed, "pressed"},
                                        {rig.load.theme.Glass.Selection, "selection"}}))
            if (!line.starts_with("clear") && !line.starts_with("rect") &&
                !line.starts_with("clip"))
                drawn.push_back(line);
        return drawn;
    };
    // A hover paints again only the titles whose look changed, and says where.
    rig.strip->MouseMove(rig.At(2));
    EXPECT_EQ(painted(), (std::vector<std::string>{"fill pressed", "Abc text 77,4 15",
                                                   "fill selection", "Abcde hi 130,4 15"}));
    // From Abc's highlight (77 - pad 8) to the end of Abcde's (130 - 8 + 37.5 + 2 * 8, halves to
    // even), the strip's whole height.
    EXPECT_EQ(rig.strip->ChangedArea(), (RectI{69, 0, 107, 36}));

    rig.strip->SetBounds(rig.strip->Bounds(), {});
    EXPECT_EQ(painted(),
              (std::vector<std::string>{"Notes text 6,4 15b", "fill pressed", "Abc text 77,4 15",
                                        "fill selection", "Abcde hi 130,4 15", "Edit text 198,4 15",
                                        "View text 258,4 15"}));
}

TEST(MenuStrip, ReadsAgainOnlyWhenTheTitleChangedAndOffersCustomMenusWithoutAMenuBar) {
    Rig rig;
    rig.menus.menuBars[7].push_back("Help");
    rig.strip->Refresh();
    EXPECT_EQ(rig.menus.reads, 1);
    rig.menus.titles[7] = "Notes - draft";
    rig.strip->Refresh();
    EXPECT_EQ(rig.menus.reads, 2);
    EXPECT_EQ(rig.strip->Titles().size(), 6u);
    EXPECT_TRUE(rig.menus.customAsked.empty());

    rig.menus.titles[9] = "Console";
    const auto application = rig.strip->Titles()[0];
    rig.strip->PopulateFromhWnd(9);
    EXPECT_EQ(rig.menus.customAsked, std::vector<WindowHandle>{9});
    ASSERT_EQ(rig.strip->Titles().size(), 2u);
    EXPECT_EQ(rig.strip->Titles()[0], application);
    EXPECT_EQ(rig.Title(1).text, "Shortcuts");
}

}  // namespace
}  // namespace tarvik::test
