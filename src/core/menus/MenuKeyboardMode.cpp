#include "core/menus/MenuKeyboardMode.h"

#include <algorithm>
#include <memory>

#include "core/menus/MenuStrip.h"

namespace tarvik {

MenuKeyboardMode::MenuKeyboardMode(MenuStrip& strip, IDropDownMenu& dropDown,
                                   IMenuRowActions& actions)
    : m_strip(strip), m_dropDown(dropDown), m_actions(actions) {}

bool MenuKeyboardMode::Start() {
    if (m_active) Cancel();
    if (!m_model.Open(m_strip.Titles())) return false;
    m_active = true;
    m_shownTitle = 0;
    m_shown.clear();
    Show();
    return true;
}

bool MenuKeyboardMode::KeyDown(int32_t keyCode) {
    if (!m_active) return false;
    MenuKeyboard::Key key{};
    switch (keyCode) {
        case kLeft:
            key = MenuKeyboard::Key::Left;
            break;
        case kRight:
            key = MenuKeyboard::Key::Right;
            break;
        case kUp:
            key = MenuKeyboard::Key::Up;
            break;
        case kDown:
            key = MenuKeyboard::Key::Down;
            break;
        case kEnter:
            key = MenuKeyboard::Key::Enter;
            break;
        case kEscape:
            key = MenuKeyboard::Key::Escape;
            break;
        default:
            return false;
    }
    FollowPointer();
    Apply(m_model.Press(key));
    return true;
}

bool MenuKeyboardMode::Character(char32_t letter) {
    // Enter, Escape and the other control characters come as keys.
    if (!m_active || letter < 0x20) return false;
    FollowPointer();
    Apply(m_model.Type(letter));
    return true;
}

void MenuKeyboardMode::DropDownClosed() {
    if (!m_active) return;
    m_active = false;
    m_model.Close();
    m_shown.clear();
    m_shownTitle = 0;
    if (Ended) Ended();
}

void MenuKeyboardMode::Cancel() {
    if (m_active) End();
}

// The title and the rows the pointer chose count as the keyboard's, so that the keys go on from
// there.
void MenuKeyboardMode::FollowPointer() {
    const MenuItemList& titles = m_strip.Titles();
    const auto selected = std::find(titles.begin(), titles.end(), m_strip.Selected());
    const auto title = static_cast<int32_t>(selected - titles.begin()) + 1;
    if (m_strip.Selected() && selected != titles.end() && title != m_model.Title() &&
        m_model.Open(titles, title)) {
        // The strip already shows that title's drop-down.
        m_shownTitle = title;
        m_shown.assign(1, m_model.Levels().front().rows);
        Show();
        return;
    }
    const IDropDownMenu* menu = &m_dropDown;
    for (size_t level = 0; menu && level < m_model.Levels().size(); ++level) {
        const int32_t hot = menu->HotRow();
        if (hot != 0 && hot != m_model.Levels()[level].hot) {
            m_model.FollowHot(level, hot);
            if (m_shown.size() > level + 1) m_shown.resize(level + 1);
            return;
        }
        menu = menu->ChildMenu();
    }
}

void MenuKeyboardMode::Apply(MenuKeyboard::Outcome outcome) {
    switch (outcome) {
        case MenuKeyboard::Outcome::Nothing:
            break;
        case MenuKeyboard::Outcome::Moved:
            Show();
            break;
        case MenuKeyboard::Outcome::Picked: {
            const std::shared_ptr<MenuItem> picked = m_model.Picked();
            // The keyboard goes back first, so the program takes its command in front. A row
            // without children needs no window of ours to run.
            End();
            if (picked) m_actions.HandleMenuItem(*picked, m_dropDown, 1);
            break;
        }
        case MenuKeyboard::Outcome::Closed:
            End();
            break;
    }
}

void MenuKeyboardMode::Show() {
    const auto& levels = m_model.Levels();
    if (levels.empty()) return;
    if (m_model.Title() != m_shownTitle) {
        m_shownTitle = m_model.Title();
        m_strip.OpenTitle(m_shownTitle);
        m_shown.assign(1, levels.front().rows);
    }
    IDropDownMenu* menu = &m_dropDown;
    for (size_t level = 0; menu && level < levels.size(); ++level) {
        if (menu->HotRow() != levels[level].hot) menu->ShowHotRow(levels[level].hot);
        if (level + 1 == levels.size()) {
            if (menu->ChildMenu()) menu->CloseChildMenu();
            m_shown.resize(level + 1);
            break;
        }
        const bool shown = menu->ChildMenu() && m_shown.size() > level + 1 &&
                           m_shown[level + 1] == levels[level + 1].rows;
        if (!shown) {
            m_actions.HoverMenuItem(*m_model.HotItem(level), *menu, levels[level].hot);
            m_shown.resize(level + 1);
            m_shown.push_back(levels[level + 1].rows);
        }
        menu = menu->ChildMenu();
    }
}

void MenuKeyboardMode::End() {
    m_active = false;
    m_model.Close();
    m_shown.clear();
    m_shownTitle = 0;
    // Closing raises the drop-down's Closed, which finds the mode over already.
    m_dropDown.closeMe();
    if (Ended) Ended();
}

}  // namespace tarvik
