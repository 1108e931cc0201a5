// Reads any bytes as another program's notification-icon message, twice in a row into one icon
// list: the reader stays inside the bytes (the sanitizers watch), a tip is valid UTF-8 of at most
// 128 units, a key has one of its two forms, and every icon the list then holds replays into
// another copy's list under the same key.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/app/Trace.h"
#include "core/support/Fakes.h"
#include "core/support/TrayFakes.h"
#include "core/text/Utf16.h"
#include "core/widgets/TrayPayload.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvik;
    const std::span<const uint8_t> bytes(data, size);
    if (const auto record = ReadTrayPayload(bytes)) {
        const std::string& key = record->key;
        if ((record->tip && (!IsValidUtf8(*record->tip) || Utf16Length(*record->tip) > 128)) ||
            (key[0] != 'W' && (key[0] != 'G' || key.size() != 33)))
            std::abort();
    }
    test::FakeClock clock;
    Trace trace({}, clock);
    test::FakeOwners owners;
    TrayIcons icons(owners, trace), copy(owners, trace);
    icons.HandleTrayData(bytes);
    icons.HandleTrayData(bytes);
    if (icons.Icons().size() > 1) std::abort();
    for (const auto& payload : icons.ReplayPayloads())
        if (copy.HandleTrayData(payload) != 1) std::abort();
    for (const auto& icon : icons.Icons())
        if (!copy.FindIcon(icon->ItemKey)) std::abort();
    return 0;
}
