#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/app/Error.h"
#include "core/app/HandlerScope.h"
#include "core/bar/BarModel.h"
#include "core/bar/WorkArea.h"
#include "core/menus/MenuStrip.h"
#include "core/menus/NativeMenu.h"
#include "core/support/Drawn.h"
#include "core/support/WidgetFakes.h"

namespace tarvik::test {
namespace {

// The bar's window and the ports of the menus in one, keeping what was asked of them in order.
// Window 7 is "Notes" with a File menu.
struct Outside final : IBarWindow, ITrayUpkeep, IMenuReader, IMessageBox, ICommandPoster {
    mutable Lines events;
    std::vector<RectI> pushed;  // the area of every frame pushed
    std::function<void()> duringMenu, duringPoll;
    bool failPush = false, failTitle = false;
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
    bool ReadCursor(int32_t& x, int32_t& y) override { return x = 100, y = cursorY, true; }
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
        EXPECT_TRUE(loaded);
        model.SetPlacement({0, 30, 1920, 36});
        model.SetGraphics(&graphics);
        graphics.FromImage(surface.Image());
        model.Flush();
        outside.events.clear();
    }
    // Flushes the next frame of `bar`: the area pushed, then the calls (see Drawn; a clear with
    // its colour).
    Lines Next(BarModel& bar) {
        const size_t from = RecordedCalls(graphics).size();
        outside.pushed.clear();
        EXPECT_TRUE(bar.Flush());
        const std::vector<DrawCall> calls(RecordedCalls(graphics).begin() + from,
                                          RecordedCalls(graphics).end());
        Lines lines = Drawn(calls, {});
        for (size_t i = 0; i < calls.size(); ++i)
            if (calls[i].kind == DrawKind::Clear) lines[i] += " " + std::to_string(calls[i].argb);
        for (const RectI& r : outside.pushed)
            lines.insert(lines.begin(), "pushed " + std::to_string(r.X) + "," +
                                            std::to_string(r.Y) + " " + std::to_string(r.Width) +
                                            "x" + std::to_string(r.Height));
        return lines;
    }

    ThemeLoad load;
    bool loaded = load.Load(std::nullopt);  // before the brushes take the theme's colours
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

// The same with a widget host at both ends of a second model of the bar, a left "Go" and a
// right "Cal" button.
struct HostedRig : Rig, HostRig {
    HostedRig() {
        host->Register(std::make_shared<FakeWidget>("Go", AlignLeft));
        host->Register(cal);
        hosted.SetGraphics(&graphics);
        hosted.SetPlacement({0, 30, 1920, 36});
    }
    // What button `index` shows now: its picture's calls since its last clear (see Drawn).
    Lines Button(int index) {
        Brushes& b = HostRig::load.brushes();
        const Lines all = Drawn(
            RecordedCalls(host->Slots()[index]->picture),
            {{RecordedArgb(b.TextBrush()), "text"}, {RecordedArgb(b.HighlightBrush()), "high"}});
        return Lines(std::find(all.rbegin(), all.rend(), "clear").base(), all.end());
    }

    BarModel hosted{Rig::load.theme, log.trace, strip, nativeMenu, outside, &*host};
    std::shared_ptr<FakeWidget> cal =
        std::make_shared<FakeWidget>("Cal", AlignRight, ActivateHoverCanvas);
};

TEST(BarModel, TheStripTakesThePointerStrictlyInsideAndChangesMakeOneFrame) {
    Rig rig;
    // From MenuLeft to the right margin less the gap; never negative.
    EXPECT_EQ(rig.strip.Bounds(), (RectI{50, 0, 1920 - 8 - 2 - 50, 36}));
    EXPECT_EQ(MenuStripBounds(900, 800, 36, rig.load.theme.Layout).Width, 0);
    for (const auto& [x, y, inside] :
         {std::tuple{51, 1, true}, {50, 10, false}, {150, 10, false}, {100, 36, false}})
        EXPECT_EQ(StrictlyInside({50, 0, 100, 36}, x, y), inside) << x << "," << y;
    EXPECT_EQ(MousePointOf(0xFFFE0005u).y, -2);
    rig.model.Tick();
    EXPECT_EQ(rig.outside.events, (Lines{"place", "poll", "backdrop"}));  // idle: no frame

    // Inside, the pointer is the strip's; leaving hands it back once.
    rig.outside.events.clear();
    rig.strip.PopulateFromhWnd(7);
    const int16_t onFile = static_cast<int16_t>(50 + rig.strip.Titles()[1]->Left + 3);
    rig.model.MouseMove({onFile, 0});  // the topmost row is outside
    EXPECT_EQ(rig.model.Hover(), BarModel::HoverOwner::None);
    rig.model.MouseMove({onFile, 10});
    EXPECT_EQ(rig.strip.Hover(), rig.strip.Titles()[1]);
    EXPECT_EQ(rig.model.Hover(), BarModel::HoverOwner::Strip);
    EXPECT_EQ(rig.outside.events, (Lines{"title", "request"}));  // several changes, one request
    EXPECT_TRUE(rig.model.Flush());
    EXPECT_FALSE(rig.model.Flush());
    rig.model.MouseDown(1, {onFile, 10});
    EXPECT_TRUE(rig.dropDown.visible);
    rig.model.MouseLeave();
    EXPECT_EQ(rig.strip.Hover(), nullptr);
    EXPECT_EQ(rig.model.Hover(), BarModel::HoverOwner::Strip);

    // The visible bar filled, the shadow band below it cleared, each once; the strip's picture.
    rig.model.SetFill(7);
    EXPECT_EQ(rig.Next(rig.model),
              (Lines{"pushed 0,0 1920x36", "clip 0,0 1920x23", "clear 7", "clip off",
                     "clip 0,23 1920x13", "clear 0", "clip off", "image 50,0 1860x36"}));
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
    EXPECT_EQ(rig.outside.events, (Lines{"request", "place", "title", "poll", "decoy", "prune",
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
    EXPECT_EQ(rig.outside.events, (Lines{"place", "title", "place", "title"}));
    const std::string drawBar = R"(87,"RivovoZoz","DrawBar","The parameter is incorrect.")";
    EXPECT_EQ(rig.log.Records(),
              (Lines{drawBar, drawBar,
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
    EXPECT_EQ(rig.outside.events, (Lines{"menu", "request", "request"}));
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
    BarModel& model = rig.hosted;
    // Both buttons are the 50-pixel minimum: 8..58 and 1862..1912; the strip starts at the
    // theme's menu left and ends a gap before the right group.
    EXPECT_EQ(rig.strip.Bounds(), (RectI{60, 0, 1860 - 60, 36}));

    model.MouseMove({1880, 10});
    EXPECT_EQ(model.Hover(), BarModel::HoverOwner::Host);
    EXPECT_TRUE(rig.canvas.visible);
    model.MouseMove({600, 10});  // onto the strip: the host hears of it once
    EXPECT_EQ(model.Hover(), BarModel::HoverOwner::Strip);
    EXPECT_FALSE(rig.canvas.visible);
    model.MouseMove({1880, 10});
    rig.outside.cursorY = 66;  // still on the window's bottom edge
    model.Tick();
    EXPECT_TRUE(rig.canvas.visible);
    rig.outside.cursorY = 67;
    model.Tick();
    EXPECT_FALSE(rig.canvas.visible);

    // A left click on a widget is the widget's; a right click there still opens the bar's menu.
    rig.outside.events.clear();
    model.MouseUp(1, {20, 10});
    model.MouseUp(2, {20, 10});
    EXPECT_EQ(std::count(rig.outside.events.begin(), rig.outside.events.end(), "menu"), 1);
}

// A change to one button or one title of the strip composes and pushes only its rectangle, the
// rest of the surface kept; a button that changed width lays the bar out and pushes it whole.
TEST(BarModel, APartThatChangedIsComposedAndPushedAlone) {
    HostedRig rig;
    BarModel& model = rig.hosted;
    rig.strip.PopulateFromhWnd(7);
    model.Flush();
    // A button's frame: its area filled, then its picture, each clipped to the area.
    const auto buttonFrame = [](const std::string& r) {
        return Lines{"pushed " + r, "clip " + r,  "clear 0", "clip off",
                     "clip " + r,   "image " + r, "clip off"};
    };
    model.MouseMove({20, 10});  // onto a button
    EXPECT_EQ(rig.Next(model), buttonFrame("8,0 50x23"));
    EXPECT_EQ(rig.Button(0), (Lines{"fill ?", "Go high 15,2 15"}));
    model.MouseLeave();
    EXPECT_EQ(rig.Next(model), buttonFrame("8,0 50x23"));
    EXPECT_EQ(rig.Button(0), (Lines{"Go text 15,2 15"}));
    rig.cal->text = "13%";  // a new text of the same width
    model.ClockTick();
    EXPECT_EQ(rig.Next(model), buttonFrame("1862,0 50x23"));
    EXPECT_EQ(rig.Button(1), (Lines{"13% text 11,2 15"}));
    // Onto the File title: its highlight, 10 wider on either side.
    model.MouseMove({static_cast<int16_t>(60 + rig.strip.Titles()[1]->Left + 3), 10});
    EXPECT_EQ(rig.Next(model), (Lines{"pushed 116,0 50x36", "clip 116,0 50x23", "clear 0",
                                      "clip off", "clip 116,23 50x13", "clear 0", "clip off",
                                      "clip 116,0 50x36", "image 116,0 50x36", "clip off"}));
    rig.cal->text = "a much longer text";
    model.ClockTick();
    EXPECT_EQ(rig.Next(model),
              (Lines{"pushed 0,0 1920x36", "clip 0,0 1920x23", "clear 0", "clip off",
                     "clip 0,23 1920x13", "clear 0", "clip off", "image 60,0 1702x36",
                     "image 8,0 50x23", "image 1764,0 148x23"}));
    EXPECT_EQ(rig.Button(1), (Lines{"a much longer text text 4,2 15"}));
}

// The desktop's work area in memory; a read or write fails with the given system error code.
struct FakeDesktop final : IDesktopWorkArea {
    WorkspaceRect rect;
    std::optional<int32_t> readError, writeError;
    int writes = 0;
    WorkspaceRect Screen() override { return {0, 0, 1920, 1080}; }

    WorkspaceRect Read() override { return readError ? throw Error(*readError, "read") : rect; }
    void Write(const WorkspaceRect& value) override {
        rect = writeError ? throw Error(*writeError, "write") : value;
        ++writes;
    }
};

TEST(WorkArea, FailuresAreLoggedAndLeaveTheReservationToRetry) {
    TestTrace log;
    FakeDesktop desktop;
    MemorySettings settings;
    desktop.readError = 1439;
    WorkArea unreadable(desktop, settings, log.trace, 23, 0);
    unreadable.Reserve();
    EXPECT_FALSE(unreadable.Reserved());

    desktop.readError.reset();
    desktop.rect = {0, 0, 1920, 1040};
    desktop.writeError = 5;
    WorkArea workArea(desktop, settings, log.trace, 23, 0);
    workArea.Reserve();  // a refused write keeps the reservation on record
    EXPECT_TRUE(workArea.Reserved());
    desktop.writeError.reset();
    desktop.rect = {0, 23, 1920, 1040};
    desktop.readError = 6;
    workArea.Restore();
    EXPECT_TRUE(workArea.Reserved());
    desktop.readError.reset();
    workArea.Restore();
    EXPECT_EQ(desktop.rect, (WorkspaceRect{0, 0, 1920, 1040}));
    EXPECT_FALSE(workArea.Reserved());
    EXPECT_EQ(log.Records(),
              (Lines{R"(1439,"WorkArea","GetWorkspace","failed to get the user workspace")",
                     R"(5,"WorkArea","SetWorkspace","failed to set the user workspace")",
                     R"(6,"WorkArea","GetWorkspace","failed to get the user workspace")"}));
}

TEST(WorkArea, ReserveTakesOnlyWhatIsMissingOrTakesOverTheStripAnEarlierRunLeftOnThisScreen) {
    // Left on record (saved top, reserved top, screen), the top found at start, the bar's offset
    // now, and the top after Reserve and after Restore (a strip is taken when they differ). A
    // record that does not fit is logged.
    const std::string screen = "1920x1080";
    const std::tuple<std::string, std::string, std::string, int32_t, int32_t, int32_t, int32_t>
        cases[] = {
            {"", "", "", 0, 0, 23, 0},            // nothing on record
            {"", "", "", 10, 0, 23, 10},          // another strip above ours
            {"", "", "", 23, 0, 23, 23},          // already exactly reserved
            {"", "", "", 40, 30, 53, 40},         // moved down past another bar
            {"0", "23", screen, 23, 0, 23, 0},    // ended from Task Manager: taken over
            {"0", "23", "", 23, 0, 23, 0},        // so by a version that kept no screen size
            {"0", "53", screen, 53, 0, 23, 0},    // it was moved down 30 pixels; this run is not
            {"0", "23", screen, 23, 30, 53, 0},   // this run is moved down; the earlier one not
            {"30", "53", screen, 53, 0, 30, 30},  // a taller strip above it now: that one goes back
            {"0", "23", screen, 40, 0, 40, 40},   // a fresh session, with another program's strip
            // Ignored and logged: the strip found stays as it is.
            {"x", "23", screen, 23, 0, 23, 23},
            {"0", "23", "1280x1024", 23, 0, 23, 23},
            {"0", "2000", "", 2000, 0, 2000, 2000},
            {"-5000", "23", screen, 23, 0, 23, 23},
            {"30", "23", screen, 23, 0, 23, 23},
            {"900", "2000", screen, 2000, 0, 2000, 2000},
        };
    TestTrace log;
    for (const auto& [saved, top, size, found, offset, reserved, restored] : cases) {
        FakeDesktop desktop;
        desktop.rect = {0, found, 1920, 1040};
        MemorySettings settings;
        settings.values = {{{"WorkArea", "SavedTop"}, saved},
                           {{"WorkArea", "ReservedTop"}, top},
                           {{"WorkArea", "Screen"}, size}};
        WorkArea workArea(desktop, settings, log.trace, 23, offset);
        workArea.Reserve();
        const bool taken = workArea.Reserved();
        EXPECT_EQ(std::tuple(desktop.rect.top, taken), std::tuple(reserved, reserved != restored))
            << saved << "," << top << " " << found;
        EXPECT_EQ(settings.Read("WorkArea", "Screen", ""), taken ? screen : "");
        desktop.rect.right -= 100;  // only the top is put back, once, on the current work area
        workArea.Restore();
        workArea.Restore();
        EXPECT_EQ(desktop.rect, (WorkspaceRect{0, restored, 1820, 1040})) << saved << " " << found;
        EXPECT_EQ(desktop.writes, taken ? 2 : int(restored != found)) << saved << " " << found;
        EXPECT_TRUE(settings.values.empty()) << saved << "," << top << " " << found;
    }
    EXPECT_EQ(log.Records(), Lines(6, R"(0,"WorkArea","Reserve","the strip on record does )"
                                      R"(not fit this screen - record ignored")"));
    FakeDesktop desktop;
    MemorySettings settings;
    EXPECT_EQ(WorkArea(desktop, settings, log.trace, INT32_MAX, 2000).ReservedHeight(), INT32_MAX);
}

}  // namespace
}  // namespace tarvik::test
