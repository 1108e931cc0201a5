// The volume widget without a sound device (Wine has none here) and the stats widget's panel.
#include <windows.h>

#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "win32/support/PointerInput.h"

namespace tarvik::test {
namespace {

// Clicks the n-th button from the right and saves the canvas that opens once it is the given
// height (any, when 0); returns the canvas's rectangle (empty when none).
RECT OpenCanvas(TarvikCopy& tarvik, int n, int height, const wchar_t* picture) {
    MovePointer(ScreenWidth() - 8 - 25 - 52 * n, 10);
    ClickPointer();
    const HWND canvas = tarvik.WaitForWindow(L"Tarvik_WidgetCanvas", 3s);
    RECT rect{};
    PumpUntil(
        [&] {
            return GetWindowRect(canvas, &rect) && (!height || rect.bottom - rect.top == height);
        },
        3s);
    PumpMessages(300ms);
    SaveScreenshot(ScreenshotFolder() / picture,
                   {rect.left - 20, 0, rect.right + 20, rect.bottom + 20});
    return rect;
}

// App, Volume and Stats from the right. The unmuted speaker is given the App button's picture:
// without a device the Volume button beside App must show the other, muted, picture. The stats
// panel's memory bar starts filled at (16, 118) of the canvas, in the selection's blue.
TEST(VolumeStats, WithoutASoundDeviceTheSpeakerIsMutedAndTheStatsPanelShowsTheMemoryInUse) {
    StartGdiPlus();
    TarvikCopy tarvik;
    ASSERT_TRUE(CopyFileW((tarvik.Folder() / L"resources/app.png").c_str(),
                          (tarvik.Folder() / L"resources/volume.png").c_str(), FALSE));
    {
        const OnlyWidgets shown{L"App", L"Volume", L"Stats"};
        ASSERT_TRUE(tarvik.StartDemo(0ms));
    }
    const auto mutedSpeaker = [] {
        const auto buttons = ScreenshotFolder() / L"volume-buttons.png";
        SaveScreenshot(buttons, RECT{ScreenWidth() - 110, 0, ScreenWidth() - 8, kVisibleBar});
        const GDIPImage pair = GDIPImage::FromFile(buttons.string());
        int differ = 0;
        for (int i = 0; i < 50 * kVisibleBar; ++i)
            differ += PixelOf(pair, i % 50, i / 50) != PixelOf(pair, 52 + i % 50, i / 50);
        return differ > 20;
    };
    EXPECT_TRUE(PumpUntil(mutedSpeaker, 5s)) << "the speaker does not show muted";
    RECT rect = OpenCanvas(tarvik, 1, 0, L"volume-canvas.png");
    ASSERT_GT(rect.bottom, rect.top) << "no panel";
    MovePointer(rect.left + 20, rect.top + 23);  // the speaker: nothing to mute
    ClickPointer();
    PumpMessages(2s);
    EXPECT_FALSE(tarvik.WaitForExit(0ms)) << "it ended";
    EXPECT_EQ(LinesWith(tarvik.LogFile(), "CoreAudio"), 1);

    rect = OpenCanvas(tarvik, 2, 140, L"stats-canvas.png");
    ASSERT_EQ(rect.bottom - rect.top, 140) << "no stats panel";
    const GDIPImage shot = GDIPImage::FromFile((ScreenshotFolder() / L"stats-canvas.png").string());
    const uint32_t p = PixelOf(shot, 20 + 17, rect.top + 121);
    EXPECT_GT(p & 0xFF, (p >> 16 & 0xFF) + 60) << "no memory in use";
}

}  // namespace
}  // namespace tarvik::test
