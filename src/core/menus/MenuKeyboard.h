#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/menus/MenuItem.h"

namespace tarvik {

// Where the keyboard is in the strip's menus: which title is open, and the hot row of the
// title's drop-down and of every cascade opened from it. Left and Right move between titles
// (wrapping past the ends; the application title never opens), Up and Down between the rows
// that can be picked (wrapping), Right opens the hot row's cascade and Left closes the open
// one, Enter picks, Escape closes one level, and a typed letter moves to the next row whose
// access key or first letter it is.
class MenuKeyboard {
  public:
    enum class Key { Left, Right, Up, Down, Enter, Escape };
    enum class Outcome {
        Nothing,  // the key changed nothing
        Moved,    // another title, hot row, or an opened or closed cascade
        Picked,   // Picked() is the row to run; the menus are closed
        Closed,   // the last level was closed
    };
    // One open drop-down: its rows and its 1-based hot row (0 for none).
    struct Level {
        const MenuItemList* rows = nullptr;
        int32_t hot = 0;
    };

    // Opens a title (1-based; the first after the application title unless given) with its
    // first pickable row hot; false (and stays closed) when there is no such title.
    bool Open(const MenuItemList& titles, int32_t title = 2);
    void Close();
    Outcome Press(Key key);
    // A typed character (one code point).
    Outcome Type(char32_t letter);
    // The pointer made row index (1-based) of an open level hot; the keys go on from there.
    void FollowHot(size_t level, int32_t index);

    bool IsOpen() const { return !m_levels.empty(); }
    // The open title, 1-based in the titles given to Open; 0 when closed.
    int32_t Title() const { return IsOpen() ? m_title : 0; }
    // The title's drop-down first, then each cascade; empty when closed.
    const std::vector<Level>& Levels() const { return m_levels; }
    // The hot row of a level, or null.
    std::shared_ptr<MenuItem> HotItem(size_t level) const;
    // The row that the last Enter picked.
    const std::shared_ptr<MenuItem>& Picked() const { return m_picked; }

  private:
    void OpenTitle(int32_t title);
    Outcome StepTitle(int32_t step);
    Outcome StepRow(int32_t step);
    Outcome OpenCascade();

    MenuItemList m_titles;  // held, so that rows stay alive while the strip reads new ones
    int32_t m_title = 0;
    std::vector<Level> m_levels;
    std::shared_ptr<MenuItem> m_picked;
};

}  // namespace tarvik
