// The volume widget without a sound device (Wine has none here) and the stats widget's panel.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "BarPixels.h"
#include "E2eSupport.h"
#include "win32/support/PointerInput.h"

namespace tarvik::test {
namespace {

// Starts Tarvik, clicks at the bar's x (given once the ticks ran) and saves the canvas that
// opens with a 20-pixel margin; returns the canvas's rectangle (empty when none came).
RECT OpenCanvas(TarvikCopy& tarvik, const std::function<int()>& x, const wchar_t* name) {
    RECT rect{};
    if (!tarvik.Start(L"", {{L"TARVIK_DEMO", L"1"}}) || !tarvik.WaitForWindow(L"Tarvik_Bar"))
        return rect;
    PumpMessages(2500ms);
    MovePointer(x(), 10);
    ClickPointer();
    const HWND canvas = tarvik.WaitForWindow(L"Tarvik_WidgetCanvas", 3s);
    if (!canvas || !GetWindowRect(canvas, &rect)) return rect;
    PumpMessages(300ms);
    SaveScreenshot(ScreenshotFolder() / name,
                   {rect.left - 20, 0, rect.right + 20, rect.bottom + 20});
    return rect;
}

// The unmuted speaker is given the App button's picture: the Volume button must not look like
// the App button beside it.
TEST(VolumeStats, WithoutASoundDeviceTheSpeakerIsCrossedOutAndThePanelSaysSo) {
    StartGdiPlus();
    const OnlyWidgets shown{L"App", L"Volume"};
    TarvikCopy tarvik;
    ASSERT_TRUE(CopyFileW((tarvik.Folder() / L"resources/app.png").c_str(),
                          (tarvik.Folder() / L"resources/volume.png").c_str(), FALSE));
    const auto buttons = ScreenshotFolder() / L"volume-buttons.png";
    const RECT rect = OpenCanvas(
        tarvik,
        [&] {
            const int left = IconButtonX(1) - 25;
            SaveScreenshot(buttons, RECT{left, 0, left + 102, kVisibleBar});
            return left + 25;
        },
        L"volume-canvas.png");
    const GDIPImage shot = GDIPImage::FromFile(buttons.string());
    int differ = 0;
    for (int i = 0; i < 50 * kVisibleBar; ++i)
        differ += PixelOf(shot, i % 50, i / 50) != PixelOf(shot, 52 + i % 50, i / 50);
    EXPECT_GT(differ, 20) << "the speaker is not crossed out";
    EXPECT_EQ(rect.bottom - rect.top, 46);
    EXPECT_GT(rect.right - rect.left, 206) << "the notice is wider than the slider";
    MovePointer(rect.left + 20, rect.top + 23);  // the speaker: nothing to mute
    ClickPointer();
    PumpMessages(2s);
    EXPECT_FALSE(tarvik.WaitForExit(0ms)) << "it ended";
    std::ifstream log(tarvik.LogFile());
    int lines = 0;
    for (std::string line; std::getline(log, line);) lines += line.find("CoreAudio") != line.npos;
    EXPECT_EQ(lines, 1);
}

// The graph spans x 16..204 and y 38..86 of the canvas: its blue line crosses nearly every
// column whatever the load; the memory bar's filled part starts at (16, 118).
TEST(VolumeStats, TheStatsPanelDrawsTheLoadGraphAndTheMemoryBar) {
    StartGdiPlus();
    const OnlyWidgets shown{L"Stats"};
    TarvikCopy tarvik;
    const RECT rect = OpenCanvas(
        tarvik, [] { return ScreenWidth() - 8 - 10; }, L"stats-canvas.png");
    ASSERT_EQ((std::pair{rect.right - rect.left, rect.bottom - rect.top}), (std::pair{220L, 140L}));
    const GDIPImage shot = GDIPImage::FromFile((ScreenshotFolder() / L"stats-canvas.png").string());
    const auto blue = [&](int x, int y) {
        const uint32_t p = PixelOf(shot, 20 + x, rect.top + y);
        return (p & 0xFF) > (p >> 16 & 0xFF) + 60;
    };
    int columns = 0;
    for (int x = 17, y = 38; x < 204; ++x, y = 38) {
        while (y < 87 && !blue(x, y)) ++y;
        columns += y < 87;
    }
    EXPECT_GT(columns, 180);
    EXPECT_TRUE(blue(17, 121)) << "no memory in use";
    EXPECT_FALSE(blue(17, 30)) << "blue above the graph";
}

}  // namespace
}  // namespace tarvik::test
