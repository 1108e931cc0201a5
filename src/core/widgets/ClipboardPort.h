#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/WindowHandle.h"

namespace tarvik {

// What a copy says about being remembered. Password managers and other programs mark their
// copies so that clipboard viewers and histories leave them alone.
struct ClipboardMarks {
    bool excludeFromMonitoring = false;  // "ExcludeClipboardContentFromMonitorProcessing" is there
    bool viewerIgnore = false;           // "Clipboard Viewer Ignore" is there
    // The DWORD of "CanIncludeInClipboardHistory" when the copy carries one (0: keep it out).
    std::optional<uint32_t> canIncludeInHistory;
};

// The system clipboard as the clipboard history uses it. A failure is an Error.
class IClipboard {
  public:
    virtual ~IClipboard() = default;
    // Makes the window hear every clipboard change (WM_CLIPBOARDUPDATE); throws when refused.
    virtual void Listen(WindowHandle window) = 0;
    virtual void StopListening(WindowHandle window) = 0;
    // The marks of what the clipboard holds now, the clipboard opened by the window if needed. A
    // mark that is there but cannot be read counts as a refusal.
    virtual ClipboardMarks ReadMarks(WindowHandle window) = 0;
    // The Unicode text on the clipboard, opened by the window; nothing when there is none or the
    // clipboard cannot be read.
    virtual std::optional<std::string> ReadText(WindowHandle window) = 0;
    // Replaces the clipboard's content by the text, the window becoming its owner; throws when the
    // clipboard cannot be opened.
    virtual void WriteText(WindowHandle window, std::string_view text) = 0;
};

// The text of a Unicode text block `bytes` long: up to its first zero unit, and never past the
// block's end when another program left the terminator out. A text longer than the history
// keeps is cut one unit past that length, so it is refused before it is converted or copied.
std::u16string_view ClipboardBlockText(const char16_t* units, size_t bytes);

}  // namespace tarvik
