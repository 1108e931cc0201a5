#include "win32/platform/WindowSubclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

constexpr UINT kForwarded = WM_APP + 1;
constexpr UINT kAnswered = WM_APP + 2;
constexpr UINT kOuter = WM_APP + 4;
constexpr UINT kFailing = 675;

// What the window class's own procedure answers, so a result shows who produced it.
LRESULT ClassAnswer(UINT message) {
    return 0x5100 + static_cast<LRESULT>(message);
}

// A hidden window whose class procedure answers every message of ours (with its arguments added);
// sent and posted messages reach it all the same, and it never takes the focus.
struct ClassWindow : TestWindow {
    ClassWindow() : TestWindow(10, 10, 50, 40, WS_POPUP) {
        answer = [](UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
            if (message == kFailing || message >= WM_APP) {
                return ClassAnswer(message) + static_cast<LRESULT>(wParam) + lParam;
            }
            return std::nullopt;
        };
    }
};

// A sink whose handling of each message is given by the test (with the message to change and the
// sum of its arguments); by default it forwards.
struct ScriptedSink : IWndProcSink {
    LRESULT IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                 LPARAM& lParam) override {
        ++seen[message];
        const auto handler = handlers.find(message);
        if (handler != handlers.end()) return handler->second(window, message, wParam + lParam);
        return WindowSubclass::CallOldWindowProc(window, message, wParam, lParam);
    }
    std::map<UINT, std::function<LRESULT(HWND, UINT&, WPARAM)>> handlers;
    std::map<UINT, int> seen;
};

LONG_PTR Procedure(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC);
}

class WindowSubclassTest : public ::testing::Test {
  protected:
    std::string Log() const { return ReadFile(m_folder.Path() / "errors.log"); }

    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    WindowSubclass m_subclass{m_trace};
    ScriptedSink m_sink;
    ClassWindow m_window;
};

TEST_F(WindowSubclassTest, HookAndUnhookSequencesLeaveTheOriginalProcedure) {
    const auto shared = reinterpret_cast<LONG_PTR>(&WindowSubclass::CallbackFunctionForAllWindows);
    for (const std::string sequence : {"U", "HU", "HUU", "HHU", "HUHU"}) {
        SCOPED_TRACE(sequence);
        ScriptedSink sink;
        ClassWindow window;
        const LONG_PTR original = Procedure(window.Handle());
        bool hooked = false;
        for (const char step : sequence) {
            if (step == 'H') {
                EXPECT_EQ(m_subclass.HookWindow(window.Handle(), sink), hooked ? shared : original);
                hooked = true;
            } else {
                WindowSubclass::UnhookWindow(window.Handle());
                hooked = false;
            }
            EXPECT_EQ(Procedure(window.Handle()), hooked ? shared : original);
        }
        EXPECT_EQ(SendMessageW(window.Handle(), kForwarded, 0, 0), ClassAnswer(kForwarded));
        EXPECT_EQ(sink.seen[kForwarded], 0);
    }
}

TEST_F(WindowSubclassTest, TheSinkDecidesEachSentOrPostedMessagesResult) {
    m_sink.handlers[kAnswered] = [](HWND window, UINT&, WPARAM wParam) -> LRESULT {
        // Into this window again from its own handling.
        return wParam ? static_cast<LRESULT>(0x123456789AB) : SendMessageW(window, kAnswered, 1, 0);
    };
    m_subclass.HookWindow(m_window.Handle(), m_sink);

    EXPECT_EQ(SendMessageW(m_window.Handle(), kAnswered, 0, 0), LRESULT{0x123456789AB});
    EXPECT_EQ(m_sink.seen[kAnswered], 2);
    EXPECT_EQ(m_window.Seen(kAnswered), 0);
    const auto wParam = static_cast<WPARAM>(0xABCDEF0123ULL);
    EXPECT_EQ(SendMessageW(m_window.Handle(), kForwarded, wParam, -5),
              ClassAnswer(kForwarded) + static_cast<LRESULT>(wParam) - 5);

    PostMessageW(m_window.Handle(), kForwarded, 1, 2);
    PostMessageW(m_window.Handle(), kAnswered, 3, 4);
    EXPECT_TRUE(PumpUntil([&] { return m_sink.seen[kAnswered] == 3; }, std::chrono::seconds(2)));
    EXPECT_EQ(m_sink.seen[kForwarded], 2);
    EXPECT_EQ(m_window.Seen(kForwarded), 2);
    EXPECT_EQ(m_window.Seen(kAnswered), 0);

    // Without its sink a hooked window goes straight to its old procedure.
    SetPropA(m_window.Handle(), "HOOK_OBJ", nullptr);
    EXPECT_EQ(SendMessageW(m_window.Handle(), kAnswered, 0, 0), ClassAnswer(kAnswered));
    EXPECT_EQ(m_sink.seen[kAnswered], 3);
    WindowSubclass::UnhookWindow(m_window.Handle());
}

TEST_F(WindowSubclassTest, AFailingSinkIsLoggedOnceWithTheMessageAsSentAndTheClassAnswers) {
    struct Case {
        std::function<void()> fail;
        std::string record;
    };
    const Case cases[] = {
        {[] { throw Error(42, "broken sink"); }, R"(,42,"msg 675: broken sink")"},
        {[] { throw std::runtime_error("bad state"); }, R"(,0,"msg 675: bad state")"},
        {[] { throw 7; }, std::string(",0,\"msg 675: ") + WindowSubclass::kUnknownFailure + "\""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        Trace trace(folder.Path() / "errors.log", m_clock);
        WindowSubclass subclass(trace);
        ScriptedSink sink;
        // The sink changes the message before failing; the log and the fallback use the original.
        sink.handlers[kFailing] = [&c](HWND, UINT& message, WPARAM) -> LRESULT {
            message = kForwarded;
            c.fail();
            return 1;
        };
        ClassWindow window;
        subclass.HookWindow(window.Handle(), sink);
        EXPECT_EQ(SendMessageW(window.Handle(), kFailing, 0, 0), ClassAnswer(kFailing));
        EXPECT_EQ(SendMessageW(window.Handle(), kFailing, 0, 0), ClassAnswer(kFailing));
        EXPECT_EQ(window.Seen(kFailing), 2);
        EXPECT_EQ(window.Seen(kForwarded), 0);

        std::string log = ReadFile(folder.Path() / "errors.log");
        const std::string keys = R"("WindowSubclass","CallbackFunctionForAllWindows",)";
        ASSERT_NE(log.find(keys), std::string::npos) << log;
        log.erase(log.find(keys), keys.size());
        EXPECT_EQ(log.find("\r\n"), log.size() - 2) << log;
        EXPECT_TRUE(log.ends_with(c.record + "\r\n")) << log;
        WindowSubclass::UnhookWindow(window.Handle());
    }
}

TEST_F(WindowSubclassTest, AWindowHandlingAnotherOrUnhookingItselfStillForwards) {
    ScriptedSink otherSink;
    ClassWindow other;
    const LONG_PTR original = Procedure(m_window.Handle());
    m_sink.handlers[kOuter] = [&](HWND window, UINT&, WPARAM) -> LRESULT {
        // Into another hooked window that forwards, then out the way a closing window leaves.
        const LRESULT forwarded = SendMessageW(other.Handle(), kForwarded, 0, 0);
        WindowSubclass::UnhookWindow(window);
        return forwarded + WindowSubclass::CallOldWindowProc(window, kOuter, 0, 0);
    };
    m_subclass.HookWindow(m_window.Handle(), m_sink);
    m_subclass.HookWindow(other.Handle(), otherSink);

    EXPECT_EQ(SendMessageW(m_window.Handle(), kOuter, 0, 0),
              ClassAnswer(kForwarded) + ClassAnswer(kOuter));
    EXPECT_EQ(otherSink.seen[kForwarded], 1);
    EXPECT_EQ(other.Seen(kForwarded), 1);
    EXPECT_EQ(m_window.Seen(kOuter), 1);
    EXPECT_EQ(Procedure(m_window.Handle()), original);
    WindowSubclass::UnhookWindow(other.Handle());
}

}  // namespace
}  // namespace tarvik::test
