#include "win32/bar/BackdropWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/app/Trace.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

constexpr LONG kAlwaysExtended = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
constexpr LONG kAttachedExtended = kAlwaysExtended | WS_EX_LAYERED | WS_EX_TRANSPARENT;

LONG ExtendedStyle(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE);
}

std::wstring Title(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
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

TEST_F(BackdropWindowTest, IsABorderlessHiddenToolWindowOfItsOwn) {
    const HWND window = m_backdrop.Handle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(Title(window), L"Tarvik_Backdrop");
    EXPECT_EQ(ExtendedStyle(window) & kAttachedExtended, kAlwaysExtended);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_FALSE(IsWindowVisible(window));
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, BackdropWindow::kClassName);
}

// Under Wine the blur itself is refused, so AttachTo reports false with everything else done.
TEST_F(BackdropWindowTest, AttachToPlacesTheWindowAndMakesItClickThroughAndLayered) {
    const HWND window = m_backdrop.Handle();
    EXPECT_FALSE(m_backdrop.AttachTo(640, 23, 30, 0x6EFFFFFF));
    EXPECT_EQ(Placement(window), "0,30 640x23");
    EXPECT_EQ(ExtendedStyle(window) & kAttachedExtended, kAttachedExtended);

    const auto surface = m_surfaces.Registered(window);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->GetSize().cx, 640);
    EXPECT_EQ(surface->GetSize().cy, 23);

    m_backdrop.Show();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetForegroundWindow(), window);
    EXPECT_EQ(Log(), "");
}

TEST_F(BackdropWindowTest, AttachingAgainReplacesTheSurface) {
    const HWND window = m_backdrop.Handle();
    m_backdrop.AttachTo(640, 23, 0, 0x6EFFFFFF);
    const auto first = m_surfaces.Registered(window);
    m_backdrop.AttachTo(800, 36, 10, 0x6EFFFFFF);
    const auto second = m_surfaces.Registered(window);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->Released());
    EXPECT_EQ(second->GetSize().cx, 800);
    EXPECT_EQ(Placement(window), "0,10 800x36");
}

TEST_F(BackdropWindowTest, AnEmptySizeIsRefusedAndChangesNothing) {
    const HWND window = m_backdrop.Handle();
    struct Case {
        int32_t width;
        int32_t height;
    };
    for (const Case c : {Case{0, 23}, Case{640, 0}, Case{-5, 23}, Case{640, -1}}) {
        EXPECT_FALSE(m_backdrop.AttachTo(c.width, c.height, 30, 0x6EFFFFFF))
            << c.width << "x" << c.height;
    }
    EXPECT_EQ(Placement(window), "0,0 0x0");
    EXPECT_EQ(ExtendedStyle(window) & WS_EX_LAYERED, 0);
    EXPECT_EQ(m_surfaces.Registered(window), nullptr);
    EXPECT_EQ(Log(), "");
}

TEST_F(BackdropWindowTest, ClosingReleasesTheSurfaceOnce) {
    const HWND window = m_backdrop.Handle();
    m_backdrop.AttachTo(640, 23, 0, 0x6EFFFFFF);
    const auto surface = m_surfaces.Registered(window);
    ASSERT_NE(surface, nullptr);

    m_backdrop.Close();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(m_backdrop.Handle(), nullptr);
    EXPECT_TRUE(surface->Released());
    m_backdrop.Close();
}

TEST_F(BackdropWindowTest, AWindowDestroyedElsewhereIsForgottenAndAttachIsLogged) {
    const HWND window = m_backdrop.Handle();
    m_backdrop.AttachTo(640, 23, 0, 0x6EFFFFFF);
    const auto surface = m_surfaces.Registered(window);
    DestroyWindow(window);
    EXPECT_EQ(m_backdrop.Handle(), nullptr);
    ASSERT_NE(surface, nullptr);
    EXPECT_TRUE(surface->Released());

    EXPECT_FALSE(m_backdrop.AttachTo(640, 23, 0, 0x6EFFFFFF));
    EXPECT_NE(
        Log().find(",0,\"BackdropWindow\",\"AttachTo\",\"the backdrop window does not exist\""),
        std::string::npos)
        << Log();
}

}  // namespace
}  // namespace tarvik::test
