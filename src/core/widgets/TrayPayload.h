#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarvik {

class NotifyIcon;

// The shell's notification-icon messages, as programs send them to the taskbar window in a
// WM_COPYDATA of kind kTrayCopyDataKind: a signature, the message, then the icon record
// (NOTIFYICONDATAW with 32-bit handles, as the shell lays it out on every Windows).
enum TrayMessage : uint32_t {
    NimAdd = 0,
    NimModify = 1,
    NimDelete = 2,
    NimSetFocus = 3,
    NimSetVersion = 4,
};

enum TrayFlag : uint32_t {
    NifMessage = 1,
    NifIcon = 2,
    NifTip = 4,
    NifState = 8,
    NifGuid = 32,
};

constexpr uintptr_t kTrayCopyDataKind = 1;
constexpr uint32_t kTraySignature = 0x34753423;
// What this program sends when it replays its icons to another copy: the whole modern record.
constexpr size_t kTrayReplaySize = 960;
constexpr int32_t kNewestTrayVersion = 4;

// One icon message, read from bytes that came from another process. What the message does not
// carry stays empty: the tip without NifTip, the hidden state without NifState and its mask bit
// (or in a record too short for it), the version outside NimSetVersion or in a short record.
struct TrayRecord {
    uint32_t message = 0;
    uint32_t owner = 0;  // the owner window's 32-bit handle
    int32_t id = 0;
    uint32_t flags = 0;
    uint32_t callbackMessage = 0;
    uint32_t icon = 0;  // the icon's 32-bit handle
    std::string key;    // "G" and the GUID's 32 hex digits, or "W<owner>:<id>"
    std::optional<std::string> tip;
    std::optional<bool> hidden;
    std::optional<uint32_t> version;
};

// Nothing when the record (the payload after its 8-byte head) is shorter than 24 bytes. Never
// reads outside the payload.
std::optional<TrayRecord> ReadTrayPayload(std::span<const uint8_t> payload);

// The 960-byte NimAdd (or NimSetVersion) payload that hands the icon to another copy.
std::vector<uint8_t> BuildTrayPayload(const NotifyIcon& icon, uint32_t message);

// A 32-bit message parameter from two 16-bit halves: low in bits 0-15, high in bits 16-31.
uint32_t MakeLong(int32_t low, int32_t high);

}  // namespace tarvik
