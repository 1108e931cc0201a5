#include "win32/bar/BackdropWindow.h"

#include <gtest/gtest.h>

#include <string>

#include "core/app/Trace.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

constexpr LONG kLayeredClickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;

LONG ExtendedStyle(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE);
}

std::string Placement(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
           std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

class BackdropWindowTest : public ::testing::Test {
  protected:
    std::string Log() const { return ReadFile(m_folder.Path() / "errors.log"); }

    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    LayeredWindow m_surfaces{m_trace};
    // Version 10.0.22631: acrylic is asked for, whatever the test system reports.
    WindowComposition m_composition{WindowsVersion{10, 22631}, m_trace};
    BackdropWindow m_backdrop{m_surfaces, m_composition, m_trace};
};

// Under Wine the blur itself is refused, so AttachTo reports false with everything else done.
TEST_F(BackdropWindowTest, AHiddenToolWindowThatAttachToPlacesAndMakesClickThroughAndLayered) {
    const HWND window = m_backdrop.Handle();
    wchar_t text[64] = {};
    GetClassNameW(window, text, 64);
    EXPECT_STREQ(text, L"Tarvik_BackdropWindow");
    GetWindowTextW(window, text, 64);
    EXPECT_STREQ(text, L"Tarvik_Backdrop");
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_VISIBLE), 0);
    EXPECT_EQ(ExtendedStyle(window) & (kLayeredClickThrough | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE),
              WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);

    // An empty size is refused and changes nothing.
    for (const auto& [width, height] : {std::pair{0, 23}, {640, 0}, {-5, 23}, {640, -1}}) {
        EXPECT_FALSE(m_backdrop.AttachTo(width, height, 30, 0x6EFFFFFF)) << width << "x" << height;
    }
    EXPECT_EQ(Placement(window), "0,0 0x0");
    EXPECT_EQ(m_surfaces.Count(), 0u);

    EXPECT_FALSE(m_backdrop.AttachTo(640, 23, 30, 0x6EFFFFFF));
    const auto first = m_surfaces.Registered(window);
    EXPECT_FALSE(m_backdrop.AttachTo(800, 36, 10, 0x6EFFFFFF));
    EXPECT_EQ(Placement(window), "0,10 800x36");
    EXPECT_EQ(ExtendedStyle(window) & kLayeredClickThrough, kLayeredClickThrough);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Released());
    EXPECT_EQ(m_surfaces.Registered(window)->GetSize().cx, 800);

    m_backdrop.Show();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetForegroundWindow(), window);
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(5, 15)), HTTRANSPARENT);
    EXPECT_EQ(Log(), "");
}

TEST_F(BackdropWindowTest, ClosedOrDestroyedElsewhereTheSurfaceIsReleasedAndForgotten) {
    for (const bool closed : {true, false}) {
        BackdropWindow backdrop(m_surfaces, m_composition, m_trace);
        const HWND window = backdrop.Handle();
        backdrop.AttachTo(640, 23, 0, 0x6EFFFFFF);
        const auto surface = m_surfaces.Registered(window);
        ASSERT_NE(surface, nullptr);
        closed ? backdrop.Close() : void(DestroyWindow(window));
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(backdrop.Handle(), nullptr);
        EXPECT_TRUE(surface->Released());
        EXPECT_EQ(m_surfaces.Count(), 0u) << closed;
        backdrop.Close();
    }
    m_backdrop.Close();
    EXPECT_FALSE(m_backdrop.AttachTo(640, 23, 0, 0x6EFFFFFF));
    EXPECT_TRUE(Log().ends_with(
        ",0,\"BackdropWindow\",\"AttachTo\",\"the backdrop window does not exist\"\r\n"))
        << Log();
}

}  // namespace
}  // namespace tarvik::test
