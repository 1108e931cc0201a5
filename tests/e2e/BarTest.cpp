// The bar as a user meets it: across the top of the screen, showing the foreground program's
// title, the demo menus opening under their titles, and Exit from the right-click menu.
#include <gtest/gtest.h>

#include <thread>

#include "ScreenReading.h"
#include "TarvikProcess.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

// The default theme: a 36-pixel window whose lowest 13 pixels are its shadow strip.
constexpr int kBarHeight = 36;
constexpr int kVisibleBar = 23;
constexpr int kMenuLeft = 50;
constexpr int kMenuPad = 10;

class BarTest : public ::testing::Test {
  protected:
    HWND StartBar(const std::wstring& arguments,
                  const std::map<std::wstring, std::wstring>& variables = {}) {
        m_tarvik = std::make_unique<TarvikProcess>(m_install, arguments, variables);
        if (!m_tarvik->Started()) return nullptr;
        const HWND bar = m_tarvik->WaitForWindow(L"Tarvik_Bar", 20s);
        // The first drawing follows creation; give the first tick time to pass.
        std::this_thread::sleep_for(600ms);
        return bar;
    }

    // The titles in the strip: runs of text in the visible bar right of the strip's left edge.
    std::vector<TextRun> StripTitles(int top = 0) {
        return DarkRuns(kMenuLeft - kMenuPad, 1200, top + 2, top + kVisibleBar - 2, 9);
    }

    TarvikInstall m_install;
    std::unique_ptr<TarvikProcess> m_tarvik;
};

TEST_F(BarTest, SitsAcrossTheTopOfTheScreenLayeredAndTopmost) {
    const HWND bar = StartBar(L"", {{L"TARVIK_BAR_TOP", L"30"}});
    ASSERT_NE(bar, nullptr);
    RECT rect{};
    GetWindowRect(bar, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 30);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, kBarHeight);
    const LONG_PTR exStyle = GetWindowLongPtrW(bar, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(bar));
    // The blurred backdrop sits right under the bar.
    const HWND backdrop = m_tarvik->WaitForWindow(L"Tarvik_BackdropWindow", 5s);
    ASSERT_NE(backdrop, nullptr);
    EXPECT_EQ(TextOf(backdrop), L"Tarvik_Backdrop");
}

TEST_F(BarTest, ShowsTheForegroundProgramsTitleAndFollowsTheForeground) {
    FixtureProcess alpha(L"MenuFixture.exe", L"NUL \"Alpha\"");
    ASSERT_NE(alpha.WaitForWindow(10s), nullptr);
    ASSERT_NE(StartBar(L""), nullptr);
    const auto alphaTitles = StripTitles();
    ASSERT_EQ(alphaTitles.size(), 1u) << "the short title alone (another process's menus cannot "
                                         "be read under Wine)";
    SaveScreenshot(ScreenshotFolder() / L"bar-idle-fixture.png", RECT{0, 0, 1920, 120});

    FixtureProcess beta(L"MenuFixture.exe", L"NUL \"A much longer window title\"");
    ASSERT_NE(beta.WaitForWindow(10s), nullptr);
    // The strip follows within one housekeeping tick (400 ms), with room for a slow machine.
    const auto start = std::chrono::steady_clock::now();
    std::vector<TextRun> titles;
    do {
        std::this_thread::sleep_for(50ms);
        titles = StripTitles();
    } while ((titles.size() != 1 || titles[0].Width() == alphaTitles[0].Width()) &&
             std::chrono::steady_clock::now() - start < 3s);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_GT(titles[0].Width(), alphaTitles[0].Width() * 3);
    EXPECT_LT(elapsed.count(), 1000) << "the strip took " << elapsed.count() << " ms";
}

TEST_F(BarTest, DemoStripOpensAnEmptyDropDownUnderFile) {
    ASSERT_NE(StartBar(L"", {{L"TARVIK_DEMO", L"1"}}), nullptr);
    const auto titles = StripTitles();
    // "Tarvik" (bold), "File", "Edit", "View", "Window", "Help".
    ASSERT_EQ(titles.size(), 6u);
    EXPECT_LT(titles[1].Width(), titles[4].Width());  // File is narrower than Window

    Click(titles[1].Centre(), 10);
    const HWND dropDown = m_tarvik->WaitForWindow(L"Tarvik_DropDownMenu", 5s);
    ASSERT_NE(dropDown, nullptr);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(IsWindowVisible(dropDown));
    RECT rect{};
    GetWindowRect(dropDown, &rect);
    // Its left edge lines up with the title's highlight, its top with the bottom of the bar.
    // The text's ink starts a few pixels right of where the title is drawn.
    EXPECT_NEAR(rect.left, titles[1].left - kMenuPad, 5);
    EXPECT_EQ(rect.top, kVisibleBar);
    SaveScreenshot(ScreenshotFolder() / L"bar-demo-file-open.png", RECT{0, 0, 1920, 200});
}

TEST_F(BarTest, ExitFromTheContextMenuEndsTheProgramWithNoWindowLeft) {
    ASSERT_NE(StartBar(L""), nullptr);
    Click(1500, 10, true);
    const HWND menu = m_tarvik->WaitForWindow(L"#32768", 5s);
    ASSERT_NE(menu, nullptr) << "no context menu";
    RECT rect{};
    GetWindowRect(menu, &rect);
    EXPECT_NEAR(rect.left, 1500, 2);
    Click(rect.left + 20, (rect.top + rect.bottom) / 2);
    EXPECT_EQ(m_tarvik->WaitForExit(10s), std::optional<DWORD>(0));
    EXPECT_TRUE(m_tarvik->TopLevelWindows().empty());
}

}  // namespace
}  // namespace tarvik::test
