#include "win32/platform/BaseWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

constexpr UINT kFail = WM_APP + 7;

// A window whose handling of kFail and whose going fail.
class FailingWindow : public BaseWindow {
  public:
    FailingWindow(Trace& trace, const wchar_t* className)
        : BaseWindow(WindowGuard{&trace, "Probe", "WndProc", true}), m_className(className) {}
    ~FailingWindow() override { DestroyBaseWindow(); }
    bool Create() {
        return CreateBaseWindow({m_className, 0}, WS_EX_TOOLWINDOW, L"probe", WS_POPUP,
                                {0, 0, 9, 9});
    }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kFail) throw Error(7, "broken");
        return DefaultProcedure(message, wParam, lParam);
    }
    void OnWindowGone() override { throw std::runtime_error("gone badly"); }

  private:
    const wchar_t* m_className;
};

TEST(BaseWindow, FailuresAreLoggedOnceAndTheWindowKeepsOneOwnedHandle) {
    TempFolder folder;
    SystemClock clock;
    Trace trace(folder.Path() / "errors.log", clock);
    FailingWindow window(trace, L"TarvikProbeWindow");
    ASSERT_TRUE(window.Create());
    const HWND first = window.Handle();
    EXPECT_EQ(SendMessageW(first, kFail, 0, 0), 0);
    EXPECT_EQ(SendMessageW(first, kFail, 0, 0), 0);
    // Creating again replaces the window; the old one goes through OnWindowGone.
    ASSERT_TRUE(window.Create());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(window.Handle()));
    const std::string log = ReadFile(folder.Path() / "errors.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_NE(log.find(R"(,7,"Probe","WndProc","broken")"), std::string::npos) << log;
    EXPECT_TRUE(log.ends_with(R"(,0,"Probe","WndProc","gone badly")"
                              "\r\n"))
        << log;
}

TEST(BaseWindow, AClassOfTheSameNameWithAnotherProcedureMakesNoWindow) {
    WNDCLASSEXW foreign{};
    foreign.cbSize = sizeof foreign;
    foreign.lpfnWndProc = DefWindowProcW;
    foreign.hInstance = GetModuleHandleW(nullptr);
    foreign.lpszClassName = L"TarvikForeignClass";
    ASSERT_NE(RegisterClassExW(&foreign), 0);
    TempFolder folder;
    SystemClock clock;
    Trace trace(folder.Path() / "errors.log", clock);
    FailingWindow window(trace, L"TarvikForeignClass");
    EXPECT_FALSE(window.Create());
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(FindWindowW(L"TarvikForeignClass", nullptr), nullptr);
    // A window of our class made without an object gets the default handling.
    FailingWindow ours(trace, L"TarvikProbeWindow");
    ASSERT_TRUE(ours.Create());
    const HWND stray = CreateWindowExW(0, L"TarvikProbeWindow", L"stray", WS_POPUP, 0, 0, 9, 9,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(SendMessageW(stray, kFail, 0, 0), 0);
    DestroyWindow(stray);
    EXPECT_EQ(ReadFile(folder.Path() / "errors.log"), "");
}

}  // namespace
}  // namespace tarvik::test
