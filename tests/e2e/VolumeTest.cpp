// The volume widget without a sound device (Wine has none here).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "E2eSupport.h"
#include "win32/support/PointerInput.h"

namespace tarvik::test {
namespace {

// App and Volume from the right. The unmuted speaker is given the App button's picture: without a
// device the Volume button beside App must show the other, muted, picture.
TEST(Volume, WithoutASoundDeviceTheSpeakerIsMutedAndClickingItChangesNothing) {
    StartGdiPlus();
    TarvikCopy tarvik;
    ASSERT_TRUE(CopyFileW((tarvik.Folder() / L"resources/app.png").c_str(),
                          (tarvik.Folder() / L"resources/volume.png").c_str(), FALSE));
    {
        const OnlyWidgets shown{L"App", L"Volume"};
        ASSERT_TRUE(tarvik.StartDemo(2500ms));
    }
    const auto buttons = ScreenshotFolder() / L"volume-buttons.png";
    SaveScreenshot(buttons, RECT{ScreenWidth() - 110, 0, ScreenWidth() - 8, kVisibleBar});
    const GDIPImage pair = GDIPImage::FromFile(buttons.string());
    int differ = 0;
    for (int i = 0; i < 50 * kVisibleBar; ++i)
        differ += PixelOf(pair, i % 50, i / 50) != PixelOf(pair, 52 + i % 50, i / 50);
    EXPECT_GT(differ, 20) << "the speaker does not show muted";
    const RECT rect = ClickOpens(tarvik, ScreenWidth() - 8 - 25 - 52, 10, L"Tarvik_WidgetCanvas",
                                 L"volume-canvas.png", 3s);
    ASSERT_GT(rect.bottom, rect.top) << "no panel";
    MovePointer(rect.left + 20, rect.top + 23);  // the speaker: nothing to mute
    ClickPointer();
    PumpMessages(2s);
    EXPECT_FALSE(tarvik.WaitForExit(0ms)) << "it ended";
    std::ifstream log(tarvik.LogFile());
    int lines = 0;
    for (std::string line; std::getline(log, line);) lines += line.find("CoreAudio") != line.npos;
    EXPECT_EQ(lines, 1);
}

}  // namespace
}  // namespace tarvik::test
