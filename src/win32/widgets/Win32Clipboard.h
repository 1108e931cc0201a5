#pragma once

#include <windows.h>

#include "core/widgets/ClipboardPort.h"

namespace tarvik {

// The Windows clipboard: change notices through a window, the marks that keep a copy out of
// histories, and Unicode text read and written.
class Win32Clipboard final : public IClipboard {
  public:
    Win32Clipboard();

    void Listen(WindowHandle window) override;
    void StopListening(WindowHandle window) override;
    ClipboardMarks ReadMarks(WindowHandle window) override;
    std::optional<std::string> ReadText(WindowHandle window) override;
    void WriteText(WindowHandle window, std::string_view text) override;

  private:
    UINT m_excludeFormat;
    UINT m_viewerIgnoreFormat;
    UINT m_canIncludeFormat;
};

}  // namespace tarvik
