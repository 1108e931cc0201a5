// Real drop-down windows driven by real pointer input; saves
// build/screenshots/dropdown-cascade.png.
#include "win32/menus/DropDownMenu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "win32/support/BarHarness.h"
#include "win32/support/CommandTarget.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

std::shared_ptr<MenuItem> Row(std::string text, int32_t command, HWND target, bool enabled = true) {
    auto item = std::make_shared<MenuItem>();
    item->text = std::move(text);
    item->CommandId = command;
    item->hWnd = reinterpret_cast<WindowHandle>(target);
    item->IsEnabled = enabled;
    return item;
}

class DropDownMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ParkPointer();
        ASSERT_TRUE(m_harness.Ready());
        m_menu = std::make_unique<DropDownMenu>(m_harness.Parts().ForDropDown());
        m_menu->Closed = [this] { ++m_closed; };
        // File-like rows; the second opens a cascade of two commands.
        const HWND target = m_target.Handle();
        auto recent = Row("Recent Files", -1, target);
        recent->Children = {Row("First.txt", 201, target), Row("Second.txt", 202, target)};
        auto separator = std::make_shared<MenuItem>();
        separator->IsSeparator = true;
        m_items = {Row("New", 101, target), recent, separator,
                   Row("Properties", 103, target, false), Row("Exit", 104, target)};
    }
    void TearDown() override {
        m_menu.reset();
        PumpMessages(50ms);
    }

    void Show(int left, int top) {
        m_menu->ShowList(m_items, ScreenPoint{double(left), double(top)});
        PumpMessages(150ms);
    }
    // Puts the pointer on the caption of a 1-based row.
    void Hover(const DropDownMenu& menu, int32_t row) {
        const RECT rect = WindowRect(menu.Handle());
        MovePointer(rect.left + Layout().RowText.X + 5,
                    rect.top + menu.RowTop(row) + Layout().RowHeight / 2);
    }
    const ThemeLayout& Layout() const { return m_harness.GetTheme().Layout; }

    BarHarness m_harness;
    CommandTarget m_target;
    MenuItemList m_items;
    std::unique_ptr<DropDownMenu> m_menu;
    int m_closed = 0;
};

TEST_F(DropDownMenuTest, ThePointerOpensCascadesAndAPickSendsTheCommandAndClosesTheChain) {
    Show(300, 150);
    Hover(*m_menu, 2);
    DropDownMenu* cascade = m_menu->ChildDropDown();
    ASSERT_NE(cascade, nullptr);
    const RECT parent = WindowRect(m_menu->Handle());
    const RECT child = WindowRect(cascade->Handle());
    EXPECT_TRUE(GetWindowLongW(cascade->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(child.left, parent.right);
    EXPECT_EQ(child.top + cascade->RowTop(1), parent.top + m_menu->RowTop(2));
    ClickPointer();  // releasing on a row with children opens it afresh and keeps both open
    cascade = m_menu->ChildDropDown();
    ASSERT_NE(cascade, nullptr);
    EXPECT_TRUE(cascade->IsVisible());
    Hover(*cascade, 2);
    EXPECT_TRUE(SaveScreenshot(ScreenshotFolder() / L"dropdown-cascade.png",
                               RECT{parent.left - 30, parent.top - 20, child.right + 30,
                                    std::max(parent.bottom, child.bottom) + 20}));
    int cascadeClosed = 0;
    cascade->Closed = [&] { ++cascadeClosed; };
    const HWND cascadeWindow = cascade->Handle();
    ClickPointer();
    EXPECT_TRUE(PumpUntil([&] { return !m_target.commands.empty(); }, 1s));
    EXPECT_EQ(m_target.commands, std::vector<WPARAM>{202});
    EXPECT_FALSE(m_menu->IsVisible());
    EXPECT_FALSE(IsWindow(cascadeWindow)) << "a closed cascade is unloaded";
    EXPECT_EQ(m_closed, 1);
    EXPECT_EQ(cascadeClosed, 1);
}

TEST_F(DropDownMenuTest, DoubleClicksUnloadAndLosingTheActivationClosesEveryWindowOnce) {
    Show(300, 150);
    const HWND first = m_menu->Handle();
    const size_t surfaces = m_harness.Parts().surfaces.Count();
    Hover(*m_menu, 4);  // the disabled row: the clicks pick nothing
    ClickPointer();
    ClickPointer();
    PumpMessages(100ms);
    EXPECT_EQ(m_menu->Handle(), nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(m_harness.Parts().surfaces.Count(), surfaces - 1);
    EXPECT_EQ(m_closed, 1) << "the strip must hear that its drop-down is gone";

    Show(320, 160);
    ASSERT_TRUE(m_menu->IsVisible());
    // A double-click in a cascade removes only the cascade; the window above forgets it and so
    // still closes when the user clicks elsewhere. Hiding a window hides its cascade.
    Hover(*m_menu, 2);
    ASSERT_NE(m_menu->ChildDropDown(), nullptr);
    const RECT area = WindowRect(m_menu->ChildDropDown()->Handle());
    MovePointer(area.left + 5, area.bottom - 2);  // below the last row: the clicks pick nothing
    ClickPointer();
    ClickPointer();
    EXPECT_EQ(m_menu->ChildDropDown(), nullptr);
    EXPECT_TRUE(m_menu->IsVisible());
    {
        TestWindow elsewhere(1000, 600, 80, 60);
        SetForegroundWindow(elsewhere.Handle());
        SetActiveWindow(elsewhere.Handle());
        PumpMessages(250ms);
    }
    EXPECT_FALSE(m_menu->IsVisible());
    EXPECT_EQ(m_closed, 2);

    // Another program taking the activation: Windows tells every window of this one.
    Show(300, 150);
    Hover(*m_menu, 2);
    DropDownMenu* cascade = m_menu->ChildDropDown();
    ASSERT_NE(cascade, nullptr);
    int cascadeClosed = 0;
    cascade->Closed = [&] { ++cascadeClosed; };
    SendMessageW(cascade->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    SendMessageW(m_menu->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(m_menu->IsVisible());
    EXPECT_EQ(m_closed, 3);
    EXPECT_EQ(cascadeClosed, 1);
    EXPECT_TRUE(m_target.commands.empty());
}

}  // namespace
}  // namespace tarvik::test
