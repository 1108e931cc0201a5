// The bar as a user meets it: across the top of the screen, showing the foreground program's
// title, the demo menus opening under their titles, and Exit from the right-click menu.
#include <gtest/gtest.h>

#include <thread>

#include "E2eSupport.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

// The default theme: a 36-pixel window whose lowest 13 pixels are its shadow strip; the strip's
// titles are drawn 10 pixels right of their highlight, which starts at 50.
constexpr int kBarHeight = 36;
constexpr int kVisibleBar = 23;
constexpr int kMenuPad = 10;
constexpr int kStripLeft = 50 - kMenuPad;

// A title in the strip as the screen shows it: a run of columns that hold dark pixels.
struct TextRun {
    int left = 0;
    int right = 0;  // exclusive
    int Width() const { return right - left; }
    int Centre() const { return (left + right) / 2; }
};

// The titles: runs of columns of the visible bar with a pixel darker than 60 (of 255), merged
// across gaps narrower than 9 pixels (the spaces inside a title).
std::vector<TextRun> StripTitles() {
    const int width = 1200 - kStripLeft;
    const int height = kVisibleBar - 4;
    std::vector<uint32_t> pixels(static_cast<size_t>(width * height));
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, kStripLeft, 2, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    std::vector<TextRun> runs;
    for (int x = 0; x < width; ++x) {
        bool dark = false;
        for (int y = 0; y < height && !dark; ++y) {
            const uint32_t p = pixels[static_cast<size_t>(y * width + x)];
            dark = 299 * ((p >> 16) & 0xFF) + 587 * ((p >> 8) & 0xFF) + 114 * (p & 0xFF) < 60000;
        }
        if (dark && !runs.empty() && kStripLeft + x - runs.back().right < 9) {
            runs.back().right = kStripLeft + x + 1;
        } else if (dark) {
            runs.push_back(TextRun{kStripLeft + x, kStripLeft + x + 1});
        }
    }
    return runs;
}

void Click(int x, int y, bool right = false) {
    MovePointer(x, y);
    ClickPointer(right);
}

class BarTest : public ::testing::Test {
  protected:
    HWND StartBar(const Variables& variables = {}) {
        m_tarvik = m_install.Start(L"", variables);
        const HWND bar = m_tarvik->WaitForWindow(L"Tarvik_Bar");
        std::this_thread::sleep_for(600ms);  // the first drawing follows the first tick
        return bar;
    }

    TarvikInstall m_install;
    std::unique_ptr<RunningProgram> m_tarvik;
};

TEST_F(BarTest, SitsAcrossTheTopOfTheScreenLayeredAndTopmostOverItsBackdrop) {
    const HWND bar = StartBar({{L"TARVIK_BAR_TOP", L"30"}});
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
    const HWND backdrop = m_tarvik->WaitForWindow(L"Tarvik_BackdropWindow", 5s);
    ASSERT_NE(backdrop, nullptr);
    EXPECT_EQ(TextOf(backdrop), L"Tarvik_Backdrop");
}

TEST_F(BarTest, ShowsTheForegroundProgramsTitleAndFollowsTheForeground) {
    const auto fixture = TestProgramFolder() / L"MenuFixture.exe";
    RunningProgram alpha(fixture, L"NUL \"Alpha\"");
    ASSERT_NE(alpha.WaitForWindow(L"", 10s), nullptr);
    ASSERT_NE(StartBar(), nullptr);
    const auto alphaTitles = StripTitles();
    // The short title alone: under Wine another process's menus cannot be read.
    ASSERT_EQ(alphaTitles.size(), 1u);
    SaveScreenshot(ScreenshotFolder() / L"bar-idle-fixture.png", RECT{0, 0, 1920, 120});

    RunningProgram beta(fixture, L"NUL \"A much longer window title\"");
    ASSERT_NE(beta.WaitForWindow(L"", 10s), nullptr);
    // The strip follows within one housekeeping tick (400 ms), with room for a slow machine.
    const auto start = std::chrono::steady_clock::now();
    std::vector<TextRun> titles = alphaTitles;
    while ((titles.size() != 1 || titles[0].Width() == alphaTitles[0].Width()) &&
           std::chrono::steady_clock::now() - start < 3s) {
        std::this_thread::sleep_for(50ms);
        titles = StripTitles();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_GT(titles[0].Width(), alphaTitles[0].Width() * 3);
}

TEST_F(BarTest, DemoStripOpensAnEmptyDropDownUnderFile) {
    ASSERT_NE(StartBar({{L"TARVIK_DEMO", L"1"}}), nullptr);
    const auto titles = StripTitles();
    // "Tarvik" (bold), "File", "Edit", "View", "Window", "Help".
    ASSERT_EQ(titles.size(), 6u);
    EXPECT_LT(titles[1].Width(), titles[4].Width());  // File is narrower than Window

    Click(titles[1].Centre(), 10);
    const HWND dropDown = m_tarvik->WaitForWindow(L"Tarvik_DropDownMenu", 5s);
    ASSERT_NE(dropDown, nullptr);
    RECT rect{};
    GetWindowRect(dropDown, &rect);
    // Its left edge lines up with the title's highlight, its top with the bottom of the bar.
    EXPECT_NEAR(rect.left, titles[1].left - kMenuPad, 5);
    EXPECT_EQ(rect.top, kVisibleBar);
    std::this_thread::sleep_for(300ms);
    SaveScreenshot(ScreenshotFolder() / L"bar-demo-file-open.png", RECT{0, 0, 1920, 200});
}

TEST_F(BarTest, ExitFromTheContextMenuEndsTheProgramWithNoWindowLeft) {
    ASSERT_NE(StartBar(), nullptr);
    Click(1500, 10, true);
    const HWND menu = m_tarvik->WaitForWindow(L"#32768", 5s);
    ASSERT_NE(menu, nullptr) << "no context menu";
    RECT rect{};
    GetWindowRect(menu, &rect);
    EXPECT_NEAR(rect.left, 1500, 2);
    Click(rect.left + 20, (rect.top + rect.bottom) / 2);
    EXPECT_EQ(m_tarvik->WaitForExit(10s), std::optional<DWORD>(0));
    EXPECT_TRUE(m_tarvik->Windows().empty());
}

}  // namespace
}  // namespace tarvik::test
