#include <string>

#include "core/app/Error.h"
#include "core/graphics/GDIPlus.h"

namespace tarvik {

namespace {

// Process-wide, like the 2D library itself.
struct ErrorConvention {
    bool suppressed = false;
    std::string sourceName = "Tarvik.exe";
};

ErrorConvention& Convention() {
    static ErrorConvention convention;
    return convention;
}

constexpr int kErrorBase = 1048;

}  // namespace

bool GDIPlusErrorsSuppressed() {
    return Convention().suppressed;
}

void SetGDIPlusErrorsSuppressed(bool suppressed) {
    Convention().suppressed = suppressed;
}

void SetGDIPlusErrorSourceName(std::string executableName) {
    Convention().sourceName = std::move(executableName);
}

void CheckGDIPlusStatus(int status) {
    if (status == 0 || Convention().suppressed) return;
    throw Error(status + kErrorBase, "GDI+ Error " + std::to_string(status),
                Convention().sourceName + ".GDIP");
}

}  // namespace tarvik
