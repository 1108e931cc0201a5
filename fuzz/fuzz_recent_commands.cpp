// Reads arbitrary bytes as a program's stored recent commands. Whatever is read is at most twenty
// distinct paths that can each be stored, and writes back as a value that reads again to the
// same paths.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "core/search/RecentCommands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvik;
    const std::string value(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> paths = RecentCommands::Parse(value);
    if (paths.size() > RecentCommands::kMaxCommands) std::abort();
    for (const std::string& path : paths) {
        if (!RecentCommands::IsStorable(path)) std::abort();
    }
    if (std::set<std::string>(paths.begin(), paths.end()).size() != paths.size()) std::abort();
    if (RecentCommands::Parse(RecentCommands::Format(paths)) != paths) std::abort();
    return 0;
}
