#pragma once

#include <memory>

#include "core/feeds/FeedFetcher.h"
#include "win32/platform/BaseWindow.h"

namespace tarvik {

class Trace;

// Loads a feed on a worker thread of its own and hands the answer back on the thread that made
// the fetcher, through a message-only window of ours. A dropped load runs to its end (the
// time-outs bound it) and its answer is thrown away; nothing ever waits for a worker.
class HttpFeedFetcher final : public IFeedFetcher, private BaseWindow {
  public:
    explicit HttpFeedFetcher(Trace& trace);
    ~HttpFeedFetcher() override;

    void Start(std::string_view url, Done done) override;
    void Cancel() override;

  private:
    struct Load;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::shared_ptr<Load> m_load;  // the load whose answer is awaited
    Done m_done;
};

}  // namespace tarvik
