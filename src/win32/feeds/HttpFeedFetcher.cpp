#include "win32/feeds/HttpFeedFetcher.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "core/app/Error.h"
#include "win32/feeds/HttpDownload.h"
#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

constexpr UINT kAnswerMessage = WM_APP + 1;  // lParam: the load's number
constexpr WindowClassInfo kWindowClass{L"Tarvik_FeedFetcher", 0};

}  // namespace

// One load: the worker writes the answer, then posts the number.
struct HttpFeedFetcher::Load {
    std::wstring url;
    uintptr_t number = 0;
    LoadSwitch load;
    std::atomic<bool> done = false;
    FeedAnswer answer;
};

// What the window and its one worker share: the load waiting to run and whether a worker is up.
struct HttpFeedFetcher::Queue {
    std::mutex mutex;
    std::shared_ptr<Load> waiting;
    bool working = false;
};

HttpFeedFetcher::HttpFeedFetcher(Trace& trace)
    : BaseWindow(WindowGuard{&trace, "FeedFetcher"}), m_queue(std::make_shared<Queue>()) {}

HttpFeedFetcher::~HttpFeedFetcher() {
    Cancel();
    DestroyBaseWindow();
}

void HttpFeedFetcher::Start(std::string_view url, Done done) {
    Cancel();
    if (!Handle() && !CreateBaseWindow(kWindowClass, 0, L"", 0, RECT{}, HWND_MESSAGE)) {
        throw Error(static_cast<int32_t>(GetLastError()), "the feed's window cannot be made");
    }
    static uintptr_t s_lastNumber = 0;
    auto load = std::make_shared<Load>();
    load->url = Widen(url);
    load->number = ++s_lastNumber;
    {
        const std::lock_guard lock(m_queue->mutex);
        m_queue->waiting = load;
        if (!m_queue->working) {
            std::thread(Work, m_queue, Handle()).detach();
            m_queue->working = true;
        }
    }
    m_load = std::move(load);
    m_done = std::move(done);
}

void HttpFeedFetcher::Cancel() {
    if (m_load) {
        {
            const std::lock_guard lock(m_queue->mutex);
            if (m_queue->waiting == m_load) m_queue->waiting.reset();
        }
        m_load->load.Drop();
    }
    m_load.reset();
    m_done = nullptr;
}

void HttpFeedFetcher::Work(const std::shared_ptr<Queue>& queue, HWND window) {
    for (;;) {
        std::shared_ptr<Load> load;
        {
            const std::lock_guard lock(queue->mutex);
            load = std::move(queue->waiting);
            queue->waiting.reset();
            if (!load) {
                queue->working = false;
                return;
            }
        }
        try {
            load->answer = HttpDownload(load->url, load->load);
        } catch (...) {
            load->answer = FeedAnswer{false, 0, "the load failed", {}};
        }
        load->load.CloseAll();
        load->done.store(true, std::memory_order_release);
        if (!load->load.Dropped()) PostMessageW(window, kAnswerMessage, 0, LPARAM(load->number));
    }
}

LRESULT HttpFeedFetcher::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kAnswerMessage) return DefaultProcedure(message, wParam, lParam);
    if (!m_load || m_load->number != uintptr_t(lParam) ||
        !m_load->done.load(std::memory_order_acquire)) {
        return 0;  // the answer of a dropped load
    }
    const std::shared_ptr<Load> load = std::move(m_load);
    const Done done = std::move(m_done);
    m_done = nullptr;
    if (done) done(load->answer);
    return 0;
}

}  // namespace tarvik
