#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/WindowHandle.h"
#include "core/widgets/ClipboardPort.h"

namespace tarvik {

class Trace;

// The last texts copied to the clipboard, newest first, kept in memory for the life of the bar.
// The bar's window hears the clipboard changes and owns what is put back; a copy that asks not to
// be remembered (a password manager's) never enters the history.
class ClipboardHistory {
  public:
    static constexpr size_t kMaxEntries = 15;
    static constexpr size_t kMaxUnits = 0x40000;  // UTF-16 units of the longest entry

    // The clipboard and the trace must outlive the history.
    ClipboardHistory(IClipboard& clipboard, Trace& trace);

    // Starts listening through the bar's window with an empty history.
    void StartClipboardHistory(WindowHandle barWindow);
    // Stops listening and forgets the window and the history.
    void StopClipboardHistory();
    // The bar's window heard a clipboard change.
    void OnClipboardUpdate();

    int32_t HistoryCount() const { return static_cast<int32_t>(m_entries.size()); }
    // The entry at 1 .. HistoryCount (1 the newest); empty for any other position.
    std::string HistoryItem(int32_t position) const;
    void ClearHistory() { m_entries.clear(); }
    // Puts the text back on the clipboard; the change that follows moves it to the top.
    void Restore(std::string_view text);

  private:
    void AddToHistory(std::string text);

    IClipboard& m_clipboard;
    Trace& m_trace;
    WindowHandle m_window = 0;
    bool m_listening = false;
    std::vector<std::string> m_entries;  // newest first
};

// True when the marks ask that the copy be left out of any history.
bool IsPrivateCopy(const ClipboardMarks& marks);

}  // namespace tarvik
