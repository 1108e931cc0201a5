#include "win32/menus/Win32AccessibleMenus.h"

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "core/menus/AccessibleMenuWalker.h"
#include "win32/menus/MsaaElement.h"

namespace tarvik {

namespace {

HWND ToWindow(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// The integrity level of a process (its mandatory label's last sub-authority), -1 when it
// cannot be read.
int64_t IntegrityOf(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return -1;
    alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[64] = {};
    DWORD size = 0;
    int64_t level = -1;
    if (GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &size)) {
        const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer);
        const PSID sid = label->Label.Sid;
        if (sid != nullptr && IsValidSid(sid) && *GetSidSubAuthorityCount(sid) > 0) {
            level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
        }
    }
    CloseHandle(token);
    return level;
}

}  // namespace

// One thread in a COM apartment of its own, running requests one after another. Shared with
// the requests it runs, so that a worker left behind with a hung request stays valid.
struct Win32AccessibleMenus::Worker {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> queue;
    bool stopping = false;
    // What a read of a window reached: its objects, and where its menu bar was found.
    struct Reached {
        HWND window = nullptr;
        MsaaElement::Keeper objects;
        AccessPath bar;
    };
    // The worker thread's own: what the last read of each of the last few windows reached.
    std::deque<Reached> kept;

    // Where the last read of window found its menu bar (empty: not known).
    AccessPath BarPathOf(HWND window) const {
        for (const Reached& entry : kept) {
            if (entry.window == window) return entry.bar;
        }
        return {};
    }

    // Keeps what a read reached, in place of what the read before it reached (which it could
    // use while it ran); the window least recently read goes beyond kKeptWindows.
    void Keep(Reached reached) {
        std::erase_if(kept, [&](const Reached& entry) { return entry.window == reached.window; });
        kept.push_front(std::move(reached));
        if (kept.size() > kKeptWindows) kept.pop_back();
    }

    // The window's menu bar: where the last read found it when it is still there (the program
    // is asked far less than by a search), and searched for otherwise.
    std::unique_ptr<IAccessibleElement> FindBar(Reached& reached) {
        auto root = MsaaElement::FromWindow(reached.window, &reached.objects);
        if (!root) return nullptr;
        const AccessPath known = BarPathOf(reached.window);
        if (auto bar = AccessibleMenuWalker::MenuBarAt(*root, known)) {
            reached.bar = known;
            return bar;
        }
        return AccessibleMenuWalker::FindMenuBar(std::move(root), &reached.bar);
    }

    static void Run(const std::shared_ptr<Worker>& self) {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (;;) {
            std::function<void()> request;
            {
                std::unique_lock lock(self->mutex);
                self->wake.wait(lock, [&] { return self->stopping || !self->queue.empty(); });
                if (self->queue.empty()) break;
                request = std::move(self->queue.front());
                self->queue.pop_front();
            }
            request();
        }
        // The proxies belong to this thread's apartment: they go before it ends.
        self->kept.clear();
        if (SUCCEEDED(com)) CoUninitialize();
    }

    void Stop() {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        wake.notify_all();
    }
};

// The threads (of other programs) whose windows' request is still running on a worker that was
// left behind, and for each request whether it answered in time or was left. A thread that does
// not answer for one of its windows answers for none of them.
struct Win32AccessibleMenus::LeftBehind {
    struct Request {
        bool answered = false;
        bool left = false;
    };
    std::mutex mutex;
    std::set<DWORD> threads;

    bool Holds(DWORD thread) {
        std::lock_guard lock(mutex);
        return threads.contains(thread);
    }
};

Win32AccessibleMenus::Win32AccessibleMenus() : m_leftBehind(std::make_shared<LeftBehind>()) {}

Win32AccessibleMenus::~Win32AccessibleMenus() {
    // An idle worker ends at once; a hung one ends when its request returns, or with the process.
    if (m_worker) m_worker->Stop();
}

bool Win32AccessibleMenus::RunsHigher(HWND window) {
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0 || processId == 0) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return false;
    const int64_t theirs = IntegrityOf(process);
    CloseHandle(process);
    const int64_t ours = IntegrityOf(GetCurrentProcess());
    return theirs >= 0 && ours >= 0 && theirs > ours;
}

AccessAnswer Win32AccessibleMenus::Ask(
    WindowHandle window, std::function<AccessAnswer(IAccessibleElement& bar)> request) {
    if (!IsWindow(ToWindow(window))) return {};
    if (RunsHigher(ToWindow(window))) return {AccessOutcome::Refused, {}};
    const DWORD thread = GetWindowThreadProcessId(ToWindow(window), nullptr);
    if (m_leftBehind->Holds(thread)) return {AccessOutcome::NoAnswer, {}};
    if (!m_worker) {
        m_worker = std::make_shared<Worker>();
        std::thread([worker = m_worker] { Worker::Run(worker); }).detach();
    }
    auto answer = std::make_shared<std::promise<AccessAnswer>>();
    std::future<AccessAnswer> answered = answer->get_future();
    auto state = std::make_shared<LeftBehind::Request>();
    {
        std::lock_guard lock(m_worker->mutex);
        m_worker->queue.push_back([worker = m_worker.get(), leftBehind = m_leftBehind, state,
                                   thread, answer, window, request = std::move(request)] {
            AccessAnswer result;
            Worker::Reached reached{ToWindow(window), {}, {}};
            try {
                auto bar = worker->FindBar(reached);
                if (bar) result = request(*bar);
            } catch (...) {
                // Whatever went wrong, the program gave no usable answer.
                result = {};
            }
            answer->set_value(std::move(result));
            {
                std::lock_guard lock(leftBehind->mutex);
                state->answered = true;
            }
            // After the answer: letting go of what the read before reached may call into
            // the program (the last proxy of an object releases it there).
            try {
                worker->Keep(std::move(reached));
            } catch (...) {
                // Kept or not, the next read still works.
            }
            std::lock_guard lock(leftBehind->mutex);
            if (state->left) leftBehind->threads.erase(thread);
        });
    }
    m_worker->wake.notify_one();
    if (answered.wait_for(std::chrono::milliseconds(kTimeLimit)) == std::future_status::ready) {
        return answered.get();
    }
    {
        std::lock_guard lock(m_leftBehind->mutex);
        if (state->answered) return answered.get();  // just now
        state->left = true;
        m_leftBehind->threads.insert(thread);
    }
    // The worker is busy with a program that does not answer: leave it, start afresh next time.
    m_worker->Stop();
    m_worker.reset();
    return {AccessOutcome::NoAnswer, {}};
}

AccessAnswer Win32AccessibleMenus::ReadTitles(WindowHandle window) {
    return Ask(window, [window](IAccessibleElement& bar) {
        return AccessAnswer{AccessOutcome::Answered, AccessibleMenuWalker::ReadTitles(bar, window)};
    });
}

AccessAnswer Win32AccessibleMenus::ReadRows(WindowHandle window, const AccessPath& title) {
    return Ask(window, [window, title](IAccessibleElement& bar) {
        return AccessAnswer{AccessOutcome::Answered,
                            AccessibleMenuWalker::ReadRows(bar, title, window)};
    });
}

AccessOutcome Win32AccessibleMenus::Invoke(WindowHandle window, const AccessPath& entry,
                                           const std::string& text) {
    return Ask(window,
               [entry, text](IAccessibleElement& bar) {
                   return AccessAnswer{AccessibleMenuWalker::Invoke(bar, entry, text)
                                           ? AccessOutcome::Answered
                                           : AccessOutcome::NoMenuBar,
                                       {}};
               })
        .outcome;
}

}  // namespace tarvik
