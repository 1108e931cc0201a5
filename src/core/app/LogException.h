#pragma once

#include <string_view>

namespace tarvik {

class Trace;

// Writes the exception being handled to the trace log: a tarvik::Error with its number and
// description, another standard exception with 0 and its message, anything else with 0 and
// "Unknown failure", the description after the given prefix. With once, an identical record
// right after the previous one is not repeated (LogErrorOnce). Call it only inside a catch block;
// it never throws.
void LogCurrentException(Trace& trace, std::string_view source, std::string_view procedure,
                         bool once = false, std::string_view prefix = {}) noexcept;

// Runs work; a failure is logged as above and reported as false.
template <typename Work>
bool RunLogged(Trace& trace, std::string_view source, std::string_view procedure, bool once,
               Work&& work) noexcept {
    try {
        work();
        return true;
    } catch (...) {
        LogCurrentException(trace, source, procedure, once);
        return false;
    }
}

}  // namespace tarvik
