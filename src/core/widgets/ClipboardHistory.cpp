#include "core/widgets/ClipboardHistory.h"

#include <algorithm>

#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/text/Utf16.h"

namespace tarvik {

namespace {

constexpr std::string_view kSource = "ClipboardHistory";

bool IsWorthKeeping(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos &&
           Utf16Length(text) <= ClipboardHistory::kMaxUnits;
}

}  // namespace

std::u16string_view ClipboardBlockText(const char16_t* units, size_t bytes) {
    if (!units) return {};
    // One unit past the longest entry is enough to refuse a longer text: the rest is never read.
    const std::u16string_view block(
        units, std::min(bytes / sizeof(char16_t), ClipboardHistory::kMaxUnits + 1));
    return block.substr(0, block.find(u'\0'));
}

bool IsPrivateCopy(const ClipboardMarks& marks) {
    return marks.excludeFromMonitoring || marks.viewerIgnore || marks.canIncludeInHistory == 0u;
}

ClipboardHistory::ClipboardHistory(IClipboard& clipboard, Trace& trace)
    : m_clipboard(clipboard), m_trace(trace) {}

void ClipboardHistory::StartClipboardHistory(WindowHandle barWindow) {
    m_entries.clear();
    m_window = barWindow;
    m_listening = RunLogged(m_trace, kSource, "StartClipboardHistory", false,
                            [&] { m_clipboard.Listen(barWindow); });
}

void ClipboardHistory::StopClipboardHistory() {
    if (m_listening) {
        RunLogged(m_trace, kSource, "StopClipboardHistory", true,
                  [&] { m_clipboard.StopListening(m_window); });
    }
    m_listening = false;
    m_window = 0;
    m_entries.clear();
}

void ClipboardHistory::OnClipboardUpdate() {
    if (!m_listening) return;
    RunLogged(m_trace, kSource, "OnClipboardUpdate", true, [&] {
        if (IsPrivateCopy(m_clipboard.ReadMarks(m_window))) return;
        std::optional<std::string> text = m_clipboard.ReadText(m_window);
        if (text && IsWorthKeeping(*text)) AddToHistory(std::move(*text));
    });
}

std::string ClipboardHistory::HistoryItem(int32_t position) const {
    if (position < 1 || position > HistoryCount()) return {};
    return m_entries[static_cast<size_t>(position - 1)];
}

void ClipboardHistory::Restore(std::string_view text) {
    if (text.empty() || !m_window) return;
    RunLogged(m_trace, kSource, "Restore", true, [&] {
        m_clipboard.WriteText(m_window, text);
        // At the top at once, not only when the clipboard's notice of it arrives: the menu opened
        // right after shows the order the user expects.
        AddToHistory(std::string(text));
    });
}

void ClipboardHistory::AddToHistory(std::string text) {
    const auto found = std::find(m_entries.begin(), m_entries.end(), text);
    if (found == m_entries.begin() && found != m_entries.end()) return;
    if (found != m_entries.end()) m_entries.erase(found);
    m_entries.insert(m_entries.begin(), std::move(text));
    if (m_entries.size() > kMaxEntries) m_entries.resize(kMaxEntries);
}

}  // namespace tarvik
