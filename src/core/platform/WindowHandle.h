#pragma once

#include <cstdint>

namespace tarvik {

// A window of this or another program as core code sees it: an opaque handle value.
using WindowHandle = std::uintptr_t;

}  // namespace tarvik
