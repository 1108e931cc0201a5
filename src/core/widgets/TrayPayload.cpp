#include "core/widgets/TrayPayload.h"

#include <algorithm>
#include <cstring>

#include "core/text/Utf16.h"
#include "core/widgets/NotifyIcon.h"

namespace tarvik {

namespace {

// Offsets in the payload: the head, then the record's fields.
constexpr size_t kHead = 8;
constexpr size_t kOwner = kHead + 4;
constexpr size_t kId = kHead + 8;
constexpr size_t kFlags = kHead + 12;
constexpr size_t kCallback = kHead + 16;
constexpr size_t kIcon = kHead + 20;
constexpr size_t kTip = kHead + 24;
constexpr size_t kState = kHead + 280;
constexpr size_t kStateMask = kHead + 284;
constexpr size_t kVersion = kHead + 800;
constexpr size_t kGuid = kHead + 936;
constexpr size_t kGuidBytes = 16;

// Record lengths from which a field is read.
constexpr size_t kShortestRecord = 24;
constexpr size_t kShortTipRecord = 152;
constexpr size_t kLongTipRecord = 280;
constexpr size_t kStateRecord = 288;
constexpr size_t kVersionRecord = 804;
constexpr size_t kGuidRecord = 952;
constexpr uint32_t kHiddenBit = 1;

uint32_t ReadWord(std::span<const uint8_t> bytes, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= uint32_t{bytes[offset + i]} << (8 * i);
    return value;
}

void WriteWord(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// UTF-16 units up to the first NUL, as UTF-8; a lone surrogate becomes U+FFFD.
std::string ReadUnits(std::span<const uint8_t> bytes, size_t offset, size_t units) {
    std::string text;
    const auto unit = [&](size_t i) -> uint32_t {
        return bytes[offset + 2 * i] | (uint32_t{bytes[offset + 2 * i + 1]} << 8);
    };
    for (size_t i = 0; i < units; ++i) {
        const uint32_t first = unit(i);
        if (first == 0) break;
        const bool high = first >= 0xD800 && first < 0xDC00;
        const uint32_t next = high && i + 1 < units ? unit(i + 1) : 0;
        if (next >= 0xDC00 && next < 0xE000) {
            AppendUtf8(text, 0x10000 + ((first - 0xD800) << 10) + (next - 0xDC00));
            ++i;
        } else {
            AppendUtf8(text, first >= 0xD800 && first < 0xE000 ? 0xFFFD : first);
        }
    }
    return text;
}

std::string TipOf(std::span<const uint8_t> payload, size_t record) {
    if (record >= kLongTipRecord) return ReadUnits(payload, kTip, 128);
    if (record >= kShortTipRecord) return ReadUnits(payload, kTip, 64);
    return {};
}

std::string KeyOf(std::span<const uint8_t> payload, size_t record, uint32_t owner, int32_t id,
                  uint32_t flags) {
    if ((flags & NifGuid) != 0 && record >= kGuidRecord) {
        const auto guid = payload.subspan(kGuid, kGuidBytes);
        if (std::any_of(guid.begin(), guid.end(), [](uint8_t b) { return b != 0; })) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            std::string key = "G";
            for (const uint8_t b : guid) {
                key += kHex[b >> 4];
                key += kHex[b & 15];
            }
            return key;
        }
    }
    return "W" + std::to_string(static_cast<int32_t>(owner)) + ":" + std::to_string(id);
}

// The text as UTF-16 units, at most `limit` of them, never half a surrogate pair. The text is
// this program's own, so well formed.
std::u16string Utf16Units(std::string_view utf8, size_t limit) {
    const std::string_view text = Utf16Prefix(utf8, limit);
    std::u16string units;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < text.size(); ++k) {
            code = (code << 6) | (static_cast<uint8_t>(text[i + k]) & 0x3F);
        }
        i += length;
        if (code >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(code);
        }
    }
    return units;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

}  // namespace

std::optional<TrayRecord> ReadTrayPayload(std::span<const uint8_t> payload) {
    if (payload.size() < kHead + kShortestRecord) return std::nullopt;
    const size_t record = payload.size() - kHead;
    TrayRecord result;
    result.message = ReadWord(payload, 4);
    result.owner = ReadWord(payload, kOwner);
    result.id = static_cast<int32_t>(ReadWord(payload, kId));
    result.flags = ReadWord(payload, kFlags);
    result.callbackMessage = ReadWord(payload, kCallback);
    result.icon = ReadWord(payload, kIcon);
    result.key = KeyOf(payload, record, result.owner, result.id, result.flags);
    if ((result.flags & NifTip) != 0) result.tip = TipOf(payload, record);
    if ((result.flags & NifState) != 0 && record >= kStateRecord &&
        (ReadWord(payload, kStateMask) & kHiddenBit) != 0) {
        result.hidden = (ReadWord(payload, kState) & kHiddenBit) != 0;
    }
    if (result.message == NimSetVersion && record >= kVersionRecord) {
        result.version = ReadWord(payload, kVersion);
    }
    return result;
}

std::vector<uint8_t> BuildTrayPayload(const NotifyIcon& icon, uint32_t message) {
    std::vector<uint8_t> bytes(kTrayReplaySize, 0);
    const bool guidKey = icon.ItemKey.starts_with("G");
    uint32_t flags = NifMessage | NifTip | NifState;
    if (icon.IconHandle() != 0) flags |= NifIcon;
    if (guidKey) flags |= NifGuid;
    WriteWord(bytes, 0, kTraySignature);
    WriteWord(bytes, 4, message);
    WriteWord(bytes, kHead, static_cast<uint32_t>(kTrayReplaySize - kHead));
    WriteWord(bytes, kOwner, icon.OwnerHwnd);
    WriteWord(bytes, kId, static_cast<uint32_t>(icon.IconId));
    WriteWord(bytes, kFlags, flags);
    WriteWord(bytes, kCallback, icon.CallbackMessage);
    WriteWord(bytes, kIcon, icon.IconHandle());
    // At most 127 units: the zero fill ends the text.
    size_t at = kTip;
    for (const char16_t unit : Utf16Units(icon.TipText, 127)) {
        bytes[at++] = static_cast<uint8_t>(unit);
        bytes[at++] = static_cast<uint8_t>(unit >> 8);
    }
    WriteWord(bytes, kState, icon.Hidden ? kHiddenBit : 0);
    WriteWord(bytes, kStateMask, kHiddenBit);
    WriteWord(bytes, kVersion, static_cast<uint32_t>(icon.Version));
    if (guidKey && icon.ItemKey.size() >= 1 + 2 * kGuidBytes) {
        for (size_t i = 0; i < kGuidBytes; ++i) {
            bytes[kGuid + i] = static_cast<uint8_t>(HexDigit(icon.ItemKey[1 + 2 * i]) * 16 +
                                                    HexDigit(icon.ItemKey[2 + 2 * i]));
        }
    }
    return bytes;
}

uint32_t MakeLong(int32_t low, int32_t high) {
    return (static_cast<uint32_t>(low) & 0xFFFFu) | ((static_cast<uint32_t>(high) & 0xFFFFu) << 16);
}

}  // namespace tarvik
