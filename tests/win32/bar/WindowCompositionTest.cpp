#include "win32/bar/WindowComposition.h"

#include <gtest/gtest.h>

#include <string>

#include "core/bar/AccentPolicy.h"
#include "core/theme/GlassStyle.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// Stand-ins for the two system calls (missing or refused under Wine): they write down the
// attribute, size and value of each call for the test window, and give the answers set here.
std::string g_calls;
HWND g_window = nullptr;
HRESULT g_cornerAnswer = S_OK;

BOOL WINAPI RecordAccent(HWND window, WindowCompositionAttributeData* data) {
    const auto* accent = static_cast<const AccentPolicy*>(data->data);
    g_calls += std::to_string(data->attribute) + ":" + std::to_string(data->size) + "=" +
               std::to_string(accent->accentState) + (window == g_window ? " " : "? ");
    return TRUE;
}

HRESULT WINAPI RecordCorner(HWND window, DWORD attribute, LPCVOID data, DWORD size) {
    g_calls += std::to_string(attribute) + ":" + std::to_string(size) + "=" +
               std::to_string(*static_cast<const int32_t*>(data)) +
               (window == g_window ? " " : "? ");
    return g_cornerAnswer;
}

// Windows 10 refuses the corner preference, so the window is clipped to a round region instead;
// Windows 11 rounds the corners itself.
TEST(WindowComposition, GlassAsksForBlurAndCornersAndClipsToARoundRegionOnlyWithoutThem) {
    TestLog log;
    const WindowComposition composition(WindowsVersion{10, 17134}, log.trace,
                                        {RecordAccent, RecordCorner});
    TestWindow window(100, 100, 200, 100);
    g_window = window.Handle();
    GlassStyle glass;
    glass.Radius = 12;
    glass.corner = "small";
    EXPECT_TRUE(composition.ApplyGlass(window.Handle(), 200, 100, &glass));
    const UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(window.Handle(), region.Get()), ERROR);
    EXPECT_FALSE(composition.ApplyGlass(window.Handle(), 0, 100, &glass));
    EXPECT_FALSE(composition.ApplyGlass(window.Handle(), 200, 100, nullptr));
    // Before Windows 10 1803 acrylic is asked for as blur.
    WindowComposition(WindowsVersion{10, 17133}, log.trace, {RecordAccent, RecordCorner})
        .SetAccent(window.Handle(), "acrylic", 0);
    EXPECT_EQ(g_calls, "19:16=4 33:4=3 19:16=3 ");

    g_cornerAnswer = E_INVALIDARG;
    EXPECT_TRUE(composition.ApplyGlass(window.Handle(), 200, 100, &glass));
    ASSERT_NE(GetWindowRgn(window.Handle(), region.Get()), ERROR);
    for (const POINT p : {POINT{0, 50}, {199, 50}, {100, 99}, {12, 12}, {187, 87}}) {
        EXPECT_TRUE(PtInRegion(region.Get(), p.x, p.y)) << p.x << "," << p.y;
    }
    for (const POINT p : {POINT{3, 3}, {198, 98}, {200, 50}}) {
        EXPECT_FALSE(PtInRegion(region.Get(), p.x, p.y)) << p.x << "," << p.y;
    }
    EXPECT_FALSE(WindowComposition(WindowsVersion{10, 17134}, log.trace)
                     .SetAccent(window.Handle(), "acrylic", 0));  // refused by Wine
    EXPECT_EQ(log.Text(), "");
}

}  // namespace
}  // namespace tarvik::test
