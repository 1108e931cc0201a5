// The real canvas window driven by real pointer input; keys reaching a widget that takes them are
// shown end to end by the shortcut editor.
#include "win32/widgets/framework/WidgetCanvas.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "win32/support/BarHarness.h"
#include "win32/support/PointerInput.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

using Move = std::tuple<int16_t, float, float>;  // buttons, x, y

// A widget that asks for a fixed canvas size and records what the canvas hands it.
class FakeWidget : public IWidget {
  public:
    FakeWidget(int32_t w, int32_t h) : width(w), height(h) {}
    std::string Name() const override { return "Fake"; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateCanvas; }
    const SkinButton* ButtonIcon() const override { return nullptr; }
    std::string ButtonText() const override { return "Fake"; }
    void MeasureCanvas(GDIPGraphics&, int32_t& w, int32_t& h) override { w = width, h = height; }
    void OnCanvasMouseMove(int16_t buttons, float x, float y) override {
        moves.emplace_back(buttons, x, y);
    }
    void OnCanvasMouseLeave() override { ++leaves; }

    int32_t width, height;
    std::vector<Move> moves;
    int leaves = 0;
};

// A widget that takes the keys, capturing them when told to.
struct KeyWidget final : FakeWidget, ICanvasKeys {
    KeyWidget() : FakeWidget(200, 120) {}
    void OnCanvasKeyDown(int16_t, int16_t) override {}
    void OnCanvasKeyPress(int16_t) override {}
    bool CapturesKeys() const override { return capture; }
    bool capture = false;
};

class WidgetCanvasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ParkPointer();
        ASSERT_TRUE(m_harness.Ready());
        BarParts& parts = m_harness.Parts();
        m_canvas = std::make_unique<WidgetCanvas>(WidgetCanvasServices{
            m_harness.GetTheme(), m_log.trace, parts.surfaces, parts.composition, parts.subclass});
        m_canvas->Dismissed = [this] { ++m_dismissed; };
        m_canvas->SetTop(300);
    }
    void TearDown() override {
        m_canvas.reset();
        PumpMessages(50ms);
    }
    void Show(IWidget& widget, int32_t anchorX) {
        m_canvas->ShowFor(widget, anchorX);
        PumpMessages(150ms);
    }
    // Parks the pointer and waits for the leave notification, which comes on a timer.
    void LeaveCanvas() {
        ParkPointer();
        PumpUntil([this] { return !m_canvas->Tracking(); }, 2s);
        PumpMessages(200ms);
    }

    BarHarness m_harness;
    TestLog m_log;
    std::unique_ptr<WidgetCanvas> m_canvas;
    int m_dismissed = 0;
};

TEST_F(WidgetCanvasTest, ThePointerReachesTheWidgetLeavesOnceEachTimeAndShowsTheChosenCursor) {
    FakeWidget widget(200, 120);
    Show(widget, 400);  // window at (300, 300)
    MovePointer(310, 320);
    MovePointer(330, 350);
    EXPECT_EQ(widget.moves, (std::vector<Move>{{0, 10, 20}, {0, 30, 50}}));
    LeaveCanvas();
    EXPECT_EQ(widget.leaves, 1);
    MovePointer(320, 330);  // re-arms the leave notification
    LeaveCanvas();
    EXPECT_EQ(widget.leaves, 2);

    for (const bool on : {true, false}) {
        m_canvas->SetHandCursor(on);
        MovePointer(340, on ? 340 : 350);
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, on ? IDC_HAND : IDC_ARROW)) << on;
        LeaveCanvas();
    }
    EXPECT_EQ(widget.leaves, 4);
}

// Where a canvas goes is the core's (CanvasPlacement); here a canvas of a single pixel that still
// takes the pointer, then the ways it is hidden.
TEST_F(WidgetCanvasTest, ASinglePixelTakesThePointerAndItHidesWhenAnotherProgramIsActive) {
    FakeWidget none(0, -3);
    Show(none, 500);
    MovePointer(500, 300);
    EXPECT_EQ(none.moves, (std::vector<Move>{{0, 0, 0}}));
    LeaveCanvas();
    m_canvas->Hide();
    EXPECT_FALSE(m_canvas->IsVisible());
    EXPECT_EQ(m_dismissed, 0) << "the host's own hiding tells nobody";
    EXPECT_EQ(m_log.Text(), "");

    FakeWidget widget(200, 120);
    Show(widget, 400);
    MovePointer(350, 350);
    SendMessageW(m_canvas->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(m_canvas->IsVisible());
    LeaveCanvas();
    SendMessageW(m_canvas->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(m_canvas->IsVisible());
    EXPECT_EQ(m_dismissed, 0);
    SendMessageW(m_canvas->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(m_canvas->IsVisible());
    EXPECT_EQ(m_dismissed, 1);
    EXPECT_EQ(m_canvas->Widget(), &widget) << "hiding keeps the widget";

    // Closing (Alt+F4) hides it the same way and keeps the window; the canvas takes it along.
    Show(widget, 400);
    const HWND window = m_canvas->Handle();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window) && !m_canvas->IsVisible());
    EXPECT_EQ(m_dismissed, 2);
    // So does Alt+F4, unless the widget captures the keys (while it records a chord).
    KeyWidget keys;
    for (const bool capture : {true, false}) {
        keys.capture = capture;
        Show(keys, 400);
        SendMessageW(window, WM_SYSKEYDOWN, VK_F4, 1 | KF_ALTDOWN << 16);
        PumpMessages(300ms);
        EXPECT_EQ(m_canvas->IsVisible(), capture);
    }
    m_canvas.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(m_harness.Parts().surfaces.Registered(window), nullptr);
}

}  // namespace
}  // namespace tarvik::test
