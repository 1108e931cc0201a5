#include "core/widgets/VolumeWidget.h"

#include <gtest/gtest.h>

#include "core/support/Drawn.h"
#include "core/support/ThemeLoad.h"
#include "core/widgets/AudioPort.h"

namespace tarvik::test {
namespace {

// A device that can come and go: a call on an endpoint whose device went away fails and
// releases it. Counts the bindings tried.
struct FakeEndpoint final : public IAudioEndpoint {
    bool device = true, bound = false, muted = false;
    float level = 0.5f;
    int binds = 0;
    bool EnsureEndpoint() override { return (bound && device) || (++binds, bound = device); }
    void ReleaseEndpoint() override { bound = false; }
    bool Call() { return (bound = bound && device, EnsureEndpoint()); }
    float GetVolume() override { return Call() ? level : -1.0f; }
    void SetVolume(float value) override { Call() && (level = std::clamp(value, 0.0f, 1.0f)); }
    bool GetMute() override { return Call() && muted; }
    void SetMute(bool on) override { Call() && (muted = on); }
    bool TryGetMute(bool& on) override { return bound && (bound = device) && (on = muted, true); }
};

// At 100 %: the canvas is 206 × 46, the track starts at x 42, 21 down, and is 150 long, the
// speaker area ends at 37. The speakers differ in width (18 on, 16 muted) to tell them apart.
struct Rig {
    Rig() {
        load.WritePng("on.png", 18, 18);
        load.WritePng("off.png", 16, 16);
        EXPECT_TRUE(
            load.Load("<t><text face='DejaVu Sans' size='15'/><glass border='44000000'/>"
                      "<widgets><volume src='on.png'/><volume-muted src='off.png'/>"
                      "</widgets></t>"));
    }
    // The canvas's size, then what it paints (see Drawn; the knob is the unnamed colour).
    std::string Open() {
        std::string shown = surface.Show(*widget);
        const GlassStyle& glass = load.theme.Glass;
        for (const std::string& line :
             Drawn(RecordedCalls(surface.graphics), {{glass.SeparatorColor, "track"},
                                                     {glass.Selection, "live"},
                                                     {glass.BorderColor, "edge"},
                                                     {load.theme.DisabledTextColour, "quiet"}}))
            shown += " " + line;
        return shown;
    }
    bool MutedIcon() const { return widget->ButtonIcon() == &load.theme.Skin("volume-muted"); }

    ThemeLoad load;
    FakeEndpoint audio;
    std::shared_ptr<VolumeWidget> widget = std::make_shared<VolumeWidget>(
        VolumeWidgetServices{load.theme, load.brushes(), load.log.trace, load.dpi, audio});
    CanvasSurface surface;
};

TEST(VolumeWidget, PressesGrabTheKnobNearItMoveItElsewhereAndToggleMuteOnTheSpeaker) {
    // Muted at first, the press (the knob is at 117), a move with the given buttons held ->
    // level, muted, still dragging.
    const std::tuple<bool, float, int16_t, float, float, bool, bool> cases[] = {
        {false, 126, 1, 156, 0.7f, false, true},  // 2 beyond the knob's edge: grabbed, no jump
        {false, 108, 1, 83, 0.3333f, false, true},
        {true, 127, 1, 127, 0.5667f, false, true},  // further: the knob jumps; moving unmutes
        {false, 37, 1, 37, 0.0f, false, true},      // the track's reach starts at 37
        {false, 400, 1, -50, 0.0f, false, true},    // pinned at either end
        {false, 60, 1, 400, 1.0f, false, true},
        {false, 36, 1, 60, 0.5f, true, false},
        {true, 36, 1, 36, 0.5f, false, false},
        {true, 117, 0, 117, 0.5f, true, false},  // the button was let go outside
        {false, 60, 2, 90, 0.5f, false, false},  // the right button does nothing
    };
    for (const auto& [muted, press, held, move, level, mutedAfter, dragging] : cases) {
        Rig rig;
        rig.audio.muted = muted;
        EXPECT_EQ(rig.Open(),
                  std::string("206x46 image 14,") +
                      (muted ? "15 16x16 fill track fill quiet" : "14 18x18 fill track fill live") +
                      " fill ? line edge");
        rig.widget->OnCanvasMouseDown(held == 2 ? 2 : 1, press, 20);
        rig.widget->OnCanvasMouseMove(held, move, 20);
        EXPECT_NEAR(rig.audio.level, level, 1e-4) << press;
        EXPECT_EQ((std::tuple{rig.audio.muted, rig.MutedIcon(), rig.widget->Dragging()}),
                  (std::tuple{mutedAfter, mutedAfter, dragging}))
            << press;
    }
}

TEST(VolumeWidget, TheFilledPartNeedsAPixelAndWithoutADeviceThePanelSaysSo) {
    Rig rig;
    rig.audio.level = 0.0066f;  // 0.99 pixels
    EXPECT_EQ(rig.Open(), "206x46 image 14,14 18x18 fill track fill ? line edge");
    rig.audio.device = false;  // the notice is wider than the track: 42 + 22 × 7.5 + 5 + 14
    EXPECT_EQ(rig.Open(), "226x46 image 14,15 16x16 No sound output device quiet 42,14 15");
    rig.widget->OnCanvasMouseDown(1, 20, 20);
    rig.widget->OnCanvasMouseDown(1, 100, 20);
    EXPECT_FALSE(rig.widget->Dragging() || rig.audio.muted || rig.audio.level != 0.0066f);
}

TEST(VolumeWidget, TheBarFollowsTheMuteAndTheDeviceWhichIsLookedForEveryFifthTick) {
    Rig rig;
    EXPECT_FALSE(rig.MutedIcon());  // before the first tick
    // Per tick: the device there, muted elsewhere -> muted icon, bindings tried.
    const std::tuple<bool, bool, bool, int> ticks[] = {
        {1, 0, 0, 1}, {1, 1, 1, 1}, {1, 0, 0, 1}, {1, 0, 0, 1}, {1, 0, 0, 1},
        {1, 0, 0, 2},  // the regular binding
        {0, 0, 1, 3},  // gone: looked for at once, then every fifth tick
        {0, 0, 1, 3}, {0, 0, 1, 3}, {0, 0, 1, 3}, {0, 0, 1, 3}, {0, 0, 1, 4},
        {1, 0, 1, 4}, {1, 0, 1, 4}, {1, 0, 1, 4}, {1, 0, 1, 4}, {1, 0, 0, 5}};
    int tick = 0;
    for (const auto& [device, muted, mutedIcon, binds] : ticks) {
        rig.audio.device = device;
        rig.audio.muted = muted;
        rig.widget->Refresh();
        EXPECT_EQ((std::pair{rig.MutedIcon(), rig.audio.binds}), (std::pair{mutedIcon, binds}))
            << "tick " << ++tick;
    }
    rig.widget->SetRunning(false);
    EXPECT_FALSE(rig.audio.bound) << "switched off, the device is still held";
}

}  // namespace
}  // namespace tarvik::test
