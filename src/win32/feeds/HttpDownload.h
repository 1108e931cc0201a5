#pragma once

#include <atomic>
#include <string>

#include "core/feeds/FeedFetcher.h"

namespace tarvik {

// Fetches an http or https address with WinHTTP and blocks until the body is in, the limits are
// hit or `cancelled` is seen: at most kMaxFeedBytes, kMaxFeedRedirects redirects (never from
// https to http), time-outs on every step and on the whole load. Any status but 200 is a failure.
FeedAnswer HttpDownload(const std::wstring& url, const std::atomic<bool>& cancelled);

}  // namespace tarvik
