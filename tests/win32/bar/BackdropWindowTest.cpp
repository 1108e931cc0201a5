#include "win32/bar/BackdropWindow.h"

#include <gtest/gtest.h>

#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// Under Wine the blur itself is refused, so AttachTo reports false with everything else done.
TEST(BackdropWindow, IsPlacedOnAFreshClickThroughSurfaceAndForgetsItWhenDestroyed) {
    TestLog log;
    LayeredWindow surfaces(log.trace);
    const WindowComposition composition(WindowsVersion{10, 22631}, log.trace);
    BackdropWindow backdrop(surfaces, composition, log.trace);
    const HWND window = backdrop.Handle();
    EXPECT_FALSE(backdrop.AttachTo(640, 23, 30, 0x6EFFFFFF));
    const auto first = surfaces.Registered(window);
    EXPECT_FALSE(backdrop.AttachTo(800, 36, 10, 0x6EFFFFFF));
    RECT rect = WindowRect(window), expected{0, 10, 800, 46};
    EXPECT_TRUE(EqualRect(&rect, &expected)) << rect.left << "," << rect.top;
    const auto surface = surfaces.Registered(window);
    ASSERT_NE(surface, nullptr);
    EXPECT_TRUE(first && first->Released());
    EXPECT_EQ(surface->GetSize().cx, 800);
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(5, 15)), HTTRANSPARENT);
    EXPECT_EQ(log.Text(), "");

    // Destroyed by someone else, the window lets go of its surface.
    DestroyWindow(window);
    EXPECT_TRUE(surface->Released());
    EXPECT_EQ(surfaces.Count(), 0u);
    EXPECT_FALSE(backdrop.AttachTo(640, 23, 0, 0x6EFFFFFF));
    EXPECT_TRUE(log.Text().ends_with(
        ",\"BackdropWindow\",\"AttachTo\",\"the backdrop window does not exist\"\r\n"));
}

}  // namespace
}  // namespace tarvik::test
