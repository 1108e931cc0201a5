#pragma once

#include <windows.h>
// After windows.h.
#include <winhttp.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "core/feeds/FeedFetcher.h"

namespace tarvik {

// The switch of one load: dropping it closes the load's open WinHTTP handles at once, and a call
// blocked on one of them returns. The load adopts each handle it opens and closes the rest when
// it ends; each handle is closed exactly once, by whichever comes first.
class LoadSwitch {
  public:
    LoadSwitch() = default;
    LoadSwitch(const LoadSwitch&) = delete;
    LoadSwitch& operator=(const LoadSwitch&) = delete;
    ~LoadSwitch() { CloseAll(); }

    void Drop();
    bool Dropped() const { return m_dropped; }
    // Adopts the handle; null (the handle closed) when it is null or the load was dropped.
    HINTERNET Keep(HINTERNET handle);
    void CloseAll();

  private:
    std::mutex m_mutex;
    std::atomic<bool> m_dropped = false;
    std::vector<HINTERNET> m_open;  // in the order they were opened
};

// Fetches an http or https address with WinHTTP and blocks until the body is in, the limits are
// hit or the load is dropped: at most kMaxFeedBytes, kMaxFeedRedirects redirects (never from
// https to http), time-outs on every step and on the whole load. Any status but 200 is a failure.
FeedAnswer HttpDownload(const std::wstring& url, LoadSwitch& load);

}  // namespace tarvik
