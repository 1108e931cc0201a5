#include "win32/platform/WindowSubclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>
#include <stdexcept>
#include <string>

#include "core/app/Error.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

constexpr UINT kForwarded = WM_APP + 1;
constexpr UINT kAnswered = WM_APP + 2;
constexpr UINT kOuter = WM_APP + 4;
constexpr UINT kFailing = 675;

// What the window class's own procedure answers (its arguments added), so a result shows who
// produced it.
LRESULT ClassAnswer(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return 0x5100 + static_cast<LRESULT>(message + wParam) + lParam;
}

// A hidden window whose class procedure answers every message of ours.
struct ClassWindow : TestWindow {
    ClassWindow() : TestWindow(10, 10, 50, 40, WS_POPUP) {
        answer = [](UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
            if (message != kFailing && message < WM_APP) return std::nullopt;
            return ClassAnswer(message, wParam, lParam);
        };
    }
};

// A sink whose handling of a message is given by the test (it may change the message); by default
// it forwards.
struct ScriptedSink : IWndProcSink {
    LRESULT IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                 LPARAM& lParam) override {
        ++seen[message];
        const auto handler = handlers.find(message);
        if (handler != handlers.end()) return handler->second(window, message, wParam);
        return WindowSubclass::CallOldWindowProc(window, message, wParam, lParam);
    }
    std::map<UINT, std::function<LRESULT(HWND, UINT&, WPARAM)>> handlers;
    std::map<UINT, int> seen;
};

class WindowSubclassTest : public ::testing::Test {
  protected:
    TestLog m_log;
    WindowSubclass m_subclass{m_log.trace};
    ScriptedSink m_sink;
    ClassWindow m_window;
};

TEST_F(WindowSubclassTest,
       TheSinkAnswersOrForwardsAndUnhookingEvenWhileHandlingRestoresTheProcedure) {
    ScriptedSink otherSink;
    ClassWindow other;
    m_sink.handlers[kAnswered] = [](HWND, UINT&, WPARAM) { return LRESULT{0x123456789AB}; };
    m_sink.handlers[kOuter] = [&](HWND window, UINT&, WPARAM) -> LRESULT {
        // Into another hooked window, then out the way a closing window leaves.
        const LRESULT forwarded = SendMessageW(other.Handle(), kForwarded, 0, 0);
        WindowSubclass::UnhookWindow(window);
        return forwarded + WindowSubclass::CallOldWindowProc(window, kOuter, 0, 0);
    };
    m_subclass.HookWindow(m_window.Handle(), m_sink);
    m_subclass.HookWindow(other.Handle(), otherSink);

    EXPECT_EQ(SendMessageW(m_window.Handle(), kAnswered, 0, 0), LRESULT{0x123456789AB});
    const auto wParam = static_cast<WPARAM>(0xABCDEF0123ULL);
    EXPECT_EQ(SendMessageW(m_window.Handle(), kForwarded, wParam, -5),
              ClassAnswer(kForwarded, wParam, -5));
    EXPECT_EQ(SendMessageW(m_window.Handle(), kOuter, 0, 0),
              ClassAnswer(kForwarded) + ClassAnswer(kOuter));
    EXPECT_EQ(std::pair(otherSink.seen[kForwarded], other.seen[kForwarded]), std::pair(1, 1));
    WindowSubclass::UnhookWindow(other.Handle());

    // Hooked twice, the window still gets its own procedure back.
    const LONG_PTR original = GetWindowLongPtrW(m_window.Handle(), GWLP_WNDPROC);
    m_subclass.HookWindow(m_window.Handle(), m_sink);
    m_subclass.HookWindow(m_window.Handle(), m_sink);
    WindowSubclass::UnhookWindow(m_window.Handle());
    EXPECT_EQ(GetWindowLongPtrW(m_window.Handle(), GWLP_WNDPROC), original);
    EXPECT_EQ(SendMessageW(m_window.Handle(), kAnswered, 0, 0), ClassAnswer(kAnswered));
}

TEST_F(WindowSubclassTest, AFailingSinkIsLoggedOnceWithTheMessageAsSentAndTheClassAnswers) {
    const std::function<void()> failures[] = {[] { throw Error(42, "broken sink"); },
                                              [] { throw std::runtime_error("bad state"); },
                                              [] { throw 7; }};
    const std::function<void()>* failure = nullptr;
    // The sink changes the message before failing; the log and the fallback use the original.
    m_sink.handlers[kFailing] = [&](HWND, UINT& message, WPARAM) -> LRESULT {
        message = kForwarded;
        (*failure)();
        return 1;
    };
    m_subclass.HookWindow(m_window.Handle(), m_sink);
    for (const auto& each : failures) {
        failure = &each;
        EXPECT_EQ(SendMessageW(m_window.Handle(), kFailing, 0, 0), ClassAnswer(kFailing));
        EXPECT_EQ(SendMessageW(m_window.Handle(), kFailing, 0, 0), ClassAnswer(kFailing));
    }
    const std::string keys = R"(,"WindowSubclass","CallbackFunctionForAllWindows","msg 675: )";
    EXPECT_EQ(std::regex_replace(m_log.Text(), std::regex("#[^#]*#,"), ""),
              "42" + keys + "broken sink\"\r\n0" + keys + "bad state\"\r\n0" + keys +
                  WindowSubclass::kUnknownFailure + "\"\r\n");
    WindowSubclass::UnhookWindow(m_window.Handle());
}

}  // namespace
}  // namespace tarvik::test
