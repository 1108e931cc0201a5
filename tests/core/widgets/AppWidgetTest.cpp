#include "core/widgets/AppWidget.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/support/FakeDropDown.h"
#include "core/support/RecordingGraphics.h"
#include "core/support/ThemeLoad.h"
#include "core/support/WidgetFakes.h"

namespace tarvik::test {
namespace {

// Text size 15: a character measures 7.5 wide and MeasureString adds 5, so "tarvik.app" and
// "Options..." make 104-pixel buttons and "Back" the 64-pixel minimum, all 24 high. At 100 %
// the page measures are as written: padding 16, title 26, version 20, gap 8, rows 22, box 13.
constexpr std::string_view kTheme = "<t><text face='DejaVu Sans' size='15'/></t>";

std::string At(float x, float y, float size) {
    return " " + std::to_string(int(x)) + "," + std::to_string(int(y)) + " " +
           std::to_string(int(size));
}

// The App widget and the given widgets (Volume switched off), a hidden "Editor", with the App
// canvas open.
struct Rig {
    explicit Rig(std::vector<std::string> others = {"Clock", "Volume"}) {
        EXPECT_TRUE(load.Load(kTheme));
        host.emplace(WidgetHostServices{load.theme, load.brushes(), log.trace, load.dpi, settings,
                                        canvas, menu});
        host->Initialize(bar);
        app = std::make_shared<AppWidget>(
            AppWidgetServices{load.theme, load.brushes(), log.trace, load.dpi, system, {3, 0, 1}});
        host->Register(app);
        for (const std::string& name : others) host->Register(std::make_shared<FakeWidget>(name));
        host->RegisterHidden(std::make_shared<FakeWidget>("Editor"));
        host->SetWidgetEnabled("Volume", false);
        host->SummonCanvas("App", 400);
    }
    // The canvas as measured and painted: its size, every text at its place in its font size
    // ("b" bold), each filled box with its edge, each check mark and each empty box's outline.
    std::vector<std::string> Show() {
        int32_t width = 0;
        int32_t height = 0;
        app->MeasureCanvas(graphics, width, height);
        graphics.FromImage(bitmap.Image());
        app->PaintCanvas(graphics, width, height);
        const Colour& tick = load.theme.HighlightTextColour;
        const uint32_t check = PackArgb(255, tick.Red(), tick.Green(), tick.Blue());
        std::vector<std::string> shown{std::to_string(width) + "x" + std::to_string(height)};
        for (const DrawCall& c : RecordedCalls(graphics)) {
            if (c.kind == DrawKind::DrawString)
                shown.push_back(c.text + At(c.point.X, c.point.Y, c.font.size) +
                                (c.font.style == kFontStyleBold ? "b" : ""));
            if (c.kind == DrawKind::FillRectangle && c.argb == load.theme.Glass.Selection)
                shown.push_back("box" + At(c.rect.X, c.rect.Y, c.rect.Width));
            if (c.kind == DrawKind::DrawPath && c.argb == check) shown.push_back("check");
            if (c.kind == DrawKind::DrawPath && c.argb == load.theme.DisabledTextColour)
                shown.push_back("outline");
        }
        return shown;
    }
    // Shows the widgets page the way a user gets there.
    std::vector<std::string> ShowWidgetsPage() {
        Show();
        app->OnCanvasMouseUp(1, 50, 110);  // "Options..."
        return Show();
    }

    ThemeLoad load;
    TestTrace log;
    MemorySettings settings;
    FakeCanvas canvas;
    FakeDropDown menu;
    FakeWidgetBar bar;
    RecordingCommands system;
    std::shared_ptr<AppWidget> app;
    std::optional<WidgetHost> host;
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(200, 200);
    GDIPGraphics graphics;
};

TEST(AppWidget, PagesShowTheVersionAndTheShownWidgetsWithTheirStates) {
    Rig rig;
    EXPECT_EQ(rig.Show(),
              (std::vector<std::string>{"176x142", "Tarvik 16,16 15b", "Version 3.0.1 16,42 10",
                                        "tarvik.app 48,72 15", "Options... 48,104 15"}));
    EXPECT_EQ(rig.ShowWidgetsPage(),
              (std::vector<std::string>{"176x134", "Widgets 16,16 15b", "box 16,46 13", "check",
                                        "Clock 37,43 15", "outline", "Volume 37,65 15",
                                        "Back 70,96 15"}));
    EXPECT_EQ(rig.canvas.anchors.size(), 2u) << "measured again for the new page";

    Rig alone(std::vector<std::string>{});
    EXPECT_EQ(alone.ShowWidgetsPage(),
              (std::vector<std::string>{"176x90", "Widgets 16,16 15b", "Back 70,52 15"}));
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

TEST(AppWidget, TheAboutPageOpensTheHomePageAndRepaintsOnlyWhenHoverChanges) {
    Rig rig;
    rig.Show();
    rig.app->OnCanvasMouseUp(2, 50, 80);
    EXPECT_TRUE(rig.system.calls.empty());
    rig.app->OnCanvasMouseUp(1, 50, 80);
    EXPECT_EQ(rig.system.calls, std::vector<std::string>{"open https://tarvik.app"});

    // Onto a button, along it, onto the other, out twice: three changes.
    const int before = rig.canvas.repaints;
    for (const float y : {80.0f, 85.0f, 110.0f}) rig.app->OnCanvasMouseMove(0, 60, y);
    rig.app->OnCanvasMouseLeave();
    rig.app->OnCanvasMouseLeave();
    EXPECT_EQ(rig.canvas.repaints - before, 3);
    EXPECT_EQ(rig.app->Page(), 0);
}

}  // namespace
}  // namespace tarvik::test
