// The real bar, in this process, showing the menus of a window with a menu bar: its strip's
// titles and their pixels, the strict hit test of presses, and a drop-down opened by real pointer
// input. Saves build/screenshots/bar-inprocess-menus.png for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "BarWindowTestSupport.h"
#include "win32/menus/DropDownMenu.h"
#include "win32/support/BarHarness.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

class BarStripTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ParkPointer();
        ASSERT_TRUE(m_harness.Ready());
        ASSERT_NE(m_fixture.Handle(), nullptr);
        // Windows of this process are never followed on their own; the strip is shown the
        // fixture's menus directly, as the bar does for a window it tracks.
        Strip().PopulateFromhWnd(reinterpret_cast<WindowHandle>(m_fixture.Handle()));
        PumpMessages(100ms);
    }
    void TearDown() override {
        m_harness.Bar().StripDropDown().closeMe();
        ParkPointer();
    }

    MenuStrip& Strip() { return m_harness.Bar().Strip(); }
    const ThemeLayout& Layout() const { return m_harness.GetTheme().Layout; }

    // The middle of a title's text, in bar pixels.
    POINT TitleCentre(size_t index) {
        const RectI strip = Strip().Bounds();
        const MenuItem& title = *Strip().Titles().at(index);
        return {strip.X + static_cast<LONG>(std::lround(title.Left + title.width / 2)),
                m_harness.Bar().BarHeight() / 2};
    }
    // The span of a title's text, in bar pixels, over the visible bar.
    RectI TitleArea(const MenuItem& title) {
        const RectI strip = Strip().Bounds();
        return {strip.X + static_cast<int32_t>(std::floor(title.Left)), 0,
                static_cast<int32_t>(std::ceil(title.width)), m_harness.Bar().BarHeight()};
    }

    BarHarness m_harness;
    MenuFixtureWindow m_fixture{L"Fixture Notes", RECT{160, 180, 760, 560}};
};

TEST_F(BarStripTest, ShowsTheShortTitleAndTheMenuBarsTitlesAsTextOnTheBar) {
    std::vector<std::string> texts;
    for (const auto& title : Strip().Titles()) texts.push_back(title->text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Fixture Notes", "File", "Edit", "View"}));
    EXPECT_EQ(Strip().Titles()[1]->Children.size(), 6u) << "File's rows come with it";

    const auto surface = m_harness.Surfaces().Registered(m_harness.Window());
    ASSERT_NE(surface, nullptr);
    const SurfacePixels pixels = ReadSurface(*surface);
    ASSERT_EQ(pixels.width, GetSystemMetrics(SM_CXSCREEN));
    ASSERT_EQ(pixels.height, Layout().BarHeight);

    // Right of the last title the bar is only its fill; each title's span holds ink.
    const MenuItem& last = *Strip().Titles().back();
    const RectI blank{TitleArea(last).X + TitleArea(last).Width + 40, 0, 200,
                      m_harness.Bar().BarHeight()};
    const uint32_t fill = pixels.At(blank.X + 10, 2);
    EXPECT_NE(fill >> 24, 0u) << "the visible bar is filled";
    EXPECT_EQ(pixels.CountDifferent(blank, fill), 0);
    for (const auto& title : Strip().Titles()) {
        SCOPED_TRACE(title->text);
        EXPECT_GT(title->width, 10.0f);
        EXPECT_GT(pixels.CountDifferent(TitleArea(*title), fill), 20);
    }
    // Below the visible bar the shadow band starts out transparent.
    EXPECT_EQ(pixels.At(blank.X + 10, Layout().BarHeight - 1) >> 24, 0u);
}

TEST_F(BarStripTest, APressReachesTheStripOnlyStrictlyInsideItsBounds) {
    const RectI strip = Strip().Bounds();
    const POINT file = TitleCentre(1);
    struct Case {
        const char* name;
        int x;
        int y;
        bool opens;
    };
    const Case cases[] = {
        {"top pixel row", file.x, 0, false},
        {"one row below the top", file.x, 1, true},
        {"exactly on the left edge", strip.X, file.y, false},
        {"one pixel right of the left edge", strip.X + 1, file.y, true},
        {"exactly on the right edge", strip.X + strip.Width, file.y, false},
        {"exactly on the bottom edge", file.x, strip.Y + strip.Height, false},
        {"on the title", file.x, file.y, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The hover title decides what opens; the press only has to reach the strip.
        SendMouse(m_harness.Window(), WM_MOUSEMOVE, file.x, file.y);
        ASSERT_EQ(Strip().Hover(), Strip().Titles()[1]);
        SendMouse(m_harness.Window(), WM_LBUTTONDOWN, c.x, c.y);
        EXPECT_EQ(m_harness.Bar().StripDropDown().Shown(), c.opens);
        EXPECT_EQ(Strip().Selected() != nullptr, c.opens);
        SendMouse(m_harness.Window(), WM_LBUTTONUP, c.x, c.y);
        m_harness.Bar().StripDropDown().closeMe();
    }
}

TEST_F(BarStripTest, RealPointerPressOnFileOpensItsRowsBeneathTheTitle) {
    const POINT file = TitleCentre(1);
    MovePointer(file.x, file.y);
    EXPECT_EQ(Strip().Hover(), Strip().Titles()[1]);
    ClickPointer();
    DropDownMenu& dropDown = m_harness.Bar().StripDropDown();
    ASSERT_TRUE(PumpUntil([&] { return dropDown.IsVisible(); }, 2s));
    PumpMessages(300ms);
    EXPECT_EQ(Strip().Selected(), Strip().Titles()[1]);
    EXPECT_EQ(dropDown.List().Items().size(), 6u);

    // Its left edge lines up with the title's highlight; it starts above the shadow band.
    RECT rect{};
    GetWindowRect(dropDown.Handle(), &rect);
    const MenuItem& title = *Strip().Titles()[1];
    const RectI strip = Strip().Bounds();
    EXPECT_EQ(rect.left, std::lrint(strip.X + title.Left - Layout().MenuPad));
    EXPECT_EQ(rect.top, strip.Y + strip.Height - Layout().BarShadow);

    // Aside of the drop-down, the picture: the bar with the fixture's titles and File open.
    MovePointer(rect.right + 200, rect.bottom + 150);
    PumpMessages(200ms);
    EXPECT_TRUE(SaveScreenshot(ScreenshotFolder() / L"bar-inprocess-menus.png",
                               RECT{0, 0, 900, std::max<LONG>(rect.bottom + 40, 300)}));
}

}  // namespace
}  // namespace tarvik::test
