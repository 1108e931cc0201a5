#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// The trace record's text when the process ends on an exception nothing handled: the exception's
// code and the address it was raised at, both in hexadecimal as Windows writes them.
std::string UnhandledExceptionText(uint32_t code, uint64_t address);
// ... and when a C++ exception reached std::terminate; what is the exception's own text, if any.
std::string TerminateText(std::string_view what);

}  // namespace tarvik
