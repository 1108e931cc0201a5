#include "core/menus/MenuStrip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "core/support/RecordingGraphics.h"
#include "core/support/TestTrace.h"
#include "core/support/ThemeLoad.h"
#include "core/theme/Brushes.h"

namespace tarvik::test {
namespace {

// Text size 15: a regular character measures 7.5 pixels, a bold one 8.25. Titles start at x 6
// and sit 30 apart; highlights and hit areas reach 8 past the text.
constexpr std::string_view kTheme =
    "<t><text face='DejaVu Sans' size='15' color='102030' highlight='405060'/>"
    "<menu gap='30' pad='8' text='6,4'/></t>";

// Remembers every request; showing the list it already shows changes nothing, as the real
// window does.
class FakeDropDown final : public IDropDownMenu {
  public:
    struct Shown {
        const MenuItemList* items;
        ScreenPoint at;
    };
    std::vector<Shown> shown;
    int hides = 0;
    int closes = 0;
    bool visible = false;

    void ShowList(const MenuItemList& items, ScreenPoint at) override {
        shown.push_back({&items, at});
        visible = true;
    }
    bool IsVisible() const override { return visible; }
    void Hide() override {
        ++hides;
        visible = false;
    }
    void closeMe() override {
        ++closes;
        visible = false;
    }
    void closeAncestors() override { closeMe(); }
    int32_t RowTop(int32_t) const override { return 0; }
    ListPlacement Position() const override { return {}; }
    int32_t ClientWidth() const override { return 0; }
    IDropDownMenu* ChildMenu() const override { return nullptr; }
    IDropDownMenu& OpenChildMenu() override { return *this; }
    void CloseChildMenu() override {}
};

// Windows with a title and a menu bar of titles, each title with one row per letter.
class FakeMenus final : public IMenuSource {
  public:
    std::map<WindowHandle, std::string> titles;
    std::map<WindowHandle, std::vector<std::string>> menuBars;
    int reads = 0;

    std::string ShortWindowTitle(WindowHandle window) const override {
        return titles.contains(window) ? titles.at(window) : std::string();
    }
    void ReadMenuBar(MenuItemList& items, WindowHandle window) override {
        ++reads;
        for (const std::string& text : menuBars[window]) {
            auto title = std::make_shared<MenuItem>();
            title->text = text;
            for (char letter : text) {
                auto row = std::make_shared<MenuItem>();
                row->text = std::string(1, letter);
                title->Children.push_back(row);
            }
            items.push_back(title);
        }
    }
};

class FakeCustomMenus final : public ICustomMenuSource {
  public:
    std::vector<WindowHandle> asked;
    void AppendMenusFor(MenuItemList& items, WindowHandle window) override {
        asked.push_back(window);
        auto title = std::make_shared<MenuItem>();
        title->text = "Shortcuts";
        items.push_back(title);
    }
};

// A strip of bounds (40, 0, 600, 36) in a bar at (0, 30) on a theme with the default 13-pixel
// shadow, its surroundings, and window 7 "Notes" with the titles Abc, Abcde, Edit and View.
struct Rig {
    explicit Rig(std::string_view themeFile = kTheme) {
        SetInstalledFontFamilies({"DejaVu Sans"});
        EXPECT_TRUE(load.Load(themeFile));
        brushes.emplace(load.theme.TextColour, load.theme.HighlightTextColour,
                        load.theme.DisabledTextColour);
        strip.emplace(MenuStripServices{load.theme, *brushes, log.trace, dropDown, menus});
        strip->SetCustomMenus(&customMenus);
        strip->Changed = [this] { ++changes; };
        strip->SetBounds({40, 0, 600, 36}, {0, 30});
        menus.titles[7] = "Notes";
        menus.menuBars[7] = {"Abc", "Abcde", "Edit", "View"};
    }

    const MenuItem& Title(size_t index) const { return *strip->Titles().at(index); }
    std::string HoverText() const { return strip->Hover() ? strip->Hover()->text : "(none)"; }
    // Bar x of a point `offset` pixels right of the title's text start.
    int16_t At(size_t index, int offset = 0) const {
        return static_cast<int16_t>(strip->Bounds().X + static_cast<int>(Title(index).Left) +
                                    offset);
    }
    ThemeLoad load;
    TestTrace log;
    FakeDropDown dropDown;
    FakeMenus menus;
    FakeCustomMenus customMenus;
    std::optional<Brushes> brushes;
    std::optional<MenuStrip> strip;
    int changes = 0;
};

TEST(MenuStrip, LayoutPlacesTitlesFromMeasuredWidthsRoundingHalvesToEven) {
    struct Case {
        std::string application;
        std::vector<float> lefts;  // application title first
        std::vector<float> widths;
    };
    // 6 + 49.5 + 30 = 85.5 -> 86; 6 + 16.5 + 30 = 52.5 -> 52; then 22.5 + 30 from there.
    const Case cases[] = {
        {"Tarvik", {6, 86, 138, 206, 266}, {49.5f, 22.5f, 37.5f, 30, 30}},
        {"Ab", {6, 52, 104, 172, 232}, {16.5f, 22.5f, 37.5f, 30, 30}},
        {"", {6, 36, 88, 156, 216}, {0, 22.5f, 37.5f, 30, 30}},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.menus.titles[7] = c.application;
        rig.strip->PopulateFromhWnd(7);
        std::vector<float> lefts, widths;
        for (const auto& title : rig.strip->Titles()) {
            lefts.push_back(title->Left);
            widths.push_back(title->width);
        }
        EXPECT_EQ(lefts, c.lefts) << c.application;
        EXPECT_EQ(widths, c.widths) << c.application;
    }
}

TEST(MenuStrip, PointerHitsTheFirstTitleWithinItsPaddedSpanBothEdgesIncluded) {
    // Relative to the strip, Notes covers -2..55.25 (and is never hover), Abc 69..107.5,
    // Abcde 122..175.5, Edit 190..236, View 250..296. With gap 10 the spans overlap: Notes
    // -2..55.25, Abc 49..87.5, Abcde 82..135.5, and the earlier title wins.
    constexpr std::string_view kNarrow =
        "<t><text face='DejaVu Sans' size='15'/><menu gap='10' pad='8' text='6,4'/></t>";
    struct Case {
        std::string_view theme;
        int rel;
        const char* hover;
    };
    const Case cases[] = {
        {kTheme, 68, "(none)"},  {kTheme, 69, "Abc"},     {kTheme, 107, "Abc"},
        {kTheme, 108, "(none)"}, {kTheme, 296, "View"},   {kTheme, 297, "(none)"},
        {kTheme, 30, "(none)"},  {kNarrow, 49, "(none)"}, {kNarrow, 87, "Abc"},
        {kNarrow, 88, "Abcde"},
    };
    for (const Case& c : cases) {
        Rig rig(c.theme);
        rig.strip->PopulateFromhWnd(7);
        const int before = rig.changes;
        rig.strip->MouseMove(static_cast<int16_t>(std::max(40 + c.rel, -32768)));
        EXPECT_EQ(rig.HoverText(), c.hover) << c.theme << " at " << c.rel;
        // A hit redraws (Changed) and then raises Changed once more; a miss raises nothing.
        EXPECT_EQ(rig.changes - before, rig.strip->Hover() ? 2 : 0) << c.theme << " at " << c.rel;
    }
}

TEST(MenuStrip, ApplicationTitleNeverBecomesHoverAndChangesNothing) {
    Rig rig;
    rig.strip->PopulateFromhWnd(7);
    rig.strip->MouseMove(rig.At(0, 5));
    EXPECT_EQ(rig.strip->Hover(), nullptr);
    rig.strip->MouseDown(1, rig.At(0, 5), 10);
    EXPECT_TRUE(rig.dropDown.shown.empty());

    rig.strip->MouseMove(rig.At(1));
    const int before = rig.changes;
    rig.strip->MouseMove(rig.At(0, 5));
    EXPECT_EQ(rig.HoverText(), "Abc");
    EXPECT_EQ(rig.changes, before);
    // Moving within the hover title is no change either.
    rig.strip->MouseMove(rig.At(1, 3));
    EXPECT_EQ(rig.changes, before);
    // A press without a hover title opens nothing.
    Rig fresh;
    fresh.strip->PopulateFromhWnd(7);
    fresh.strip->MouseDown(1, 0, 0);
    EXPECT_TRUE(fresh.dropDown.shown.empty());
}

TEST(MenuStrip, MovingAcrossTitlesWhileOpenSwitchesTheDropDown) {
    Rig rig;
    rig.strip->PopulateFromhWnd(7);
    rig.strip->MouseMove(rig.At(1));
    rig.strip->MouseDown(1, 0, 0);
    rig.strip->MouseMove(rig.At(3));
    ASSERT_EQ(rig.dropDown.shown.size(), 2u);
    // Edit: left = 0 + 40 + 198 - 8; top = 30 + 0 + 36 - 13.
    EXPECT_EQ(rig.dropDown.shown[1].items, &rig.Title(3).Children);
    EXPECT_EQ(rig.dropDown.shown[1].at.x, 230);
    EXPECT_EQ(rig.dropDown.shown[1].at.y, 53);
    EXPECT_EQ(rig.strip->Selected(), rig.strip->Titles()[3]);
    EXPECT_EQ(rig.strip->Hover(), rig.strip->Titles()[3]);

    // A second press on the open title asks for the same list again (the window ignores it)
    // and the title stays open.
    rig.strip->MouseDown(1, 0, 0);
    EXPECT_EQ(rig.dropDown.shown.back().items, &rig.Title(3).Children);
    EXPECT_EQ(rig.dropDown.closes + rig.dropDown.hides, 0);
    EXPECT_EQ(rig.strip->Selected(), rig.strip->Titles()[3]);

    // Once hidden, moving only hovers.
    rig.strip->OnMouseLeave();
    rig.strip->MouseMove(rig.At(4));
    EXPECT_EQ(rig.dropDown.shown.size(), 3u);
    EXPECT_EQ(rig.strip->Selected(), nullptr);
    EXPECT_EQ(rig.HoverText(), "View");
}

// One recorded call in a painter's terms.
std::string Describe(const DrawCall& call, const Theme& theme, Brushes& brushes) {
    std::ostringstream out;
    if (call.kind == DrawKind::DrawString) {
        const char* brush = call.argb == RecordedArgb(brushes.TextBrush())        ? "text"
                            : call.argb == RecordedArgb(brushes.HighlightBrush()) ? "highlight"
                                                                                  : "other";
        out << call.text << (call.font.style == kFontStyleBold ? " bold " : " regular ") << brush
            << " at " << call.point.X << "," << call.point.Y;
    } else if (call.kind == DrawKind::FillPath) {
        float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
        for (const PathSegment& s : call.path) {
            const bool line = s.kind == SegmentKind::Line;
            for (const auto& [x, y] : {std::pair{s.values[0], s.values[1]},
                                       std::pair{line ? s.values[2] : s.values[0] + s.values[2],
                                                 line ? s.values[3] : s.values[1] + s.values[3]}}) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        const float radius = static_cast<float>(theme.Glass.SelectionRadius);
        const bool rounded = call.path == RecordedSegments(RoundedRect(left, top, right - left,
                                                                       bottom - top, radius));
        out << (call.argb == theme.Glass.Pressed     ? "pressed "
                : call.argb == theme.Glass.Selection ? "selection "
                                                     : "other ")
            << left << "," << top << "," << right - left << "," << bottom - top
            << (rounded ? "" : " (not a rounded rectangle)");
    } else {
        out << "call " << static_cast<int>(call.kind);
    }
    return out.str();
}

TEST(MenuStrip, RedrawPaintsEachTitleByItsState) {
    struct Case {
        const char* name;
        RectI bounds;
        std::vector<std::string> drawn;
    };
    // Pressed Abc (38.5 -> 38 wide), hovered Abcde (53.5 -> 54 wide).
    // Pressed Abc (38.5 -> 38 wide), hovered Abcde (53.5 -> 54 wide); the highlights reach
    // down to the shadow band.
    const Case cases[] = {
        {"bar 36 high",
         {40, 0, 600, 36},
         {"Notes bold text at 6,4", "pressed 69,0,38,23", "Abc regular text at 77,4",
          "selection 122,0,54,23", "Abcde regular highlight at 130,4", "Edit regular text at 198,4",
          "View regular text at 258,4"}},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.strip->SetBounds(c.bounds, {0, 30});
        rig.strip->PopulateFromhWnd(7);
        rig.strip->MouseMove(rig.At(1));
        rig.strip->MouseDown(1, 0, 0);
        rig.dropDown.visible = false;  // it went away without closing: Abc stays pressed
        rig.strip->MouseMove(rig.At(2));
        const int before = rig.changes;
        rig.strip->ResetSelector();
        rig.strip->MouseMove(rig.At(2));
        EXPECT_EQ(rig.changes - before, 3) << c.name;
        EXPECT_EQ(rig.dropDown.shown.size(), 1u) << c.name;

        const auto& calls = RecordedCalls(rig.strip->Image());
        auto clear = std::find_if(calls.rbegin(), calls.rend(), [](const DrawCall& call) {
            return call.kind == DrawKind::Clear;
        });
        ASSERT_NE(clear, calls.rend()) << c.name;
        EXPECT_EQ(clear->argb, 0u) << c.name;
        EXPECT_EQ(clear->settings,
                  (RenderSettings{kTextRenderingHintAntiAlias, kSmoothingModeHighQuality,
                                  kPixelOffsetModeHighQuality}))
            << c.name;
        std::vector<std::string> drawn;
        for (auto call = clear.base(); call != calls.end(); ++call) {
            drawn.push_back(Describe(*call, rig.load.theme, *rig.brushes));
        }
        EXPECT_EQ(drawn, c.drawn) << c.name;
    }
}

TEST(MenuStrip, SettingBoundsRebuildsTheBitmapEvenAtTheSameSize) {
    Rig rig;
    rig.strip->PopulateFromTest();
    const uint64_t first = RecordedImageId(rig.strip->Image());
    const int before = rig.changes;
    rig.strip->SetBounds({40, 0, 600, 36}, {0, 30});
    EXPECT_NE(RecordedImageId(rig.strip->Image()), first);
    EXPECT_EQ(rig.changes - before, 1);
    EXPECT_EQ(rig.strip->Image().width(), 600);
    EXPECT_EQ(rig.strip->Image().Height(), 36);
    EXPECT_EQ(rig.strip->Bounds(), (RectI{40, 0, 600, 36}));
    EXPECT_FALSE(RecordedCalls(rig.strip->Image()).empty());
}

TEST(MenuStrip, RefreshRereadsOnlyWhenTheShortTitleChanged) {
    Rig rig;
    rig.strip->Refresh();  // no window yet
    EXPECT_EQ(rig.menus.reads, 0);

    rig.strip->PopulateFromhWnd(7);
    rig.menus.menuBars[7].push_back("Help");
    rig.strip->Refresh();
    EXPECT_EQ(rig.menus.reads, 1);
    EXPECT_EQ(rig.strip->Titles().size(), 5u);

    rig.strip->Repopulate();
    EXPECT_EQ(rig.menus.reads, 2);
    EXPECT_EQ(rig.strip->Titles().size(), 6u);

    rig.menus.titles[7] = "Notes - draft";
    rig.strip->Refresh();
    EXPECT_EQ(rig.menus.reads, 3);
    EXPECT_EQ(rig.Title(0).text, "Notes - draft");
    EXPECT_EQ(rig.strip->ApplicationName(), "Notes - draft");
}

TEST(MenuStrip, PopulatingReusesTheApplicationTitleAndAddsCustomMenusOnlyWithoutAMenuBar) {
    Rig rig;
    rig.menus.titles[9] = "Console";
    rig.strip->PopulateFromhWnd(7);
    const auto application = rig.strip->Titles()[0];
    EXPECT_TRUE(rig.customMenus.asked.empty());

    rig.strip->PopulateFromhWnd(9);
    EXPECT_EQ(rig.customMenus.asked, std::vector<WindowHandle>{9});
    ASSERT_EQ(rig.strip->Titles().size(), 2u);
    EXPECT_EQ(rig.strip->Titles()[0], application);
    EXPECT_EQ(rig.Title(0).text, "Console");
    EXPECT_EQ(rig.Title(1).text, "Shortcuts");
    EXPECT_EQ(rig.strip->TrackedWindow(), 9u);

    // A new read clears the selected title but keeps the old hover.
    rig.strip->PopulateFromhWnd(7);
    rig.strip->MouseMove(rig.At(3));
    rig.strip->MouseDown(1, 0, 0);
    const auto edit = rig.strip->Titles()[3];
    rig.strip->PopulateFromhWnd(7);
    EXPECT_EQ(rig.strip->Selected(), nullptr);
    EXPECT_EQ(rig.strip->Hover(), edit);
}

TEST(MenuStrip, TestTitlesAreSixEmptyMenus) {
    Rig rig;
    rig.strip->PopulateFromhWnd(7);
    rig.strip->PopulateFromTest();
    std::vector<std::string> texts;
    for (const auto& title : rig.strip->Titles()) texts.push_back(title->text);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Tarvik", "File", "Edit", "View", "Window", "Help"}));
    EXPECT_EQ(rig.strip->TrackedWindow(), 7u);
    EXPECT_EQ(rig.strip->ApplicationName(), "Notes");
    for (size_t i = 1; i < 6; ++i) {
        rig.strip->MouseMove(rig.At(i));
        rig.strip->MouseDown(1, 0, 0);
        ASSERT_FALSE(rig.dropDown.shown.empty());
        EXPECT_TRUE(rig.dropDown.shown.back().items->empty());
        EXPECT_EQ(rig.dropDown.shown.back().items, &rig.Title(i).Children);
    }
    // A failure while filling them is logged; the titles stay.
    rig.strip->Changed = [] { throw Error(7, "out of paint"); };
    rig.strip->PopulateFromTest();
    EXPECT_EQ(rig.log.Records(),
              std::vector<std::string>{R"(7,"MenuStrip","PopulateFromTest","out of paint")"});
    EXPECT_EQ(rig.strip->Titles().size(), 6u);
}

TEST(MenuStrip, ClosingAndLeavingClearTheirParts) {
    Rig rig;
    rig.strip->PopulateFromhWnd(7);
    rig.strip->MouseMove(rig.At(1));
    rig.strip->MouseDown(1, 0, 0);

    // Leaving for another part of the bar hides the drop-down and clears selected only.
    int before = rig.changes;
    rig.strip->OnMouseLeave();
    EXPECT_EQ(rig.dropDown.hides, 1);
    EXPECT_EQ(rig.dropDown.closes, 0);
    EXPECT_EQ(rig.strip->Selected(), nullptr);
    EXPECT_EQ(rig.HoverText(), "Abc");
    EXPECT_EQ(rig.changes - before, 1);
    // Nothing is open or selected any more: no hide, no redraw.
    rig.strip->OnMouseLeave();
    EXPECT_EQ(rig.dropDown.hides, 1);
    EXPECT_EQ(rig.changes - before, 1);

    rig.strip->MouseDown(1, 0, 0);
    before = rig.changes;
    rig.strip->m_menu_Closed();
    EXPECT_EQ(rig.strip->Hover(), nullptr);
    EXPECT_EQ(rig.strip->Selected(), nullptr);
    EXPECT_EQ(rig.changes - before, 1);
}

}  // namespace
}  // namespace tarvik::test
