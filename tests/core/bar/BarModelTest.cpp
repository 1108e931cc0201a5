#include "core/bar/BarModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/Error.h"
#include "core/app/HandlerScope.h"
#include "core/app/Rounding.h"
#include "core/menus/MenuStrip.h"
#include "core/menus/NativeMenu.h"
#include "core/support/FakeDropDown.h"
#include "core/support/RecordingGraphics.h"
#include "core/support/TestTrace.h"
#include "core/support/ThemeLoad.h"
#include "core/support/WidgetFakes.h"
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik::test {
namespace {

// Everything the model does to its window and the program, as one list of events.
using Events = std::vector<std::string>;

// The bar's window and the ports of the menus in one, keeping what was asked of them in order.
// Window 7 is "Notes" with a File menu.
class Outside final : public IBarWindow,
                      public ITrayUpkeep,
                      public IMenuReader,
                      public IMessageBox,
                      public ICommandPoster {
  public:
    mutable Events events;
    std::vector<RectI> pushed;  // the area of every frame pushed
    std::function<void()> duringMenu;
    std::function<void()> duringPoll;
    bool failPush = false;
    bool failTitle = false;
    int32_t cursorX = 100;
    int32_t cursorY = 40;

    void KeepPlaced() override { events.push_back("place"); }
    void PollForeground() override {
        events.push_back("poll");
        if (duringPoll) duringPoll();
    }
    void KeepBackdropBelow() override { events.push_back("backdrop"); }
    void KeepDecoyOnTop() override { events.push_back("decoy"); }
    void PruneDeadIcons() override { events.push_back("prune"); }
    void TrayHostTick() override { events.push_back("tray"); }
    void RequestFrame() override { events.push_back("request"); }
    void PushFrame(const RectI& area) override {
        if (failPush) throw Error(87, "The parameter is incorrect.");
        events.push_back("push");
        pushed.push_back(area);
    }
    void ShowContextMenu() override {
        events.push_back("menu");
        if (duringMenu) duringMenu();
    }
    bool ReadCursor(int32_t& x, int32_t& y) override {
        x = cursorX;
        y = cursorY;
        return true;
    }
    MenuHandle MenuBar(WindowHandle) const override { return 1; }
    int32_t ItemCount(MenuHandle menu) const override { return menu == 1 ? 1 : -1; }
    MenuHandle SubMenu(MenuHandle, int32_t) const override { return 0; }
    uint32_t State(MenuHandle, int32_t) const override { return 0; }
    std::string Text(MenuHandle, int32_t) const override { return "File"; }
    int32_t ItemId(MenuHandle, int32_t) const override { return 5; }
    std::string WindowTitle(WindowHandle) const override {
        events.push_back("title");
        if (failTitle) throw Error(1400, "Invalid window handle.");
        return "Notes";
    }
    void Show(std::string_view, std::string_view, uint32_t) override { events.push_back("box"); }
    PostResult PostCommand(WindowHandle, int32_t) override { return {false, 5}; }
};

// The default theme (bar 36 high with a 13-pixel shadow, strip from 50) on a 1920-pixel screen,
// the bar 30 pixels down.
struct Rig {
    Rig() {
        EXPECT_TRUE(load.Load(std::nullopt));
        model.SetPlacement({0, 30, 1920, 36});
        model.SetGraphics(&graphics);
        graphics.FromImage(surface.Image());
        model.Flush();
        outside.events.clear();
    }

    ThemeLoad load;
    TestTrace log;
    Outside outside;
    FakeDropDown dropDown;
    NativeMenu nativeMenu{outside, outside, outside, log.trace, load.theme.Layout};
    Brushes& brushes = load.brushes();
    MenuStrip strip{{load.theme, brushes, log.trace, dropDown, nativeMenu}};
    BarModel model{load.theme, log.trace, strip, nativeMenu, outside};
    GDIPBitmap surface = GDIPBitmap::CreateFromSizeFormat(1920, 36);
    GDIPGraphics graphics;
};

// The same with a widget host at both ends of a second model of the bar.
struct HostedRig : Rig {
    MemorySettings settings;
    FakeCanvas canvas;
    FakeDropDown widgetMenu;
    WidgetHost host{{load.theme, brushes, log.trace, load.dpi, settings, canvas, widgetMenu}};
    BarModel hosted{load.theme, log.trace, strip, nativeMenu, outside, &host};
};

TEST(BarModel, TheStripSpansTheBarAndThePointerIsItsOnlyStrictlyInside) {
    Rig rig;
    // From MenuLeft to the right margin less the gap; never negative.
    EXPECT_EQ(rig.strip.Bounds(), (RectI{50, 0, 1920 - 8 - 2 - 50, 36}));
    EXPECT_EQ(MenuStripBounds(900, 800, 36, rig.load.theme.Layout).Width, 0);
    for (const auto& [x, y, inside] :
         {std::tuple{51, 1, true}, {50, 10, false}, {150, 10, false}, {100, 36, false}}) {
        EXPECT_EQ(StrictlyInside({50, 0, 100, 36}, x, y), inside) << x << "," << y;
    }
    EXPECT_EQ(MousePointOf(0xFFFE0005u).y, -2);

    // Inside, the pointer is the strip's; leaving hands it back once.
    rig.strip.PopulateFromhWnd(7);
    const int16_t onFile = static_cast<int16_t>(50 + rig.strip.Titles()[1]->Left + 3);
    rig.model.MouseMove({onFile, 0});  // the topmost row is outside
    EXPECT_EQ(rig.model.Hover(), BarModel::HoverOwner::None);
    rig.model.MouseMove({onFile, 10});
    EXPECT_EQ(rig.strip.Hover(), rig.strip.Titles()[1]);
    EXPECT_EQ(rig.model.Hover(), BarModel::HoverOwner::Strip);
    rig.model.MouseDown(1, {onFile, 10});
    EXPECT_TRUE(rig.dropDown.visible);
    rig.model.MouseLeave();
    EXPECT_EQ(rig.strip.Hover(), nullptr);
    EXPECT_EQ(rig.model.Hover(), BarModel::HoverOwner::Strip);
}

TEST(BarModel, ChangesMakeOneFrameAndNothingChangedMakesNone) {
    Rig rig;
    rig.model.Tick();
    EXPECT_EQ(rig.outside.events, (Events{"place", "poll", "backdrop"}));  // idle: no frame

    rig.outside.events.clear();
    rig.strip.PopulateFromhWnd(7);
    rig.model.MouseMove({static_cast<int16_t>(50 + rig.strip.Titles()[1]->Left + 3), 10});
    EXPECT_EQ(rig.outside.events, (Events{"title", "request"}));  // several changes, one request
    EXPECT_TRUE(rig.model.Flush());
    EXPECT_FALSE(rig.model.Flush());
    EXPECT_EQ(rig.outside.events.back(), "push");

    // The frame: the visible bar filled, the shadow band below it cleared, each once; the
    // strip's picture in its bounds.
    rig.model.SetFill(0x6EFFFFFF);
    const size_t before = RecordedCalls(rig.graphics).size();
    rig.model.Flush();
    const std::vector<DrawCall> frame(RecordedCalls(rig.graphics).begin() + before,
                                      RecordedCalls(rig.graphics).end());
    std::vector<std::pair<RectF, uint32_t>> cleared;
    RectF clip;
    for (const DrawCall& call : frame) {
        if (call.kind == DrawKind::Clip) clip = call.rect;
        if (call.kind == DrawKind::Clear) cleared.emplace_back(clip, call.argb);
    }
    EXPECT_EQ(cleared, (std::vector<std::pair<RectF, uint32_t>>{
                           {RectF{0, 0, 1920, 23}, 0x6EFFFFFFu}, {RectF{0, 23, 1920, 13}, 0u}}));
    ASSERT_FALSE(frame.empty());
    EXPECT_EQ(frame.back().kind, DrawKind::DrawImage);
    EXPECT_EQ(frame.back().rect, (RectF{50, 0, 1860, 36}));
}

TEST(BarModel, TheTickKeepsItsOrderAndAFailureEndsItWithOneLine) {
    Rig rig;
    rig.strip.PopulateFromhWnd(7);
    rig.nativeMenu.QueuePendingCommandFailure(7, "Save");
    rig.model.Flush();
    rig.outside.events.clear();
    rig.model.Invalidate();
    rig.model.SetTray(&rig.outside);
    rig.model.Tick();
    EXPECT_EQ(rig.outside.events, (Events{"request", "place", "title", "poll", "decoy", "prune",
                                          "tray", "backdrop", "push", "title", "box"}));

    // A frame that fails is logged each time; a failing step ends its tick, logged once.
    rig.outside.failPush = true;
    for (int i = 0; i < 2; ++i) {
        rig.model.Invalidate();
        rig.model.Flush();
    }
    rig.outside.failTitle = true;
    rig.outside.events.clear();
    rig.model.Tick();
    rig.model.Tick();
    EXPECT_EQ(rig.outside.events, (Events{"place", "title", "place", "title"}));
    const std::string drawBar = R"(87,"RivovoZoz","DrawBar","The parameter is incorrect.")";
    EXPECT_EQ(rig.log.Records(),
              (Events{drawBar, drawBar,
                      R"(1400,"RivovoZoz","timEnumerateTasks_Timer","Invalid window handle.")"}));
}

TEST(BarModel, NothingIsDrawnOrRestackedWhileTheContextMenuIsOpen) {
    Rig rig;
    rig.outside.duringMenu = [&rig] {
        rig.model.Tick();
        rig.model.Invalidate();
        EXPECT_FALSE(rig.model.Flush());
    };
    rig.model.MouseUp(1, {100, 10});
    EXPECT_TRUE(rig.outside.events.empty());
    rig.model.MouseUp(2, {100, 10});
    EXPECT_EQ(rig.outside.events, (Events{"menu", "request", "request"}));
    EXPECT_TRUE(rig.model.Flush());
}

// A close dispatched by a loop nested in the model's handler (the context menu's, or a send to
// another program during the tick) frees the model only once that handler has returned.
TEST(BarModel, AClosePutOffByANestedLoopFreesTheModelAfterItsHandler) {
    for (const bool inTick : {false, true}) {
        Rig rig;
        auto model = std::make_unique<BarModel>(rig.load.theme, rig.log.trace, rig.strip,
                                                rig.nativeMenu, rig.outside);
        model->SetGraphics(&rig.graphics);
        (inTick ? rig.outside.duringPoll : rig.outside.duringMenu) = [&] {
            HandlerScope::RunWhenIdle([&] { model.reset(); });
            EXPECT_NE(model, nullptr) << "freed under its own handler";
        };
        inTick ? model->Tick() : model->MouseUp(2, {100, 10});
        EXPECT_EQ(model, nullptr) << inTick;
    }
}

TEST(BarModel, WidgetsTakeThePointerFirstAndTheStripLiesBetweenThem) {
    HostedRig rig;
    WidgetHost& host = rig.host;
    BarModel& model = rig.hosted;
    FakeCanvas& canvas = rig.canvas;
    host.Register(std::make_shared<FakeWidget>("Go", AlignLeft));
    host.Register(std::make_shared<FakeWidget>("Cal", AlignRight, ActivateHoverCanvas));
    model.SetGraphics(&rig.graphics);
    model.SetPlacement({0, 30, 1920, 36});
    // Both buttons are the 50-pixel minimum: 8..58 and 1862..1912; the strip starts at the
    // theme's menu left and ends a gap before the right group.
    EXPECT_EQ(rig.strip.Bounds(), (RectI{60, 0, 1860 - 60, 36}));

    model.MouseMove({1880, 10});
    EXPECT_EQ(model.Hover(), BarModel::HoverOwner::Host);
    EXPECT_TRUE(canvas.visible);
    model.MouseMove({600, 10});  // onto the strip: the host hears of it once
    EXPECT_EQ(model.Hover(), BarModel::HoverOwner::Strip);
    EXPECT_FALSE(canvas.visible);
    model.MouseMove({1880, 10});
    rig.outside.cursorY = 66;  // still on the window's bottom edge
    model.Tick();
    EXPECT_TRUE(canvas.visible);
    rig.outside.cursorY = 67;
    model.Tick();
    EXPECT_FALSE(canvas.visible);

    // A left click on a widget is the widget's; a right click there still opens the bar's menu.
    rig.outside.events.clear();
    model.MouseUp(1, {20, 10});
    model.MouseUp(2, {20, 10});
    EXPECT_EQ(std::count(rig.outside.events.begin(), rig.outside.events.end(), "menu"), 1);

    model.Invalidate();
    model.Flush();
    const auto& calls = RecordedCalls(rig.graphics);
    EXPECT_EQ(calls.back().kind, DrawKind::DrawImage);
    EXPECT_EQ(calls.back().rect, (RectF{1862, 0, 50, 23}));
    EXPECT_EQ(RecordedCalls(host.Slots()[1]->picture).back().text, "Cal");
}

// A change to one button or one title of the strip composes and pushes only its rectangle, the
// rest of the surface kept; a button that changed width lays the bar out and pushes it whole.
TEST(BarModel, APartThatChangedIsComposedAndPushedAlone) {
    HostedRig rig;
    WidgetHost& host = rig.host;
    BarModel& model = rig.hosted;
    host.Register(std::make_shared<FakeWidget>("Go", AlignLeft));
    auto cpu = std::make_shared<FakeWidget>("Cpu", AlignRight, ActivateAction, "12%");
    host.Register(cpu);
    model.SetGraphics(&rig.graphics);
    model.SetPlacement({0, 30, 1920, 36});
    rig.strip.PopulateFromhWnd(7);
    model.Flush();
    const MenuItem& file = *rig.strip.Titles()[1];
    const RectI fileHighlight{60 + NearestInt(file.Left - 10.0), 0, NearestInt(file.width + 20.0),
                              36};
    const WidgetSlot& go = *host.Slots()[0];
    const WidgetSlot& cpuSlot = *host.Slots()[1];

    const RectI whole{0, 0, 1920, 36};
    const struct {
        const char* change;
        std::function<void()> make;
        RectI pushed;
        const WidgetSlot* painted;  // the button painted again, and its text
        const char* text;
    } cases[] = {
        {"the pointer onto a button",
         [&] {
             model.MouseMove({20, 10});
         },
         {8, 0, 50, 23},
         &go,
         "Go"},
        {"the pointer off the bar", [&] { model.MouseLeave(); }, {8, 0, 50, 23}, &go, "Go"},
        {"a new text of the same width",
         [&] {
             cpu->text = "13%";
             model.ClockTick();
         },
         {1862, 0, 50, 23},
         &cpuSlot,
         "13%"},
        {"the pointer onto a title",
         [&] {
             model.MouseMove({static_cast<int16_t>(60 + file.Left + 3), 10});
         },
         fileHighlight, nullptr, nullptr},
        {"a new width",
         [&] {
             cpu->text = "a much longer text";
             model.ClockTick();
         },
         whole, &cpuSlot, "a much longer text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        rig.outside.pushed.clear();
        const size_t before = RecordedCalls(rig.graphics).size();
        const void* picture = c.painted ? c.painted->picture.NativeHandle() : nullptr;
        const size_t paintedBefore = c.painted ? RecordedCalls(c.painted->picture).size() : 0;
        c.make();
        EXPECT_TRUE(model.Flush());
        EXPECT_EQ(rig.outside.pushed, (std::vector<RectI>{c.pushed}));
        const std::vector<DrawCall> frame(RecordedCalls(rig.graphics).begin() + before,
                                          RecordedCalls(rig.graphics).end());
        ASSERT_FALSE(frame.empty());
        std::vector<RectF> pictures;
        for (const DrawCall& call : frame) {
            if (call.kind == DrawKind::DrawImage) pictures.push_back(call.rect);
        }
        if (c.painted) {
            const auto& painted = RecordedCalls(c.painted->picture);
            if (c.painted->picture.NativeHandle() == picture) {
                ASSERT_GT(painted.size(), paintedBefore);
            }
            EXPECT_EQ(painted.back().text, c.text);
        }
        if (c.pushed == whole) {
            EXPECT_EQ(pictures.size(), 3u);  // the strip and both buttons
            continue;
        }
        // Everything is drawn inside the pushed rectangle, and the clip is lifted afterwards.
        const RectF pushed = ToRectF(c.pushed);
        EXPECT_EQ(frame.front().kind, DrawKind::Clip);
        for (const DrawCall& call : frame) {
            if (call.kind != DrawKind::Clip || call.rect == RectF{}) continue;
            EXPECT_TRUE(call.rect.X >= pushed.X && call.rect.Y >= pushed.Y &&
                        call.rect.X + call.rect.Width <= pushed.X + pushed.Width &&
                        call.rect.Y + call.rect.Height <= pushed.Y + pushed.Height);
        }
        EXPECT_EQ(frame.back().kind, DrawKind::Clip);
        EXPECT_EQ(frame.back().rect, RectF{});
        EXPECT_EQ(pictures, (std::vector<RectF>{ToRectF(c.pushed)}));
    }
}

}  // namespace
}  // namespace tarvik::test
