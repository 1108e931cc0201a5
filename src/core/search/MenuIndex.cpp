#include "core/search/MenuIndex.h"

#include <algorithm>
#include <tuple>

#include "core/search/SearchText.h"

namespace tarvik {

namespace {

// GetMenuItemID's answer for an entry that opens a submenu.
constexpr int32_t kPopupCommandId = -1;

// How well one query word matches, lower is better.
constexpr int32_t kWholeWord = 0;
constexpr int32_t kWordStart = 1;
constexpr int32_t kInitials = 2;
constexpr int32_t kInsideWord = 3;
constexpr int32_t kNoMatch = 4;

bool IsCommand(const MenuItem& item) {
    if (item.IsSeparator || !item.Children.empty() || item.text.empty()) return false;
    // A widget's entry runs through the widget whatever its identifier.
    return item.OwnerWidget != nullptr || item.CommandId != kPopupCommandId;
}

int32_t WordMatch(std::string_view word, std::string_view query) {
    if (word == query) return kWholeWord;
    if (word.starts_with(query)) return kWordStart;
    if (word.find(query) != std::string_view::npos) return kInsideWord;
    return kNoMatch;
}

}  // namespace

void MenuIndex::Clear() {
    m_entries.clear();
    m_byPath.clear();
}

void MenuIndex::Build(const MenuItemList& titles) {
    Clear();
    std::string path;
    Add(titles, path, 0, 0);
    m_byPath.reserve(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i) {
        // The first of two commands with one path is the one found.
        m_byPath.emplace(m_entries[i].command.path, i);
    }
}

void MenuIndex::Add(const MenuItemList& items, std::string& path, size_t levels, int32_t depth) {
    if (depth >= kMaxDepth) return;
    for (const auto& item : items) {
        if (!item || item->IsSeparator || item->text.empty()) continue;
        const size_t before = path.size();
        if (levels > 0) path += kPathSeparator;
        path += item->text;
        if (!item->Children.empty()) {
            Add(item->Children, path, levels + 1, depth + 1);
        } else if (IsCommand(*item)) {
            Entry entry;
            entry.command = MenuCommand{
                path, item->AcceleratorText.empty() ? item->ShortcutKeys : item->AcceleratorText,
                item->IsEnabled, item};
            entry.folded = FoldForSearch(path);
            for (const std::string_view word : SearchWords(entry.folded)) {
                entry.words.emplace_back(word);
            }
            const std::string caption = FoldForSearch(item->text);
            for (const std::string_view word : SearchWords(caption)) {
                entry.captionInitials += word.front();
                ++entry.captionWords;
            }
            entry.captionWords = std::min(entry.captionWords, entry.words.size());
            entry.levels = levels + 1;
            m_entries.push_back(std::move(entry));
        }
        path.resize(before);
    }
}

bool MenuIndex::MatchEntry(const Entry& entry, const std::vector<std::string_view>& query,
                           Match& match) {
    const size_t firstCaptionWord = entry.words.size() - entry.captionWords;
    match = {};
    for (const std::string_view word : query) {
        int32_t best = kNoMatch;
        bool inCaption = false;
        for (size_t i = 0; i < entry.words.size(); ++i) {
            const int32_t quality = WordMatch(entry.words[i], word);
            const bool caption = i >= firstCaptionWord;
            if (quality < best || (quality == best && caption && !inCaption)) {
                best = quality;
                inCaption = caption;
            }
        }
        if (best > kInitials && word.size() >= 2 &&
            entry.captionInitials.find(word) != std::string::npos) {
            best = kInitials;
            inCaption = true;
        }
        if (best == kNoMatch) return false;
        match.quality += best;
        if (!inCaption) ++match.outsideCaption;
    }
    return true;
}

std::vector<const MenuCommand*> MenuIndex::Search(std::string_view query, size_t limit) const {
    const std::string folded = FoldForSearch(query);
    const std::vector<std::string_view> words = SearchWords(folded);
    std::vector<const MenuCommand*> results;
    if (words.empty() || limit == 0) return results;

    struct Found {
        bool disabled;
        int32_t quality;
        int32_t outsideCaption;
        size_t levels;
        size_t length;
        size_t order;
        auto Key() const {
            return std::tie(disabled, quality, outsideCaption, levels, length, order);
        }
    };
    std::vector<Found> found;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        Match match;
        if (!MatchEntry(entry, words, match)) continue;
        found.push_back(Found{!entry.command.enabled, match.quality, match.outsideCaption,
                              entry.levels, entry.command.path.size(), i});
    }
    const size_t kept = std::min(limit, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(),
                      [](const Found& a, const Found& b) { return a.Key() < b.Key(); });
    results.reserve(kept);
    for (size_t i = 0; i < kept; ++i) results.push_back(&m_entries[found[i].order].command);
    return results;
}

const MenuCommand* MenuIndex::Find(std::string_view path) const {
    const auto found = m_byPath.find(std::string(path));
    return found == m_byPath.end() ? nullptr : &m_entries[found->second].command;
}

}  // namespace tarvik
