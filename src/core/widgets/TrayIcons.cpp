#include "core/widgets/TrayIcons.h"

#include <algorithm>
#include <string>

#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/widgets/TrayPayload.h"

namespace tarvik {

NotifyIcon* TrayIcons::FindIcon(std::string_view key) const {
    for (const auto& icon : m_icons)
        if (icon->ItemKey == key) return icon.get();
    return nullptr;
}

int32_t TrayIcons::HandleTrayData(std::span<const uint8_t> payload) {
    try {
        return Apply(payload);
    } catch (...) {
        LogCurrentException(m_trace, "TrayHost", "HandleTrayData");
        return 0;
    }
}

int32_t TrayIcons::Apply(std::span<const uint8_t> payload) {
    const std::optional<TrayRecord> record = ReadTrayPayload(payload);
    if (!record) return 0;
    NotifyIcon* icon = FindIcon(record->key);
    switch (record->message) {
        case NimAdd:
        case NimModify: {
            if (!AcceptsCallback(record->flags, record->callbackMessage)) return 0;
            if (!icon) {
                const uint32_t process = m_owners.ProcessOf(record->owner);
                if (!HasRoom() || !HasRoomFor(process)) return 0;
                auto added = std::make_shared<NotifyIcon>();
                added->ItemKey = record->key;
                added->OwnerHwnd = record->owner;
                added->OwnerProcess = process;
                added->IconId = record->id;
                icon = added.get();
                m_icons.push_back(std::move(added));
            }
            if ((record->flags & NifMessage) != 0) icon->CallbackMessage = record->callbackMessage;
            if ((record->flags & NifIcon) != 0) {
                icon->ReplaceIcon(record->icon != 0 ? m_owners.CopyIcon(record->icon) : nullptr);
            }
            if (record->tip) icon->TipText = *record->tip;
            if (record->hidden) icon->Hidden = *record->hidden;
            NotifyChanged();
            return 1;
        }
        case NimDelete:
            if (!icon) return 0;
            std::erase_if(m_icons, [&](const auto& entry) { return entry.get() == icon; });
            NotifyChanged();
            return 1;
        case NimSetFocus:
            return 1;
        case NimSetVersion:
            if (!icon || !record->version || *record->version > kNewestTrayVersion) return 0;
            icon->Version = static_cast<int32_t>(*record->version);
            return 1;
        default:
            return 0;
    }
}

bool TrayIcons::AcceptsCallback(uint32_t flags, uint32_t callbackMessage) {
    if ((flags & NifMessage) == 0 || callbackMessage == 0 || callbackMessage >= kLowestCallback)
        return true;
    m_trace.LogErrorOnce(0, "TrayHost", "AcceptsCallback",
                         "refused an icon whose callback is a system message (below WM_USER)");
    return false;
}

bool TrayIcons::HasRoom() {
    if (m_icons.size() < kMaxIcons) return true;
    m_trace.LogErrorOnce(0, "TrayHost", "HasRoom",
                         "refused an icon: " + std::to_string(kMaxIcons) + " are held");
    return false;
}

bool TrayIcons::HasRoomFor(uint32_t process) {
    const auto owned = std::count_if(m_icons.begin(), m_icons.end(), [&](const auto& icon) {
        return icon->OwnerProcess == process;
    });
    if (static_cast<size_t>(owned) < kMaxIconsPerProcess) return true;
    m_trace.LogErrorOnce(
        0, "TrayHost", "HasRoomFor",
        "refused an icon: its program already has " + std::to_string(kMaxIconsPerProcess));
    return false;
}

void TrayIcons::PruneDeadIcons() {
    const size_t removed = std::erase_if(
        m_icons, [&](const auto& icon) { return !m_owners.IsWindow(icon->OwnerHwnd); });
    if (removed > 0) NotifyChanged();
}

void TrayIcons::ForwardIconEvent(const NotifyIcon* icon, uint32_t event) {
    if (!icon || icon->CallbackMessage < kLowestCallback) return;
    const uint32_t process = m_owners.ProcessOf(icon->OwnerHwnd);
    if (process == 0 || process == m_owners.OwnProcess()) return;
    if (icon->Version < kNewestTrayVersion) {
        m_owners.Post(icon->OwnerHwnd, icon->CallbackMessage, static_cast<uint32_t>(icon->IconId),
                      event);
        return;
    }
    int32_t x = 0;
    int32_t y = 0;
    m_owners.CursorPos(x, y);
    m_owners.Post(icon->OwnerHwnd, icon->CallbackMessage, MakeLong(x, y),
                  MakeLong(static_cast<int32_t>(event), icon->IconId));
}

void TrayIcons::AllowOwnerForeground(const NotifyIcon* icon) {
    if (icon && m_owners.IsWindow(icon->OwnerHwnd)) m_owners.AllowForeground(icon->OwnerHwnd);
}

std::vector<std::vector<uint8_t>> TrayIcons::ReplayPayloads() const {
    std::vector<std::vector<uint8_t>> payloads;
    for (const auto& icon : m_icons) {
        payloads.push_back(BuildTrayPayload(*icon, NimAdd));
        if (icon->Version != 0) payloads.push_back(BuildTrayPayload(*icon, NimSetVersion));
    }
    return payloads;
}

void TrayIcons::NotifyChanged() {
    if (Changed) Changed();
}

}  // namespace tarvik
