#include "win32/bar/WindowComposition.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/app/Trace.h"
#include "core/bar/AccentPolicy.h"
#include "core/theme/GlassStyle.h"
#include "win32/app/SystemClock.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// What the stand-ins for the two system calls last received, and what they answer.
struct Recorder {
    HWND window = nullptr;
    std::string calls;  // attribute:size of each call
    AccentPolicy accent{};
    int32_t corner = 0;
    BOOL accentAnswer = TRUE;
    HRESULT cornerAnswer = S_OK;
} g_recorded;

BOOL WINAPI RecordAccent(HWND window, WindowCompositionAttributeData* data) {
    g_recorded.window = window;
    g_recorded.calls += std::to_string(data->attribute) + ":" + std::to_string(data->size) + " ";
    if (data->size == sizeof(AccentPolicy))
        g_recorded.accent = *static_cast<AccentPolicy*>(data->data);
    return g_recorded.accentAnswer;
}

HRESULT WINAPI RecordCorner(HWND window, DWORD attribute, LPCVOID data, DWORD size) {
    g_recorded.window = window;
    g_recorded.calls += std::to_string(attribute) + ":" + std::to_string(size) + " ";
    if (size == sizeof(int32_t)) g_recorded.corner = *static_cast<const int32_t*>(data);
    return g_recorded.cornerAnswer;
}

class WindowCompositionTest : public ::testing::Test {
  protected:
    void SetUp() override { g_recorded = Recorder{}; }

    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    WindowComposition m_recording{WindowsVersion{10, 17134}, m_trace, {RecordAccent, RecordCorner}};
    TestWindow m_window{100, 100, 200, 100};
};

// Wine's user32 refuses the accent policy (as a system without it would); nothing breaks.
TEST_F(WindowCompositionTest, TheSystemOrNoCallRefusesAndNothingBreaks) {
    const WindowComposition system(WindowsVersion{10, 17134}, m_trace);
    EXPECT_FALSE(system.SetAccent(m_window.Handle(), "acrylic", 0x6EFFFFFF));
    const WindowComposition without(WindowsVersion{10, 17134}, m_trace, CompositionCalls{});
    EXPECT_FALSE(without.SetAccent(m_window.Handle(), "acrylic", 0x6EFFFFFF));
    EXPECT_FALSE(without.SetCornerPreference(m_window.Handle(), "round"));
    EXPECT_TRUE(IsWindow(m_window.Handle()));
}

TEST_F(WindowCompositionTest, AccentAndCornerGoToTheSystemWithTheirAttributesAndAnswers) {
    EXPECT_TRUE(m_recording.SetAccent(m_window.Handle(), "acrylic", 0x00AABBCC));
    EXPECT_EQ(g_recorded.accent.accentState, 4u);
    EXPECT_EQ(g_recorded.accent.gradientColor, 0x01CCBBAAu);
    g_recorded.accentAnswer = FALSE;
    EXPECT_FALSE(m_recording.SetAccent(m_window.Handle(), "blur", 0x00AABBCC));
    EXPECT_EQ(g_recorded.accent.accentState, 3u);

    EXPECT_TRUE(m_recording.SetCornerPreference(m_window.Handle(), " Small "));
    EXPECT_EQ(g_recorded.corner, 3);
    g_recorded.cornerAnswer = E_INVALIDARG;
    EXPECT_FALSE(m_recording.SetCornerPreference(m_window.Handle(), "round"));
    EXPECT_EQ(g_recorded.corner, 2);
    EXPECT_EQ(g_recorded.calls, "19:16 19:16 33:4 33:4 ");
    EXPECT_EQ(g_recorded.window, m_window.Handle());

    // Before Windows 10 1803 acrylic is asked for as blur.
    const WindowComposition older(WindowsVersion{10, 17133}, m_trace, {RecordAccent, RecordCorner});
    older.SetAccent(m_window.Handle(), "acrylic", 0);
    EXPECT_EQ(g_recorded.accent.accentState, 3u);
}

// Windows 10 refuses the corner preference, so the window is clipped to a round region instead;
// Windows 11 rounds the corners itself.
TEST_F(WindowCompositionTest, GlassGetsARoundRegionOnlyWithoutSystemCorners) {
    GlassStyle glass;
    glass.Radius = 12;
    g_recorded.cornerAnswer = S_OK;
    EXPECT_TRUE(m_recording.ApplyGlass(m_window.Handle(), 200, 100, &glass));
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(m_window.Handle(), region.Get()), ERROR);

    g_recorded.cornerAnswer = E_INVALIDARG;
    glass.Radius = 0;
    m_recording.ApplyGlass(m_window.Handle(), 200, 100, &glass);
    EXPECT_FALSE(m_recording.ApplyGlass(m_window.Handle(), 0, 100, &glass));
    EXPECT_FALSE(m_recording.ApplyGlass(m_window.Handle(), 200, 100, nullptr));
    EXPECT_EQ(GetWindowRgn(m_window.Handle(), region.Get()), ERROR);
    EXPECT_EQ(g_recorded.calls, "19:16 33:4 19:16 33:4 ");

    glass.Radius = 12;
    EXPECT_TRUE(m_recording.ApplyGlass(m_window.Handle(), 200, 100, &glass));
    ASSERT_NE(GetWindowRgn(m_window.Handle(), region.Get()), ERROR);
    struct Point {
        int x;
        int y;
        bool inside;
    };
    for (const Point& p : {Point{100, 50, true},
                           {0, 50, true},
                           {199, 50, true},
                           {100, 0, true},
                           {100, 99, true},
                           {12, 12, true},
                           {187, 87, true},
                           {1, 1, false},
                           {198, 1, false},
                           {1, 98, false},
                           {198, 98, false},
                           {3, 3, false},
                           {200, 50, false},
                           {100, 100, false}}) {
        EXPECT_EQ(PtInRegion(region.Get(), p.x, p.y) != FALSE, p.inside) << p.x << "," << p.y;
    }
    EXPECT_EQ(ReadFile(m_folder.Path() / "errors.log"), "");
}

}  // namespace
}  // namespace tarvik::test
