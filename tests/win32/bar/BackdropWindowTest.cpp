#include "win32/bar/BackdropWindow.h"

#include <gtest/gtest.h>

#include <string>

#include "core/app/Trace.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

// Under Wine the blur itself is refused, so AttachTo reports false with everything else done.
TEST(BackdropWindow, IsPlacedLayeredAndClickThroughAndForgetsItsSurfaceWhenDestroyed) {
    TempFolder folder;
    SystemClock clock;
    Trace trace(folder.Path() / "errors.log", clock);
    LayeredWindow surfaces(trace);
    const WindowComposition composition(WindowsVersion{10, 22631}, trace);
    BackdropWindow backdrop(surfaces, composition, trace);
    const HWND window = backdrop.Handle();

    EXPECT_FALSE(backdrop.AttachTo(0, 23, 30, 0x6EFFFFFF));  // empty sizes change nothing
    EXPECT_FALSE(backdrop.AttachTo(640, 0, 30, 0x6EFFFFFF));
    EXPECT_FALSE(backdrop.AttachTo(640, 23, 30, 0x6EFFFFFF));
    const auto first = surfaces.Registered(window);
    EXPECT_FALSE(backdrop.AttachTo(800, 36, 10, 0x6EFFFFFF));
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
                  std::to_string(rect.right) + "," + std::to_string(rect.bottom),
              "0,10 800,46");
    constexpr LONG kExStyle =
        WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & kExStyle, kExStyle);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Released());
    const auto second = surfaces.Registered(window);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetSize().cx, 800);

    backdrop.Show();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetForegroundWindow(), window);
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(5, 15)), HTTRANSPARENT);
    EXPECT_EQ(ReadFile(folder.Path() / "errors.log"), "");

    // Destroyed by someone else, the window lets go of its surface.
    DestroyWindow(window);
    EXPECT_EQ(backdrop.Handle(), nullptr);
    EXPECT_TRUE(second->Released());
    EXPECT_EQ(surfaces.Count(), 0u);
    EXPECT_FALSE(backdrop.AttachTo(640, 23, 0, 0x6EFFFFFF));
    EXPECT_TRUE(ReadFile(folder.Path() / "errors.log")
                    .ends_with(",\"BackdropWindow\",\"AttachTo\",\"the backdrop window does not "
                               "exist\"\r\n"));
}

}  // namespace
}  // namespace tarvik::test
