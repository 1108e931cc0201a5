#include "win32/widgets/Win32Clipboard.h"

#include <cstring>

#include "core/app/Error.h"
#include "core/widgets/ClipboardHistory.h"
#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

HWND ToWindow(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

int32_t LastError() {
    return static_cast<int32_t>(GetLastError());
}

bool IsAvailable(UINT format) {
    return format != 0 && IsClipboardFormatAvailable(format);
}

// The clipboard, opened by a window for as long as the object lives.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND window) : m_open(OpenClipboard(window) != FALSE) {}
    ~OpenedClipboard() {
        if (m_open) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return m_open; }

  private:
    bool m_open;
};

// A memory block locked for as long as the object lives, with its true size.
class LockedBlock {
  public:
    explicit LockedBlock(HANDLE block)
        : m_block(block),
          m_data(block ? GlobalLock(block) : nullptr),
          m_size(m_data ? GlobalSize(block) : 0) {}
    ~LockedBlock() {
        if (m_data) GlobalUnlock(m_block);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    const void* Data() const { return m_data; }
    size_t Size() const { return m_size; }

  private:
    HANDLE m_block;
    void* m_data;
    size_t m_size;
};

}  // namespace

Win32Clipboard::Win32Clipboard()
    : m_excludeFormat(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing")),
      m_viewerIgnoreFormat(RegisterClipboardFormatW(L"Clipboard Viewer Ignore")),
      m_canIncludeFormat(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory")) {}

void Win32Clipboard::Listen(WindowHandle window) {
    if (!AddClipboardFormatListener(ToWindow(window))) {
        throw Error(LastError(),
                    "AddClipboardFormatListener refused the bar's window - no "
                    "clipboard history this run");
    }
}

void Win32Clipboard::StopListening(WindowHandle window) {
    RemoveClipboardFormatListener(ToWindow(window));
}

ClipboardMarks Win32Clipboard::ReadMarks(WindowHandle window) {
    ClipboardMarks marks;
    marks.excludeFromMonitoring = IsAvailable(m_excludeFormat);
    marks.viewerIgnore = IsAvailable(m_viewerIgnoreFormat);
    if (!IsAvailable(m_canIncludeFormat)) return marks;
    marks.canIncludeInHistory = 0;
    const OpenedClipboard clipboard(ToWindow(window));
    const LockedBlock block(clipboard.IsOpen() ? GetClipboardData(m_canIncludeFormat) : nullptr);
    DWORD value = 0;
    if (block.Size() >= sizeof value) {
        std::memcpy(&value, block.Data(), sizeof value);
        marks.canIncludeInHistory = value;
    }
    return marks;
}

std::optional<std::string> Win32Clipboard::ReadText(WindowHandle window) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
    const OpenedClipboard clipboard(ToWindow(window));
    if (!clipboard.IsOpen()) return std::nullopt;
    const LockedBlock block(GetClipboardData(CF_UNICODETEXT));
    if (!block.Data()) return std::nullopt;
    const std::u16string_view text =
        ClipboardBlockText(static_cast<const char16_t*>(block.Data()), block.Size());
    // Longer than the history keeps: refused before it is converted.
    if (text.size() > ClipboardHistory::kMaxUnits) return std::nullopt;
    return Narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

void Win32Clipboard::WriteText(WindowHandle window, std::string_view text) {
    const OpenedClipboard clipboard(ToWindow(window));
    if (!clipboard.IsOpen()) {
        throw Error(LastError(),
                    "could not open the clipboard - another application is holding it");
    }
    EmptyClipboard();
    const std::wstring units = Widen(text);
    const size_t bytes = (units.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!memory) throw Error(LastError(), "no memory for the text to restore");
    if (void* data = GlobalLock(memory)) {
        std::memcpy(data, units.data(), bytes - sizeof(wchar_t));
        GlobalUnlock(memory);
        // From here the clipboard owns the memory.
        if (SetClipboardData(CF_UNICODETEXT, memory)) return;
    }
    const int32_t error = LastError();
    GlobalFree(memory);
    throw Error(error, "SetClipboardData refused the text to restore");
}

}  // namespace tarvik
