#include "core/search/MenuSearch.h"

#include <algorithm>
#include <utility>

#include "core/search/SearchText.h"
#include "core/text/Utf16.h"

namespace tarvik {

namespace {

constexpr char16_t kBackspace = 8;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

void MenuSearch::Open(const MenuItemList& titles, std::string program) {
    m_index.Build(titles);
    m_program = std::move(program);
    m_query.clear();
    m_highSurrogate = 0;
    Refresh();
}

void MenuSearch::Close() {
    m_results.clear();
    m_chosen = -1;
    m_index.Clear();
    m_query.clear();
    m_highSurrogate = 0;
}

bool MenuSearch::Type(char16_t unit) {
    // Half a pair waits for its other half; anything else drops it.
    const char16_t high = std::exchange(m_highSurrogate, 0);
    if (IsHighSurrogate(unit)) {
        m_highSurrogate = unit;
        return false;
    }
    if (IsLowSurrogate(unit)) {
        if (high == 0) return false;
        return Append(0x10000 + ((char32_t{high} - 0xD800) << 10) + (char32_t{unit} - 0xDC00));
    }
    if (unit == kBackspace) return Backspace();
    if (unit < 0x20 || unit == 0x7F) return false;
    return Append(unit);
}

bool MenuSearch::Append(char32_t code) {
    std::string text;
    AppendUtf8(text, code);
    if (m_query.size() + text.size() > kMaxQueryBytes) return false;
    m_query += text;
    Refresh();
    return true;
}

bool MenuSearch::Backspace() {
    if (m_query.empty()) return false;
    size_t end = m_query.size() - 1;
    // Back over the continuation bytes to the first byte of the last character.
    while (end > 0 && (static_cast<unsigned char>(m_query[end]) & 0xC0) == 0x80) --end;
    m_query.erase(end);
    Refresh();
    return true;
}

bool MenuSearch::Move(int32_t rows) {
    if (m_results.empty()) return false;
    const int32_t last = static_cast<int32_t>(m_results.size()) - 1;
    const int32_t chosen = std::clamp(m_chosen + rows, 0, last);
    if (chosen == m_chosen) return false;
    m_chosen = chosen;
    return true;
}

std::shared_ptr<MenuItem> MenuSearch::Enter() {
    if (m_chosen < 0 || m_chosen >= static_cast<int32_t>(m_results.size())) return nullptr;
    const MenuCommand& command = *m_results[static_cast<size_t>(m_chosen)];
    if (!command.enabled) return nullptr;
    m_recent.Remember(m_program, command.path);
    return command.item;
}

void MenuSearch::Refresh() {
    if (!FoldForSearch(m_query).empty()) {
        m_results = m_index.Search(m_query);
    } else {
        // Nothing to look for yet: the program's recent commands that its menus still have,
        // newest first, those that cannot run now after the others.
        m_results.clear();
        for (const std::string& path : m_recent.For(m_program)) {
            const MenuCommand* command = m_index.Find(path);
            if (command && m_results.size() < MenuIndex::kMaxResults) m_results.push_back(command);
        }
        std::stable_partition(m_results.begin(), m_results.end(),
                              [](const MenuCommand* command) { return command->enabled; });
    }
    m_chosen = m_results.empty() ? -1 : 0;
}

}  // namespace tarvik
