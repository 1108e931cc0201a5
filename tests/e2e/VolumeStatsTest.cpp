// The volume widget without a sound device (Wine has none here) and the stats widget's panel.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "BarPixels.h"
#include "E2eSupport.h"
#include "win32/support/PointerInput.h"

namespace tarvik::test {
namespace {

// Starts Tarvik with only these widgets on, clicks the n-th button from the right (50 wide,
// 2 apart) once the ticks ran and saves the canvas that opens; returns the canvas's rectangle
// (empty when none).
RECT OpenCanvas(TarvikCopy& tarvik, std::initializer_list<std::wstring_view> widgets, int n,
                const wchar_t* picture) {
    const OnlyWidgets shown(widgets);
    RECT rect{};
    if (!tarvik.StartDemo(2500ms)) return rect;
    // The two rightmost buttons, for comparing their pictures.
    SaveScreenshot(ScreenshotFolder() / L"volume-buttons.png",
                   RECT{ScreenWidth() - 110, 0, ScreenWidth() - 8, kVisibleBar});
    MovePointer(ScreenWidth() - 8 - 25 - 52 * n, 10);
    ClickPointer();
    if (!GetWindowRect(tarvik.WaitForWindow(L"Tarvik_WidgetCanvas", 3s), &rect)) return rect;
    PumpMessages(300ms);
    SaveScreenshot(ScreenshotFolder() / picture,
                   {rect.left - 20, 0, rect.right + 20, rect.bottom + 20});
    return rect;
}

// The unmuted speaker is given the App button's picture: without a device the Volume button
// beside App must show the other, muted, picture.
TEST(VolumeStats, WithoutASoundDeviceTheSpeakerIsMutedThePanelOpensAndOneLineIsLogged) {
    StartGdiPlus();
    TarvikCopy tarvik;
    ASSERT_TRUE(CopyFileW((tarvik.Folder() / L"resources/app.png").c_str(),
                          (tarvik.Folder() / L"resources/volume.png").c_str(), FALSE));
    const RECT rect = OpenCanvas(tarvik, {L"App", L"Volume"}, 1, L"volume-canvas.png");
    ASSERT_GT(rect.bottom, rect.top) << "no panel";
    const GDIPImage buttons =
        GDIPImage::FromFile((ScreenshotFolder() / L"volume-buttons.png").string());
    int differ = 0;
    for (int i = 0; i < 50 * kVisibleBar; ++i)
        differ += PixelOf(buttons, i % 50, i / 50) != PixelOf(buttons, 52 + i % 50, i / 50);
    EXPECT_GT(differ, 20) << "the speaker does not show muted";
    MovePointer(rect.left + 20, rect.top + 23);  // the speaker: nothing to mute
    ClickPointer();
    PumpMessages(2s);
    EXPECT_FALSE(tarvik.WaitForExit(0ms)) << "it ended";
    std::ifstream log(tarvik.LogFile());
    int lines = 0;
    for (std::string line; std::getline(log, line);) lines += line.find("CoreAudio") != line.npos;
    EXPECT_EQ(lines, 1);
}

// The memory bar's filled part starts at (16, 118) of the canvas, in the selection's blue.
TEST(VolumeStats, TheStatsPanelShowsTheMemoryInUse) {
    StartGdiPlus();
    TarvikCopy tarvik;
    const RECT rect = OpenCanvas(tarvik, {L"Stats"}, 0, L"stats-canvas.png");
    ASSERT_EQ(rect.bottom - rect.top, 140) << "no panel";
    const GDIPImage shot = GDIPImage::FromFile((ScreenshotFolder() / L"stats-canvas.png").string());
    const uint32_t p = PixelOf(shot, 20 + 17, rect.top + 121);
    EXPECT_GT(p & 0xFF, (p >> 16 & 0xFF) + 60) << "no memory in use";
}

}  // namespace
}  // namespace tarvik::test
