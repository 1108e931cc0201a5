#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/menus/IDropDownMenu.h"
#include "core/menus/MenuKeyboard.h"
#include "core/menus/MenuRowActions.h"

namespace tarvik {

class MenuStrip;

// The strip's menus worked from the keyboard: the keys move a MenuKeyboard, and this shows what
// it says with the strip's own drop-down and its cascades, exactly as the pointer would (the
// title pressed, the hot row highlighted, cascades opened through the row actions). A pick runs
// through the row actions like a click on the row. The window that takes the keys hands them
// here and gives the keyboard back when Ended is raised. Everything given must outlive it.
class MenuKeyboardMode {
  public:
    static constexpr int32_t kEnter = 13;   // VK_RETURN
    static constexpr int32_t kEscape = 27;  // VK_ESCAPE
    static constexpr int32_t kLeft = 37;    // VK_LEFT .. VK_DOWN
    static constexpr int32_t kUp = 38;
    static constexpr int32_t kRight = 39;
    static constexpr int32_t kDown = 40;

    MenuKeyboardMode(MenuStrip& strip, IDropDownMenu& dropDown, IMenuRowActions& actions);
    MenuKeyboardMode(const MenuKeyboardMode&) = delete;
    MenuKeyboardMode& operator=(const MenuKeyboardMode&) = delete;

    // The menus closed, whichever way: a pick, Escape from the last level, a click elsewhere.
    std::function<void()> Ended;

    // Opens the strip's first title; false when the strip has none to open.
    bool Start();
    bool Active() const { return m_active; }
    // A key went down (a virtual-key code); true when it is one of the menu keys.
    bool KeyDown(int32_t keyCode);
    // A typed character; true when it was taken as a letter.
    bool Character(char32_t letter);
    // The strip's drop-down closed: by a pick with the pointer, a click elsewhere, or by us.
    void DropDownClosed();
    // Closes the menus and ends.
    void Cancel();

    const MenuKeyboard& Model() const { return m_model; }

  private:
    void FollowPointer();
    void Apply(MenuKeyboard::Outcome outcome);
    void Show();
    void End();

    MenuStrip& m_strip;
    IDropDownMenu& m_dropDown;
    IMenuRowActions& m_actions;
    MenuKeyboard m_model;
    bool m_active = false;
    int32_t m_shownTitle = 0;
    // The rows each open window shows: the title's drop-down first, then its cascades.
    std::vector<const MenuItemList*> m_shown;
};

}  // namespace tarvik
