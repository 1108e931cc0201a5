#include "core/widgets/framework/WidgetHost.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/support/WidgetFakes.h"
#include "core/widgets/framework/CanvasPlacement.h"

namespace tarvik::test {
namespace {

// Text size 12: "a" measures 6 + 4 = 10 wide and 14.4 high, so a one-letter button is the
// 30-pixel minimum with its content 10 in; every added letter adds 6.
constexpr std::string_view kTheme =
    "<t><text face='DejaVu Sans' size='12'/><widgets left='8' pad='6' min-width='30'/>"
    "<status gap='2' right='8'/></t>";

// The widgets outlive the host, which detaches them when it goes.
struct Widgets {
    FakeWidget start{"Start", AlignLeft, ActivateMenu, "a"};
    FakeWidget clock{"Clock", AlignRight, ActivateHoverCanvas, "abcdefgh"};
    FakeWidget app{"App", AlignRight, ActivateCanvas, "a"};
    FakeWidget action{"Act", AlignRight, ActivateAction, "a"};
    FakeWidget hidden{"Editor", AlignRight, ActivateCanvas, "a"};
};

struct Rig : Widgets, HostRig {
    explicit Rig(std::string_view disabled = "") : HostRig(kTheme, disabled) {
        bar.host = &*host;
        for (FakeWidget* widget : {&start, &clock, &app, &action})
            host->Register(std::shared_ptr<IWidget>(std::shared_ptr<void>(), widget));
        host->RegisterHidden(std::shared_ptr<IWidget>(std::shared_ptr<void>(), &hidden));
        surface.FromImage(bitmap.Image());
        host->SetGraphics(&surface);
        host->Arrange(800);
        settings.writes = 0;
    }
    std::string Stored() { return settings.Read("Widgets", "Disabled", "(none)"); }
    const WidgetSlot& Slot(int index) const { return *host->Slots().at(index); }
    MousePoint Centre(int index) const {
        const BoundsRect b = Slot(index).Bounds;
        return {int16_t(b.X + b.Width / 2), int16_t(b.Height / 2)};
    }
    void Click(int index) {
        host->OnMouseDown(Centre(index));
        host->OnMouseUp(1, Centre(index));
    }

    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(800, 36);
    GDIPGraphics surface;
};

TEST(WidgetHost, ArrangesBothGroupsFromTheEndsAndLeavesOffSlotsEmpty) {
    Rig rig("app");  // stored names match regardless of case
    EXPECT_EQ(rig.Slot(0).Bounds, (BoundsRect{8, 0, 30, 24}));
    EXPECT_EQ(rig.Slot(0).ContentLeft, 18);                       // 8 + (30 - 10) \ 2
    EXPECT_EQ(rig.Slot(0).ContentTop, 5);                         // (24 - 14) \ 2
    EXPECT_EQ(rig.Slot(1).Bounds, (BoundsRect{728, 0, 64, 24}));  // 52 + 2 × 6, from 800 - 8
    EXPECT_EQ(rig.Slot(2).Bounds, BoundsRect{});                  // switched off
    EXPECT_EQ(rig.Slot(3).Bounds, (BoundsRect{696, 0, 30, 24}));  // moved right into its place
    EXPECT_EQ(rig.Slot(4).Bounds, BoundsRect{});                  // hidden
    EXPECT_EQ(std::pair(rig.host->StripLeft(), rig.host->StripRight()), std::pair(40, 696));
    EXPECT_FALSE(rig.host->WidgetEnabledAt(3));
    EXPECT_TRUE(rig.host->WidgetEnabledAt(5));  // hidden widgets are always enabled
    EXPECT_EQ(rig.host->WidgetNameAt(6), "");

    // Strict on every side: edges and the top row hit nothing.
    const std::pair<MousePoint, bool> points[] = {
        {{728, 10}, false}, {{729, 10}, true}, {{792, 10}, false}, {{730, 0}, false}};
    for (const auto& [point, over] : points) {
        EXPECT_EQ(rig.host->OnMouseMove(point), over) << point.x << "," << point.y;
        rig.host->OnMouseMiss();
        rig.host->CloseCanvas();
    }
}

TEST(WidgetHost, StoresTheSwitchedOffWidgetsOnlyWhenSomethingChanges) {
    Rig rig("clock,Weather");
    rig.host->SetWidgetEnabled("Clock", false);  // already off
    rig.host->SetWidgetEnabled("act", false);    // names match exactly here: no such widget
    EXPECT_TRUE(rig.Slot(3).Enabled);
    rig.host->SetWidgetEnabled("Act", false);
    // Registration order; a stored name this program does not know is kept, not lost.
    EXPECT_EQ(rig.Stored(), "Clock,Act,Weather");
    EXPECT_EQ(rig.Slot(3).Bounds, BoundsRect{});  // laid out again at once
    rig.host->SetWidgetEnabled("Clock", true);
    rig.host->SetWidgetEnabled("Act", true);
    EXPECT_EQ(rig.Stored(), "Weather");

    Rig plain("Act");
    plain.host->SetWidgetEnabled("Act", true);
    EXPECT_EQ(plain.Stored(), "");
    EXPECT_EQ(plain.settings.writes, 1);
}

TEST(WidgetHost, KeepsOnePopupOpenAndASecondClickClosesIt) {
    Rig rig;
    // Hovering the clock opens its canvas under the content's centre, below the bar.
    rig.host->OnMouseMove(rig.Centre(1));
    EXPECT_EQ(rig.canvas.widget, &rig.clock);
    EXPECT_EQ(rig.canvas.anchors.back(), 760);  // 734 + 52 \ 2
    EXPECT_EQ(rig.canvas.top, 36);
    rig.host->OnMouseMove(rig.Centre(2));  // another button closes it
    EXPECT_FALSE(rig.canvas.visible);
    EXPECT_EQ(rig.host->OpenSlot(), nullptr);
    rig.host->OnMouseMove(rig.Centre(1));
    rig.host->OnMouseMove({400, 10});  // empty bar keeps it, leaving the bar closes it
    rig.host->OnMouseMiss();
    EXPECT_TRUE(rig.canvas.visible);
    rig.host->OnBarMouseLeave();
    EXPECT_FALSE(rig.canvas.visible);

    rig.Click(2);
    EXPECT_EQ(rig.canvas.widget, &rig.app);
    rig.host->OnMouseMove(rig.Centre(1));  // hovering the clock does not switch canvases
    EXPECT_EQ(rig.canvas.widget, &rig.app);
    // The second click: the bar's activation closes the canvas and the release is swallowed.
    rig.host->OnBarActivated(rig.canvas.Window());
    rig.host->OnOwnerActivate();
    rig.Click(2);
    EXPECT_FALSE(rig.canvas.visible);
    EXPECT_EQ(rig.host->PressedSlot(), nullptr);
    rig.Click(2);  // a third click opens it again
    EXPECT_TRUE(rig.canvas.visible);
    // Closed from elsewhere while active, the canvas hands the activation to the bar: that is
    // no press on its button, and the next click opens it.
    rig.canvas.onHide = [&rig] { rig.host->OnBarActivated(rig.canvas.Window()); };
    rig.host->CloseCanvas();
    rig.canvas.onHide = nullptr;
    rig.Click(2);
    EXPECT_TRUE(rig.canvas.visible);

    // A menu widget: owners set at every depth, dropped under the button, closed by disabling.
    rig.Click(0);
    ASSERT_EQ(rig.menu.shown.size(), 1u);
    const MenuItemList& items = *rig.menu.shown[0].first;
    EXPECT_EQ(items[0]->Children[0]->OwnerWidget, &rig.start);
    EXPECT_EQ(std::pair(rig.menu.shown[0].second.x, rig.menu.shown[0].second.y),
              std::pair(8.0, 24.0));
    EXPECT_EQ(rig.host->OpenSlot(), &rig.Slot(0));
    rig.host->SetWidgetEnabled("Start", false);
    EXPECT_FALSE(rig.menu.visible);

    rig.Click(2);
    rig.host->SetWidgetEnabled("App", false);
    EXPECT_FALSE(rig.canvas.visible);
    EXPECT_EQ(rig.host->OpenSlot(), nullptr);

    // A canvas that hid itself releases its button; a summoned one never starts left of 140.
    rig.host->SummonCanvas("Editor", 10);
    EXPECT_EQ(rig.canvas.anchors.back(), 140);
    rig.canvas.Dismiss();
    EXPECT_EQ(rig.host->OpenSlot(), nullptr);
    rig.host->SummonCanvas("App", 300);  // switched off: never summoned
    EXPECT_FALSE(rig.canvas.visible);
}

TEST(WidgetHost, TickReportsOnlyWidthChangesAndWidgetFailuresAreLoggedOnce) {
    Rig rig;
    rig.clock.text = "hgfedcba";  // same width: no layout, but a frame
    const int draws = rig.bar.draws;
    EXPECT_FALSE(rig.host->OnTick());
    EXPECT_EQ(rig.Slot(1).text, "hgfedcba");
    EXPECT_GT(rig.bar.draws, draws);
    rig.clock.text = "abcdefghi";
    EXPECT_TRUE(rig.host->OnTick());
    EXPECT_FALSE(rig.host->OnTick());
    rig.clock.icon = &rig.load.theme.Skin("start");  // a picture: 16 wide without frames
    EXPECT_TRUE(rig.host->OnTick());
    rig.clock.icon = &rig.load.theme.Skin("tray");  // another of the same size: only a frame
    const int before = rig.bar.draws;
    EXPECT_FALSE(rig.host->OnTick());
    EXPECT_GT(rig.bar.draws, before);

    rig.action.failing = true;
    EXPECT_TRUE(rig.host->OnMouseUp(1, rig.Centre(3)));
    EXPECT_TRUE(rig.host->OnMouseUp(1, rig.Centre(3)));
    EXPECT_EQ(rig.load.log.Records(), Lines{R"(0,"WidgetHost","OnMouseUp","the action failed")"});
    rig.action.failing = false;
    rig.host->OnMouseUp(1, rig.Centre(3));
    EXPECT_EQ(rig.action.actions, 1);
    EXPECT_FALSE(rig.host->OnMouseUp(2, rig.Centre(3)));  // only the left button counts
}

TEST(CanvasPlacement, CentredOnTheAnchorAndKeptInsideTheScreensRightEdgeOnly) {
    // The anchor's x and the size asked for -> where the canvas goes on a 1920-pixel screen.
    const std::tuple<int32_t, int32_t, int32_t, CanvasPlacement> cases[] = {
        {400, 200, 120, {300, 200, 120}},
        {401, 201, 50, {301, 201, 50}},    // half the width, truncated
        {1820, 300, 90, {1620, 300, 90}},  // flush with the right edge
        {1770, 300, 90, {1620, 300, 90}},  // ends exactly at the edge: stays
        {1771, 300, 90, {1620, 300, 90}},  // one pixel past: moved back
        {50, 200, 40, {-50, 200, 40}},     // no check on the left
        {500, 0, -3, {500, 1, 1}},         // nothing asked for: one pixel
        {INT32_MAX, INT32_MAX, 1, {1920 - int64_t{INT32_MAX}, INT32_MAX, 1}},
    };
    for (const auto& [anchorX, width, height, placed] : cases)
        EXPECT_EQ(PlaceCanvas(anchorX, width, height, 1920), placed) << anchorX << " " << width;
}

}  // namespace
}  // namespace tarvik::test
