#include "core/menus/MenuKeyboard.h"

#include <string_view>

namespace tarvik {

namespace {

bool Pickable(const MenuItem& row) {
    return row.IsEnabled && !row.IsSeparator;
}

// The first code point of UTF-8 text; 0 for empty or broken text.
char32_t FirstCodePoint(std::string_view text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return lead;
    size_t length = 0;
    char32_t point = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        point = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        point = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        point = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0u) != 0x80u) return 0;
        point = (point << 6) | (next & 0x3Fu);
    }
    return point;
}

// Upper and lower case of the letters menus are written in compare alike: Latin (with the
// accented letters of Latin-1), Greek and Cyrillic.
char32_t FoldCase(char32_t letter) {
    if (letter >= U'A' && letter <= U'Z') return letter + 0x20;
    if (letter >= 0xC0 && letter <= 0xDE && letter != 0xD7) return letter + 0x20;
    if (letter >= 0x391 && letter <= 0x3AB && letter != 0x3A2) return letter + 0x20;
    if (letter >= 0x410 && letter <= 0x42F) return letter + 0x20;
    if (letter >= 0x400 && letter <= 0x40F) return letter + 0x50;
    return letter;
}

bool StartsWith(const MenuItem& row, char32_t folded) {
    const char32_t key = FoldCase(FirstCodePoint(row.AccessKey));
    return (key != 0 && key == folded) || FoldCase(FirstCodePoint(row.text)) == folded;
}

// The first pickable row at or after index from (1-based), wrapping once round; 0 for none.
int32_t NextPickable(const MenuItemList& rows, int32_t from, int32_t step) {
    const auto count = static_cast<int32_t>(rows.size());
    for (int32_t tried = 0, at = from; tried < count; ++tried, at += step) {
        const int32_t index = ((at - 1) % count + count) % count + 1;
        const auto& row = rows[static_cast<size_t>(index - 1)];
        if (row && Pickable(*row)) return index;
    }
    return 0;
}

}  // namespace

bool MenuKeyboard::Open(const MenuItemList& titles, int32_t title) {
    Close();
    if (title < 2 || title > static_cast<int32_t>(titles.size())) return false;
    m_titles = titles;
    OpenTitle(title);
    return true;
}

void MenuKeyboard::Close() {
    m_levels.clear();
    m_titles.clear();
    m_title = 0;
}

void MenuKeyboard::OpenTitle(int32_t title) {
    m_title = title;
    const MenuItemList& rows = m_titles[static_cast<size_t>(title - 1)]->Children;
    m_levels.assign(1, Level{&rows, NextPickable(rows, 1, 1)});
}

std::shared_ptr<MenuItem> MenuKeyboard::HotItem(size_t level) const {
    if (level >= m_levels.size()) return nullptr;
    const Level& open = m_levels[level];
    if (open.hot < 1 || open.hot > static_cast<int32_t>(open.rows->size())) return nullptr;
    return (*open.rows)[static_cast<size_t>(open.hot - 1)];
}

void MenuKeyboard::FollowHot(size_t level, int32_t index) {
    if (level >= m_levels.size()) return;
    Level& open = m_levels[level];
    if (index < 1 || index > static_cast<int32_t>(open.rows->size())) return;
    const auto& row = (*open.rows)[static_cast<size_t>(index - 1)];
    if (!row || !Pickable(*row)) return;
    open.hot = index;
    // The pointer closes what the cascades below showed.
    m_levels.resize(level + 1);
}

MenuKeyboard::Outcome MenuKeyboard::Press(Key key) {
    if (!IsOpen()) return Outcome::Nothing;
    switch (key) {
        case Key::Left:
            if (m_levels.size() > 1) {
                m_levels.pop_back();
                return Outcome::Moved;
            }
            return StepTitle(-1);
        case Key::Right: {
            const auto hot = HotItem(m_levels.size() - 1);
            if (hot && !hot->Children.empty()) return OpenCascade();
            return StepTitle(1);
        }
        case Key::Up:
            return StepRow(-1);
        case Key::Down:
            return StepRow(1);
        case Key::Enter: {
            const auto hot = HotItem(m_levels.size() - 1);
            if (!hot) return Outcome::Nothing;
            if (!hot->Children.empty()) return OpenCascade();
            m_picked = hot;
            Close();
            return Outcome::Picked;
        }
        case Key::Escape:
            m_levels.pop_back();
            if (!m_levels.empty()) return Outcome::Moved;
            Close();
            return Outcome::Closed;
    }
    return Outcome::Nothing;
}

MenuKeyboard::Outcome MenuKeyboard::Type(char32_t letter) {
    if (!IsOpen() || letter == 0) return Outcome::Nothing;
    const char32_t folded = FoldCase(letter);
    Level& open = m_levels.back();
    const auto count = static_cast<int32_t>(open.rows->size());
    for (int32_t step = 1; step <= count; ++step) {
        const int32_t index = (open.hot - 1 + step) % count + 1;
        const auto& row = (*open.rows)[static_cast<size_t>(index - 1)];
        if (!row || !Pickable(*row) || !StartsWith(*row, folded)) continue;
        if (index == open.hot) return Outcome::Nothing;
        open.hot = index;
        return Outcome::Moved;
    }
    return Outcome::Nothing;
}

MenuKeyboard::Outcome MenuKeyboard::StepTitle(int32_t step) {
    // Titles 2..n take turns; the application title (1) is passed over.
    const auto titles = static_cast<int32_t>(m_titles.size()) - 1;
    if (titles < 2) return Outcome::Nothing;
    const int32_t next = ((m_title - 2 + step) % titles + titles) % titles + 2;
    OpenTitle(next);
    return Outcome::Moved;
}

MenuKeyboard::Outcome MenuKeyboard::StepRow(int32_t step) {
    Level& open = m_levels.back();
    if (open.rows->empty()) return Outcome::Nothing;
    const int32_t start =
        open.hot == 0 ? (step > 0 ? 1 : static_cast<int32_t>(open.rows->size())) : open.hot + step;
    const int32_t next = NextPickable(*open.rows, start, step);
    if (next == 0 || next == open.hot) return Outcome::Nothing;
    open.hot = next;
    return Outcome::Moved;
}

MenuKeyboard::Outcome MenuKeyboard::OpenCascade() {
    const auto hot = HotItem(m_levels.size() - 1);
    const MenuItemList& rows = hot->Children;
    m_levels.push_back(Level{&rows, NextPickable(rows, 1, 1)});
    return Outcome::Moved;
}

}  // namespace tarvik
