#include "win32/widgets/TrayOwners.h"

#include "win32/platform/AlphaIcon.h"
#include "win32/platform/UniqueHandle.h"

namespace tarvik {

namespace {

// Our own copy of an owner's icon and its capture.
class IconCopy final : public TrayIconPicture {
  public:
    explicit IconCopy(HICON copy) : m_icon(copy), m_taken(m_capture.CreateFromHICON(copy)) {}
    bool Taken() const { return m_taken; }
    uint32_t Handle() const override { return TrayHandleOf(m_icon.Get()); }
    const GDIPImage* Image() const override { return m_capture.Image(); }

  private:
    UniqueIcon m_icon;
    AlphaIcon m_capture;
    bool m_taken;
};

}  // namespace

HWND WindowFromTray(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(handle)));
}

uint32_t TrayHandleOf(const void* handle) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

bool Win32TrayOwners::IsWindow(uint32_t window) {
    return window != 0 && ::IsWindow(WindowFromTray(window));
}

uint32_t Win32TrayOwners::ProcessOf(uint32_t window) {
    DWORD process = 0;
    if (window == 0 || !GetWindowThreadProcessId(WindowFromTray(window), &process)) return 0;
    return process;
}

std::unique_ptr<TrayIconPicture> Win32TrayOwners::CopyIcon(uint32_t icon) {
    const HICON copy = ::CopyIcon(reinterpret_cast<HICON>(WindowFromTray(icon)));
    if (!copy) return nullptr;
    auto picture = std::make_unique<IconCopy>(copy);
    // An icon too large to capture is refused whole: its copy goes at once.
    if (!picture->Taken()) return nullptr;
    return picture;
}

void Win32TrayOwners::Post(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) {
    PostMessageW(WindowFromTray(window), message, wParam, static_cast<LPARAM>(lParam));
}

bool Win32TrayOwners::CursorPos(int32_t& x, int32_t& y) {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return false;
    x = cursor.x;
    y = cursor.y;
    return true;
}

void Win32TrayOwners::AllowForeground(uint32_t window) {
    DWORD process = 0;
    if (GetWindowThreadProcessId(WindowFromTray(window), &process) && process != 0) {
        AllowSetForegroundWindow(process);
    }
}

}  // namespace tarvik
