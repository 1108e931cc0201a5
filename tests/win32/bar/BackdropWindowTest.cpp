#include "win32/bar/BackdropWindow.h"

#include <gtest/gtest.h>

#include <string>

#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// Under Wine the blur itself is refused, so AttachTo reports false with everything else done.
TEST(BackdropWindow, IsPlacedLayeredAndClickThroughAndForgetsItsSurfaceWhenDestroyed) {
    TestLog log;
    LayeredWindow surfaces(log.trace);
    const WindowComposition composition(WindowsVersion{10, 22631}, log.trace);
    BackdropWindow backdrop(surfaces, composition, log.trace);
    const HWND window = backdrop.Handle();

    EXPECT_FALSE(backdrop.AttachTo(0, 23, 30, 0x6EFFFFFF));  // empty sizes change nothing
    EXPECT_FALSE(backdrop.AttachTo(640, 0, 30, 0x6EFFFFFF));
    EXPECT_FALSE(backdrop.AttachTo(640, 23, 30, 0x6EFFFFFF));
    EXPECT_FALSE(backdrop.AttachTo(800, 36, 10, 0x6EFFFFFF));
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
                  std::to_string(rect.right) + "," + std::to_string(rect.bottom),
              "0,10 800,46");
    constexpr LONG kExStyle =
        WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & kExStyle, kExStyle);
    const auto surface = surfaces.Registered(window);  // made again for the new size
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->GetSize().cx, 800);

    backdrop.Show();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetForegroundWindow(), window);
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(5, 15)), HTTRANSPARENT);
    EXPECT_EQ(log.Text(), "");

    // Destroyed by someone else, the window lets go of its surface.
    DestroyWindow(window);
    EXPECT_EQ(backdrop.Handle(), nullptr);
    EXPECT_TRUE(surface->Released());
    EXPECT_EQ(surfaces.Count(), 0u);
    EXPECT_FALSE(backdrop.AttachTo(640, 23, 0, 0x6EFFFFFF));
    EXPECT_TRUE(
        log.Text().ends_with(",\"BackdropWindow\",\"AttachTo\",\"the backdrop window does not "
                             "exist\"\r\n"));
}

}  // namespace
}  // namespace tarvik::test
