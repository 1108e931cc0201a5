// Reads arbitrary bytes as a program's stored shortcut menus. Whatever is read writes back as a
// value that reads again to the same entries, menus grouped, with nothing skipped; every entry
// read is either kept or counted as skipped.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/shortcuts/StoredMenus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvik;
    const std::string value(reinterpret_cast<const char*>(data), size);
    const StoredMenus::Parsed parsed = StoredMenus::Parse(value);
    const std::string written = StoredMenus::Format(parsed.rows);
    const StoredMenus::Parsed again = StoredMenus::Parse(written);
    if (parsed.skipped < 0 || parsed.rows.size() > StoredMenus::kMaxRows || again.skipped != 0 ||
        again.rows.size() != parsed.rows.size() || StoredMenus::Format(again.rows) != written ||
        (parsed.skipped == 0 && parsed.rows.empty() && !value.empty())) {
        std::abort();
    }
    return 0;
}
