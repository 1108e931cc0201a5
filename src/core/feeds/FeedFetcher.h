#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tarvik {

// What the network gave for one address: the body's bytes, or why there are none.
struct FeedAnswer {
    bool arrived = false;
    int32_t code = 0;    // the system's or the server's number for the failure, or 0
    std::string reason;  // the failure in words
    std::string bytes;   // the body, at most kMaxFeedBytes
};

// Limits every load from the network keeps to.
inline constexpr size_t kMaxFeedBytes = 2 * 1024 * 1024;
inline constexpr int kMaxFeedRedirects = 3;

// Loads one address at a time in the background. Only http and https addresses are fetched.
class IFeedFetcher {
  public:
    using Done = std::function<void(const FeedAnswer&)>;
    virtual ~IFeedFetcher() = default;
    // Starts loading the address and drops any load still running (its done is never called).
    // Done runs later on the user-interface thread, never from inside Start.
    virtual void Start(std::string_view url, Done done) = 0;
    // Drops the load still running, if any.
    virtual void Cancel() = 0;
};

}  // namespace tarvik
