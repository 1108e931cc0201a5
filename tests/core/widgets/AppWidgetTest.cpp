#include "core/widgets/AppWidget.h"

#include <gtest/gtest.h>

#include "core/support/Drawn.h"
#include "core/support/WidgetFakes.h"
#include "core/widgets/framework/PushButton.h"

namespace tarvik::test {
namespace {

// Text size 15: a character measures 7.5 wide and MeasureString adds 5, so "tarvik.app" and
// "Options..." make 104-pixel buttons and "Back" the 64-pixel minimum, all 24 high. At 100 %
// the page measures are as written: padding 16, title 26, version 20, gap 8, rows 22, box 13.
constexpr std::string_view kTheme = "<t><text face='DejaVu Sans' size='15'/></t>";

// The App widget and the given widgets (Volume switched off), a hidden "Editor", with the App
// canvas open.
struct Rig : HostRig {
    explicit Rig(Lines others = {"Clock", "Volume"}, Hotkeys* hotkeys = nullptr) : HostRig(kTheme) {
        app = std::make_shared<AppWidget>(AppWidgetServices{
            load.theme, load.brushes(), load.log.trace, load.dpi, system, {3, 0, 1}, hotkeys});
        host->Register(app);
        for (const std::string& name : others) host->Register(std::make_shared<FakeWidget>(name));
        host->RegisterHidden(std::make_shared<FakeWidget>("Editor"));
        host->SetWidgetEnabled("Volume", false);
        host->SummonCanvas("App", 400);
    }
    ~Rig() { host.reset(); }  // it detaches the widgets, which use the rig's parts
    // The canvas as measured and painted: its size, then every text, filled box and check mark
    // (see Drawn).
    Lines Show() {
        Lines shown{surface.Show(*app)};
        const Colour& tick = load.theme.HighlightTextColour;
        for (std::string& line :
             Drawn(RecordedCalls(surface.graphics),
                   {{RecordedArgb(load.brushes().TextBrush()), "text"},
                    {load.theme.Glass.Selection, "box"},
                    {PackArgb(255, tick.Red(), tick.Green(), tick.Blue()), "check"},
                    {load.theme.DisabledTextColour, "dim"}}))
            if (!line.starts_with("fill") && line != "clear" && line != "line ?")
                shown.push_back(std::move(line));
        return shown;
    }
    // Shows the widgets page the way a user gets there.
    Lines ShowWidgetsPage() {
        Show();
        app->OnCanvasMouseUp(1, 50, 110);  // "Options..."
        return Show();
    }

    RecordingCommands system;
    std::shared_ptr<AppWidget> app;
    CanvasSurface surface;
};

TEST(AppWidget, PagesShowTheVersionAndTheShownWidgetsWithTheirStates) {
    Rig rig;
    EXPECT_EQ(rig.Show(), (Lines{"176x142", "Tarvik text 16,16 15b", "Version 3.0.1 dim 16,42 10",
                                 "tarvik.app text 48,72 15", "Options... text 48,104 15"}));
    EXPECT_EQ(
        rig.ShowWidgetsPage(),
        (Lines{"176x134", "Widgets text 16,16 15b", "rect box 16,46 13x13", "line check",
               "Clock text 37,43 15", "line dim", "Volume text 37,65 15", "Back ? 70,96 15"}));
    EXPECT_EQ(rig.canvas.anchors.size(), 2u) << "measured again for the new page";

    Rig alone(Lines{});
    EXPECT_EQ(alone.ShowWidgetsPage(),
              (Lines{"176x90", "Widgets text 16,16 15b", "Back ? 70,52 15"}));
}

TEST(AppWidget, LeftReleasesOnARowToggleItsWidgetAndOnBackReturn) {
    // The rows cover y 42..86 at any x; "Back" is 56..120 across, 94..118 down.
    const std::tuple<float, float, int16_t, bool, bool, int32_t, int> cases[] = {
        // x, y, button -> Clock on, Volume on, page, repaints
        {150, 50, 1, false, false, 1, 1}, {60, 70, 1, true, true, 1, 1},
        {60, 90, 1, true, false, 1, 0},   {60, 50, 2, true, false, 1, 0},
        {70, 100, 2, true, false, 1, 0},  {70, 100, 1, true, false, 0, 0},
        {60, 85.6f, 1, true, true, 1, 1},  // rounds to 86, still the last row
    };
    for (const auto& [x, y, button, clock, volume, page, repaints] : cases) {
        Rig rig;
        rig.ShowWidgetsPage();
        const int before = rig.canvas.repaints;
        rig.app->OnCanvasMouseUp(button, x, y);
        const auto state =
            std::make_tuple(rig.host->WidgetEnabledAt(2), rig.host->WidgetEnabledAt(3),
                            rig.app->Page(), rig.canvas.repaints - before);
        EXPECT_EQ(state, std::make_tuple(clock, volume, page, repaints))
            << x << "," << y << " " << button;
    }
}

TEST(AppWidget, AClickOnAHotkeyRowTakesTheNextChordAndEscapeKeepsTheOldOne) {
    MemorySettings settings;
    FakeHotkeyPort port;
    port.elsewhere.insert({HotkeyChord::kWin | HotkeyChord::kAlt, ' '});
    TestTrace log;
    Hotkeys hotkeys(settings, port, log.trace);
    hotkeys.RegisterAll();
    Rig rig({"Clock"}, &hotkeys);
    // Below Clock's row (42..64): the heading, the hotkeys at 98..120 and 120..142, "Back".
    EXPECT_EQ(rig.ShowWidgetsPage(),
              (Lines{"176x190", "Widgets text 16,16 15b", "rect box 16,46 13x13", "line check",
                     "Clock text 37,43 15", "Hotkeys text 16,72 15b", "Menus text 16,99 15",
                     "Win+Alt+M text 112,101 10", "Search text 16,121 15",
                     "Win+Alt+Space dim 92,123 10", "Back ? 70,152 15"}));
    const auto chords = [&] {
        return hotkeys.ChordText(Hotkeys::Action::OpenMenus) + " " +
               settings.Read("Hotkeys", "OpenMenus", "-");
    };
    // key, modifiers (1 Shift, 2 Ctrl, 4 Alt, 8 Windows) -> recording, chord and stored chord
    const std::tuple<int16_t, int16_t, bool, std::string> keys[] = {
        {17, 2, true, "Win+Alt+M -"},   // Ctrl alone
        {75, 0, true, "Win+Alt+M -"},   // a key without anything held
        {186, 2, true, "Win+Alt+M -"},  // a key without a name
        {27, 0, false, "Win+Alt+M -"},  // Escape: the old chord stays
        {75, 3, false, "Ctrl+Shift+K Ctrl+Shift+K"},
        {75, 12, false, "Win+Alt+K Win+Alt+K"},
    };
    for (const auto& [key, shift, recording, expected] : keys) {
        if (!rig.app->CapturesKeys()) rig.app->OnCanvasMouseUp(1, 150, 105);
        EXPECT_TRUE(rig.app->CapturesKeys());
        EXPECT_EQ(rig.Show().at(7), "Press keys... text 92,101 10");
        rig.app->OnCanvasKeyDown(key, shift);
        EXPECT_EQ(rig.app->CapturesKeys(), recording) << key << " " << shift;
        EXPECT_EQ(chords(), expected) << key << " " << shift;
    }
    rig.app->OnCanvasMouseUp(1, 150, 130);  // the search's row, then a click elsewhere
    rig.app->OnCanvasMouseUp(1, 150, 50);
    EXPECT_FALSE(rig.app->CapturesKeys());
}

TEST(AppWidget, TheAboutPageOpensTheHomePageAndRepaintsOnlyWhenHoverChanges) {
    Rig rig;
    rig.Show();
    rig.app->OnCanvasMouseUp(2, 50, 80);
    EXPECT_TRUE(rig.system.calls.empty());
    rig.app->OnCanvasMouseUp(1, 50, 80);
    EXPECT_EQ(rig.system.calls, Lines{"open https://tarvik.app"});

    // Onto a button, along it, onto the other, out twice: three changes.
    const int before = rig.canvas.repaints;
    for (const float y : {80.0f, 85.0f, 110.0f}) rig.app->OnCanvasMouseMove(0, 60, y);
    rig.app->OnCanvasMouseLeave();
    rig.app->OnCanvasMouseLeave();
    EXPECT_EQ(rig.canvas.repaints - before, 3);
    EXPECT_EQ(rig.app->Page(), 0);
}

// Text size 15: a caption of n characters measures 7.5n + 5 and needs 24 more for the insets.
struct ButtonRig {
    explicit ButtonRig(std::string_view scale = "100") {
        EXPECT_TRUE(load.Load("<t><text face='DejaVu Sans' size='15'/></t>", scale));
        button.emplace(load.theme, load.brushes(), load.log.trace, load.dpi);
        graphics.FromImage(bitmap.Image());
    }
    ThemeLoad load;
    std::optional<PushButton> button;
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(300, 100);
    GDIPGraphics graphics;
};

TEST(PushButton, LaysOutTheRoundedCaptionWidthHitsInsideItsLeftAndTopEdgesOnlyAndDrawsDisabled) {
    // 9 characters: 96.5 -> 96, 11: 111.5 -> 112; at 150 % the minimum is 96 and the height 36.
    const std::tuple<std::string_view, std::string, int32_t, int32_t> cases[] = {
        {"100", "Back", 64, 24},
        {"100", "Abcdefghi", 96, 24},
        {"100", "Abcdefghijk", 112, 24},
        {"150", "", 96, 36},
    };
    for (const auto& [scale, caption, width, height] : cases) {
        ButtonRig rig(scale);
        rig.button->Caption = caption;
        rig.button->LayoutAt(rig.graphics, 10, 20);
        EXPECT_EQ(rig.button->Bounds(), (BoundsRect{10, 20, width, height})) << caption << scale;
    }
    ButtonRig rig;  // wider than its container it starts left of it (halved toward zero)
    rig.button->LayoutCentered(rig.graphics, 41, 5);
    EXPECT_EQ(rig.button->Bounds(), (BoundsRect{-11, 5, 64, 24}));
    rig.button->LayoutAt(rig.graphics, 10, 20);  // 10..74 across, 20..44 down
    for (const auto& [x, y, hit] : {std::tuple{10.0f, 20.0f, true},
                                    {73.9f, 43.9f, true},
                                    {74.0f, 30.0f, false},
                                    {30.0f, 44.0f, false}})
        EXPECT_EQ(rig.button->HitTest(x, y), hit) << x << "," << y;
    EXPECT_TRUE(rig.button->UpdateHover(30, 30));
    EXPECT_FALSE(rig.button->UpdateHover(31, 31));
    rig.button->Enabled = false;  // a disabled button is never hovered
    EXPECT_TRUE(rig.button->UpdateHover(30, 30));
    EXPECT_FALSE(rig.button->Hovered);
    rig.button->Caption = "Back";  // drawn plain and greyed
    rig.button->Accent = rig.button->Hovered = true;
    rig.button->LayoutAt(rig.graphics, 10, 20);
    rig.button->Draw(&rig.graphics);
    // The plain face, not the accent or hot one; the text 10 + (64 - 35) \ 2 across and
    // 20 + (24 - 15) \ 2 - 2 down.
    Brushes& brushes = rig.load.brushes();
    EXPECT_EQ(Drawn(RecordedCalls(rig.graphics),
                    {{0xAFFFFFFF, "plain"}, {RecordedArgb(brushes.DisabledBrush()), "dim"}}),
              (Lines{"fill plain", "line ?", "Back dim 24,22 15"}));
}

}  // namespace
}  // namespace tarvik::test
