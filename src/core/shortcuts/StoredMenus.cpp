#include "core/shortcuts/StoredMenus.h"

#include <algorithm>

namespace tarvik::StoredMenus {

namespace {

// The parts of text between the separators; n separators give n + 1 parts.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string_view::npos;
         start = at + 1, at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

void ParseRecord(std::string_view record, Parsed& parsed) {
    const std::vector<std::string_view> parts = Split(record, kEntrySeparator);
    const std::string_view title = parts.front();
    if (parts.size() == 1 || title.empty() || title.find(kChordSeparator) != title.npos) {
        parsed.skipped += static_cast<int32_t>(std::max<size_t>(parts.size() - 1, 1));
        return;
    }
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string_view entry = parts[i];
        const size_t at = entry.find(kChordSeparator);
        if (at == entry.npos || entry.find(kChordSeparator, at + 1) != entry.npos ||
            parsed.rows.size() >= kMaxRows) {
            ++parsed.skipped;
            continue;
        }
        parsed.rows.push_back(ShortcutRow{std::string(title), std::string(entry.substr(0, at)),
                                          std::string(entry.substr(at + 1))});
    }
}

}  // namespace

Parsed Parse(std::string_view value) {
    Parsed parsed;
    if (value.empty()) return parsed;
    for (const std::string_view record : Split(value, kMenuSeparator)) ParseRecord(record, parsed);
    return parsed;
}

std::string Format(const std::vector<ShortcutRow>& rows) {
    std::vector<std::string> titles;
    for (const ShortcutRow& row : rows) {
        std::string title = WithoutSeparators(row.menu);
        if (std::find(titles.begin(), titles.end(), title) == titles.end()) {
            titles.push_back(std::move(title));
        }
    }
    std::string value;
    for (const std::string& title : titles) {
        if (&title != &titles.front()) value += kMenuSeparator;
        value += title;
        for (const ShortcutRow& row : rows) {
            if (WithoutSeparators(row.menu) != title) continue;
            value += kEntrySeparator;
            value += WithoutSeparators(row.caption);
            value += kChordSeparator;
            value += WithoutSeparators(row.chord);
        }
    }
    return value;
}

std::string WithoutSeparators(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c != kMenuSeparator && c != kEntrySeparator && c != kChordSeparator) out += c;
    }
    return out;
}

}  // namespace tarvik::StoredMenus
