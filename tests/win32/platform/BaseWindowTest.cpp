#include "win32/platform/BaseWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/app/Error.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

constexpr UINT kFail = WM_APP + 7;

// A window whose handling of kFail and whose going fail.
class FailingWindow : public BaseWindow {
  public:
    explicit FailingWindow(Trace& trace)
        : BaseWindow(WindowGuard{&trace, "Probe", "WndProc", true}) {}
    ~FailingWindow() override { DestroyBaseWindow(); }
    bool Create() {
        return CreateBaseWindow({L"TarvikProbeWindow", 0}, WS_EX_TOOLWINDOW, L"probe", WS_POPUP,
                                {0, 0, 9, 9});
    }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kFail) throw Error(7, "broken");
        return DefaultProcedure(message, wParam, lParam);
    }
    void OnWindowGone() override { throw std::runtime_error("gone badly"); }
};

TEST(BaseWindow, FailuresAreLoggedOnceAndTheObjectOwnsOneWindow) {
    TestLog errors;
    FailingWindow window(errors.trace);
    ASSERT_TRUE(window.Create());
    const HWND first = window.Handle();
    EXPECT_EQ(SendMessageW(first, kFail, 0, 0), 0);
    EXPECT_EQ(SendMessageW(first, kFail, 0, 0), 0);
    // Creating again replaces the window; the old one goes through OnWindowGone.
    ASSERT_TRUE(window.Create());
    EXPECT_FALSE(IsWindow(first));
    const std::string log = errors.Text();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_NE(log.find(R"(,7,"Probe","WndProc","broken")"), std::string::npos) << log;
    EXPECT_TRUE(log.ends_with(",0,\"Probe\",\"WndProc\",\"gone badly\"\r\n")) << log;
}

}  // namespace
}  // namespace tarvik::test
