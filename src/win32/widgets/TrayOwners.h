#pragma once

#include <windows.h>

#include "core/widgets/TrayIcons.h"

namespace tarvik {

// The 32-bit handle values of the shell's icon records as handles of this process: Windows keeps
// window and icon handles in 32 bits and widens them with their sign.
HWND WindowFromTray(uint32_t handle);
uint32_t TrayHandleOf(const void* handle);

// The icons' owners as Windows sees them.
class Win32TrayOwners final : public ITrayOwners {
  public:
    bool IsWindow(uint32_t window) override;
    uint32_t ProcessOf(uint32_t window) override;
    uint32_t OwnProcess() override { return GetCurrentProcessId(); }
    std::unique_ptr<TrayIconPicture> CopyIcon(uint32_t icon) override;
    void Post(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
    bool CursorPos(int32_t& x, int32_t& y) override;
    void AllowForeground(uint32_t window) override;
};

}  // namespace tarvik
