#include "win32/platform/WindowSubclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "win32/app/SystemClock.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {
namespace {

constexpr UINT kForwarded = WM_APP + 1;
constexpr UINT kAnsweredBySink = WM_APP + 2;
constexpr UINT kSwallowed = WM_APP + 3;
constexpr UINT kOuter = WM_APP + 4;
constexpr UINT kInner = WM_APP + 5;
constexpr UINT kFailing = 675;
constexpr LRESULT kClassAnswerToFailing = 6750;

// What the window class's own procedure answers, so a result shows who produced it.
LRESULT ClassAnswer(UINT message) {
    return 0x5100 + static_cast<LRESULT>(message - WM_APP);
}

// A window whose class procedure counts every message it is given. It stays hidden: sent and
// posted messages reach it all the same, and it never takes the focus from anything.
class CountingWindow {
  public:
    CountingWindow() {
        static const bool registered = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &CountingWindow::Procedure;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"TarvikCountingWindow";
            return RegisterClassExW(&wc) != 0;
        }();
        EXPECT_TRUE(registered);
        m_window =
            CreateWindowExW(WS_EX_TOOLWINDOW, L"TarvikCountingWindow", L"counting", WS_POPUP, 10,
                            10, 50, 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_counts));
    }
    ~CountingWindow() { DestroyWindow(m_window); }
    CountingWindow(const CountingWindow&) = delete;
    CountingWindow& operator=(const CountingWindow&) = delete;

    HWND Handle() const { return m_window; }
    int Seen(UINT message) const {
        const auto found = m_counts.find(message);
        return found == m_counts.end() ? 0 : found->second;
    }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* counts =
            reinterpret_cast<std::map<UINT, int>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (counts) ++(*counts)[message];
        if (message == kFailing) return kClassAnswerToFailing;
        if (message >= WM_APP && message < WM_APP + 0x100) return ClassAnswer(message);
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND m_window = nullptr;
    std::map<UINT, int> m_counts;
};

struct SeenMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A sink whose handling of each message is given by the test; by default it forwards.
class ScriptedSink : public IWndProcSink {
  public:
    using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

    LRESULT IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                 LPARAM& lParam) override {
        if (message >= WM_APP || message == kFailing) {
            seen.push_back({window, message, wParam, lParam});
        }
        const auto handler = handlers.find(message);
        if (handler != handlers.end()) return handler->second(window, message, wParam, lParam);
        return WindowSubclass::CallOldWindowProc(window, message, wParam, lParam);
    }

    int Seen(UINT message) const {
        int count = 0;
        for (const auto& entry : seen) count += entry.message == message ? 1 : 0;
        return count;
    }

    std::map<UINT, Handler> handlers;
    std::vector<SeenMessage> seen;
};

LONG_PTR Procedure(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC);
}

const LONG_PTR kShared = reinterpret_cast<LONG_PTR>(&WindowSubclass::CallbackFunctionForAllWindows);

class WindowSubclassTest : public ::testing::Test {
  protected:
    std::string Log() const { return ReadFile(m_folder.Path() / "errors.log"); }

    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    WindowSubclass m_subclass{m_trace};
    ScriptedSink m_sink;
    CountingWindow m_window;
};

TEST_F(WindowSubclassTest, HookAndUnhookSequencesLeaveTheOriginalProcedure) {
    // H = hook, U = unhook. Every sequence ends unhooked with the class procedure in place and
    // the sink out of the way.
    const char* sequences[] = {"U", "HU", "HUU", "HHU", "HUHU", "HUUHU"};
    for (const std::string sequence : sequences) {
        SCOPED_TRACE(sequence);
        ScriptedSink sink;
        CountingWindow window;
        const LONG_PTR original = Procedure(window.Handle());
        bool hooked = false;
        for (const char step : sequence) {
            if (step == 'H') {
                const LONG_PTR previous = m_subclass.HookWindow(window.Handle(), sink);
                EXPECT_EQ(previous, hooked ? kShared : original);
                hooked = true;
                EXPECT_EQ(Procedure(window.Handle()), kShared);
            } else {
                WindowSubclass::UnhookWindow(window.Handle());
                hooked = false;
                EXPECT_EQ(Procedure(window.Handle()), original);
            }
        }
        EXPECT_EQ(SendMessageW(window.Handle(), kForwarded, 0, 0), ClassAnswer(kForwarded));
        EXPECT_EQ(window.Seen(kForwarded), 1);
        EXPECT_EQ(sink.Seen(kForwarded), 0);
    }
}

TEST_F(WindowSubclassTest, TheSinkDecidesEachResult) {
    m_sink.handlers[kAnsweredBySink] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
        return static_cast<LRESULT>(0x123456789ABLL);
    };
    m_sink.handlers[kSwallowed] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    m_subclass.HookWindow(m_window.Handle(), m_sink);

    struct Case {
        UINT message;
        LRESULT result;
        int classSees;
    };
    const Case cases[] = {
        {kAnsweredBySink, static_cast<LRESULT>(0x123456789ABLL), 0},
        {kSwallowed, 0, 0},
        {kForwarded, ClassAnswer(kForwarded), 1},
    };
    const WPARAM wParam = static_cast<WPARAM>(0xABCDEF0123ULL);
    const LPARAM lParam = -5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(SendMessageW(m_window.Handle(), c.message, wParam, lParam), c.result);
        EXPECT_EQ(m_window.Seen(c.message), c.classSees);
        ASSERT_EQ(m_sink.Seen(c.message), 1);
        const SeenMessage& seen = m_sink.seen.back();
        EXPECT_EQ(seen.window, m_window.Handle());
        EXPECT_EQ(seen.wParam, wParam);
        EXPECT_EQ(seen.lParam, lParam);
    }

    // Posted messages travel through the message loop to the same sink.
    PostMessageW(m_window.Handle(), kForwarded, 1, 2);
    PostMessageW(m_window.Handle(), kSwallowed, 3, 4);
    EXPECT_TRUE(
        PumpUntil([&] { return m_sink.Seen(kSwallowed) == 2; }, std::chrono::milliseconds(2000)));
    EXPECT_EQ(m_sink.Seen(kForwarded), 2);
    EXPECT_EQ(m_window.Seen(kForwarded), 2);
    EXPECT_EQ(m_window.Seen(kSwallowed), 0);
    WindowSubclass::UnhookWindow(m_window.Handle());
}

TEST_F(WindowSubclassTest, AHookedWindowWithoutSinkGoesStraightToItsOldProcedure) {
    m_sink.handlers[kAnsweredBySink] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 1; };
    m_subclass.HookWindow(m_window.Handle(), m_sink);
    SetPropA(m_window.Handle(), "HOOK_OBJ", nullptr);

    EXPECT_EQ(SendMessageW(m_window.Handle(), kAnsweredBySink, 0, 0), ClassAnswer(kAnsweredBySink));
    EXPECT_EQ(m_window.Seen(kAnsweredBySink), 1);
    EXPECT_EQ(m_sink.Seen(kAnsweredBySink), 0);
    EXPECT_EQ(Procedure(m_window.Handle()), kShared);
    WindowSubclass::UnhookWindow(m_window.Handle());
}

TEST_F(WindowSubclassTest, AFailingSinkIsLoggedOnceAndTheWindowKeepsItsHandling) {
    struct Case {
        const char* name;
        std::function<void()> fail;
        std::string record;
    };
    const Case cases[] = {
        {"program error", [] { throw Error(42, "broken sink"); },
         R"(,42,"WindowSubclass","CallbackFunctionForAllWindows","msg 675: broken sink")"},
        {"standard exception", [] { throw std::runtime_error("bad state"); },
         R"(,0,"WindowSubclass","CallbackFunctionForAllWindows","msg 675: bad state")"},
        {"anything else", [] { throw 7; },
         std::string(R"(,0,"WindowSubclass","CallbackFunctionForAllWindows","msg 675: )") +
             WindowSubclass::kUnknownFailure + "\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        Trace trace(folder.Path() / "errors.log", m_clock);
        WindowSubclass subclass(trace);
        ScriptedSink sink;
        CountingWindow window;
        sink.handlers[kFailing] = [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
            c.fail();
            return 1;
        };
        subclass.HookWindow(window.Handle(), sink);

        EXPECT_EQ(SendMessageW(window.Handle(), kFailing, 0, 0), kClassAnswerToFailing);
        EXPECT_EQ(SendMessageW(window.Handle(), kFailing, 0, 0), kClassAnswerToFailing);
        EXPECT_EQ(sink.Seen(kFailing), 2);
        EXPECT_EQ(window.Seen(kFailing), 2);

        const std::string log = ReadFile(folder.Path() / "errors.log");
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), '#');
        EXPECT_EQ(log.find("\r\n"), log.size() - 2) << log;
        EXPECT_TRUE(log.ends_with(c.record + "\r\n")) << log;
        WindowSubclass::UnhookWindow(window.Handle());
    }
}

TEST_F(WindowSubclassTest, AFailureReportsTheMessageAsWindowsSentIt) {
    // The sink changes its arguments before failing; the log and the fallback use the originals.
    struct Rewriting : ScriptedSink {
        LRESULT IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                     LPARAM& lParam) override {
            if (message != kFailing) {
                return WindowSubclass::CallOldWindowProc(window, message, wParam, lParam);
            }
            message = kForwarded;
            throw Error(5, "rewritten");
        }
    } sink;
    m_subclass.HookWindow(m_window.Handle(), sink);
    EXPECT_EQ(SendMessageW(m_window.Handle(), kFailing, 0, 0), kClassAnswerToFailing);
    EXPECT_EQ(m_window.Seen(kFailing), 1);
    EXPECT_EQ(m_window.Seen(kForwarded), 0);
    EXPECT_NE(Log().find(R"("msg 675: rewritten")"), std::string::npos) << Log();
    WindowSubclass::UnhookWindow(m_window.Handle());
}

TEST_F(WindowSubclassTest, SinksMayBeEnteredAgainFromTheirOwnHandling) {
    ScriptedSink otherSink;
    CountingWindow other;
    HWND self = m_window.Handle();
    m_sink.handlers[kInner] = [](HWND, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        return static_cast<LRESULT>(wParam) * 10;
    };
    m_sink.handlers[kOuter] = [&](HWND window, UINT, WPARAM, LPARAM) -> LRESULT {
        // Into this window again, and into another hooked window that forwards.
        const LRESULT own = SendMessageW(window, kInner, 4, 0);
        const LRESULT forwarded = SendMessageW(other.Handle(), kInner, 0, 0);
        return own + forwarded + 1;
    };
    m_subclass.HookWindow(self, m_sink);
    m_subclass.HookWindow(other.Handle(), otherSink);

    EXPECT_EQ(SendMessageW(self, kOuter, 0, 0), 40 + ClassAnswer(kInner) + 1);
    EXPECT_EQ(m_sink.Seen(kInner), 1);
    EXPECT_EQ(otherSink.Seen(kInner), 1);
    EXPECT_EQ(other.Seen(kInner), 1);
    EXPECT_EQ(m_window.Seen(kInner), 0);

    WindowSubclass::UnhookWindow(other.Handle());
    WindowSubclass::UnhookWindow(self);
}

TEST_F(WindowSubclassTest, ASinkThatUnhooksWhileHandlingStillForwardsThatMessage) {
    // The way a closing window leaves: unhook first, then let the message take its course.
    const LONG_PTR original = Procedure(m_window.Handle());
    m_sink.handlers[kForwarded] = [](HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) -> LRESULT {
        WindowSubclass::UnhookWindow(window);
        return WindowSubclass::CallOldWindowProc(window, message, wParam, lParam);
    };
    m_subclass.HookWindow(m_window.Handle(), m_sink);

    EXPECT_EQ(SendMessageW(m_window.Handle(), kForwarded, 0, 0), ClassAnswer(kForwarded));
    EXPECT_EQ(m_window.Seen(kForwarded), 1);
    EXPECT_EQ(Procedure(m_window.Handle()), original);
    EXPECT_EQ(SendMessageW(m_window.Handle(), kForwarded, 0, 0), ClassAnswer(kForwarded));
    EXPECT_EQ(m_sink.Seen(kForwarded), 1);
}

}  // namespace
}  // namespace tarvik::test
