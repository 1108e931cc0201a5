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
    bool Create(const wchar_t* className) {
        return CreateBaseWindow({className, 0}, WS_EX_TOOLWINDOW, L"probe", WS_POPUP, {0, 0, 9, 9});
    }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kFail) throw Error(7, "broken");
        return DefaultProcedure(message, wParam, lParam);
    }
    void OnWindowGone() override { throw std::runtime_error("gone badly"); }
};

TEST(BaseWindow, FailuresAreLoggedOnceAndTheObjectOwnsOneWindowOfItsOwnClass) {
    TestLog errors;
    FailingWindow window(errors.trace);
    ASSERT_TRUE(window.Create(L"TarvikProbeWindow"));
    const HWND first = window.Handle();
    EXPECT_EQ(SendMessageW(first, kFail, 0, 0), 0);
    EXPECT_EQ(SendMessageW(first, kFail, 0, 0), 0);
    // Creating again replaces the window; the old one goes through OnWindowGone.
    ASSERT_TRUE(window.Create(L"TarvikProbeWindow"));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(window.Handle()));
    const std::string log = errors.Text();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_NE(log.find(R"(,7,"Probe","WndProc","broken")"), std::string::npos) << log;
    EXPECT_TRUE(log.ends_with(",0,\"Probe\",\"WndProc\",\"gone badly\"\r\n")) << log;

    // A class of the same name with another procedure makes no window.
    WNDCLASSEXW foreign{};
    foreign.cbSize = sizeof foreign;
    foreign.lpfnWndProc = DefWindowProcW;
    foreign.hInstance = GetModuleHandleW(nullptr);
    foreign.lpszClassName = L"TarvikForeignClass";
    ASSERT_NE(RegisterClassExW(&foreign), 0);
    EXPECT_FALSE(window.Create(L"TarvikForeignClass"));
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(FindWindowW(L"TarvikForeignClass", nullptr), nullptr);
}

}  // namespace
}  // namespace tarvik::test
