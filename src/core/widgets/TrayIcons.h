#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "core/widgets/NotifyIcon.h"

namespace tarvik {

class Trace;

// What the icon list asks of the system about the icons' owners. Handles are the 32-bit values
// the owners sent.
class ITrayOwners {
  public:
    virtual ~ITrayOwners() = default;
    virtual bool IsWindow(uint32_t window) = 0;
    // The window's process; 0 when it is not a window.
    virtual uint32_t ProcessOf(uint32_t window) = 0;
    // This program's own process.
    virtual uint32_t OwnProcess() = 0;
    // A copy of the owner's icon, captured; null when the handle is not an icon.
    virtual std::unique_ptr<TrayIconPicture> CopyIcon(uint32_t icon) = 0;
    // Posts without waiting: a hung owner never holds the bar.
    virtual void Post(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) = 0;
    // The pointer in screen pixels; false when it cannot be read.
    virtual bool CursorPos(int32_t& x, int32_t& y) = 0;
    // Lets the window's process take the foreground.
    virtual void AllowForeground(uint32_t window) = 0;
};

// The collected notification icons in the order they first came, keyed by their ItemKey, with
// what is done to them: icon messages from other programs, pruning of dead owners, and mouse
// events passed on to the owners the way the shell passes them. Anyone can send the taskbar
// icon messages, so the list is bounded (per owner program and in all) and a callback message is
// only ever one of the range programs define for themselves, posted to a live window of another
// program.
class TrayIcons {
  public:
    using IconList = std::vector<std::shared_ptr<NotifyIcon>>;
    static constexpr size_t kMaxIconsPerProcess = 64;
    static constexpr size_t kMaxIcons = 512;
    // WM_USER: below it lie the system's own messages (WM_CLOSE, WM_SYSCOMMAND, ...).
    static constexpr uint32_t kLowestCallback = 0x0400;

    TrayIcons(ITrayOwners& owners, Trace& trace) : m_owners(owners), m_trace(trace) {}

    // The list changed.
    std::function<void()> Changed;

    const IconList& Icons() const { return m_icons; }
    NotifyIcon* FindIcon(std::string_view key) const;
    void Clear() { m_icons.clear(); }

    // One icon message (a WM_COPYDATA payload of the tray kind): 1 when it was taken, else 0.
    // A failure is logged and answers what was reached. A callback message below
    // kLowestCallback, or a new icon beyond the caps, is refused (logged once) and changes
    // nothing.
    int32_t HandleTrayData(std::span<const uint8_t> payload);
    // Drops the icons whose owner window is gone.
    void PruneDeadIcons();
    // Posts a mouse event (WM_LBUTTONUP, NIN_SELECT, ...) to the icon's owner; nothing for no
    // icon, a dead owner, a window of this program or an owner that asked for no events.
    void ForwardIconEvent(const NotifyIcon* icon, uint32_t event);
    void AllowOwnerForeground(const NotifyIcon* icon);
    // The payloads that hand every icon to another copy, in order: each icon's NimAdd, then its
    // NimSetVersion when it has a version.
    std::vector<std::vector<uint8_t>> ReplayPayloads() const;

  private:
    int32_t Apply(std::span<const uint8_t> payload);
    bool AcceptsCallback(uint32_t flags, uint32_t callbackMessage);
    bool HasRoom();
    bool HasRoomFor(uint32_t process);
    void NotifyChanged();

    ITrayOwners& m_owners;
    Trace& m_trace;
    IconList m_icons;
};

}  // namespace tarvik
