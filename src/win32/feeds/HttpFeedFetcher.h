#pragma once

#include <memory>

#include "core/feeds/FeedFetcher.h"
#include "win32/platform/BaseWindow.h"

namespace tarvik {

class Trace;

// Loads a feed on a worker thread and hands the answer back on the thread that made the
// fetcher, through a message-only window of ours. There is at most one worker per fetcher: a new
// load or a drop closes the running load's connection at once, and the worker then takes the
// newest load waiting, if any, and ends when none is left. Nothing ever waits for the worker.
class HttpFeedFetcher final : public IFeedFetcher, private BaseWindow {
  public:
    explicit HttpFeedFetcher(Trace& trace);
    ~HttpFeedFetcher() override;

    void Start(std::string_view url, Done done) override;
    void Cancel() override;

  private:
    struct Load;
    struct Queue;

    // Runs the waiting loads one after another and ends when none is left.
    static void Work(const std::shared_ptr<Queue>& queue, HWND window);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::shared_ptr<Queue> m_queue;  // shared with the worker
    std::shared_ptr<Load> m_load;    // the load whose answer is awaited
    Done m_done;
};

}  // namespace tarvik
