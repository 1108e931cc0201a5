#pragma once

#include <string>
#include <vector>

#include "core/app/Trace.h"
#include "core/support/Fakes.h"

namespace tarvik::test {

using Lines = std::vector<std::string>;

// A trace log in a fresh folder, read back record by record without the timestamps.
struct TestTrace {
    TempFolder folder;
    FakeClock clock;
    Trace trace{folder.Path() / "errors.log", clock};

    Lines Records() const;
};

}  // namespace tarvik::test
