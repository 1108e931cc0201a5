#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tarvik {

class GDIPImage;

// The picture of a collected icon: a copy of the owner's icon handle, owned, and what was
// captured from it.
class TrayIconPicture {
  public:
    virtual ~TrayIconPicture() = default;
    // The owned icon's 32-bit handle.
    virtual uint32_t Handle() const = 0;
    // The captured picture; null when nothing could be captured.
    virtual const GDIPImage* Image() const = 0;
};

// One icon another program put in the notification area.
class NotifyIcon {
  public:
    std::string ItemKey;
    uint32_t OwnerHwnd = 0;     // the owner window's 32-bit handle; it receives the mouse events
    uint32_t OwnerProcess = 0;  // the owner window's process when the icon came; 0 if unknown
    int32_t IconId = 0;
    uint32_t CallbackMessage = 0;  // 0: the owner wants no mouse events
    int32_t Version = 0;           // the owner's protocol version, 0 to 4
    std::string TipText;
    bool Hidden = false;

    // Drops the previous picture (and its icon handle) and keeps the new one, which may be null.
    void ReplaceIcon(std::unique_ptr<TrayIconPicture> picture) { m_picture = std::move(picture); }
    bool HasImage() const { return m_picture && m_picture->Image() != nullptr; }
    uint32_t IconHandle() const { return m_picture ? m_picture->Handle() : 0; }
    // Null unless HasImage.
    const GDIPImage* Image() const { return m_picture ? m_picture->Image() : nullptr; }

  private:
    std::unique_ptr<TrayIconPicture> m_picture;
};

}  // namespace tarvik
