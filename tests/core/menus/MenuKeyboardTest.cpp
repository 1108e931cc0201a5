#include "core/menus/MenuKeyboard.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace tarvik {
namespace {

using Key = MenuKeyboard::Key;
using Outcome = MenuKeyboard::Outcome;

std::shared_ptr<MenuItem> Row(std::string text, std::string accessKey = "", bool enabled = true,
                              MenuItemList children = {}) {
    auto row = std::make_shared<MenuItem>();
    row->text = std::move(text);
    row->AccessKey = std::move(accessKey);
    row->Children = std::move(children);
    row->IsEnabled = enabled;
    return row;
}
std::shared_ptr<MenuItem> Separator() {
    auto row = std::make_shared<MenuItem>();
    row->IsSeparator = true;
    return row;
}

// The program's title, then File, Edit, View and an empty Help.
MenuItemList Titles() {
    return {
        Row("Program"),
        Row("File", "F", true,
            {Row("New", "N"), Row("Open...", "O"), Separator(),
             Row("Recent", "R", true, {Row("a.txt"), Row("b.txt")}), Separator(),
             Row("Exit", "x")}),
        Row("Edit", "E", true,
            {Row("Undo", "U", false), Row("Cut", "t"), Row("Copy", "C"), Row("Paste", "P", false),
             Row("Save & Close")}),
        Row("View", "V", true,
            {Row("Status Bar", "S"),
             Row("Zoom", "Z", true,
                 {Row("Zoom In", "I"), Row("Zoom Out", "O"),
                  Row("Layout", "L", true, {Row("Compact", "C")})}),
             Row("\u00c9cran")}),
        Row("Help", "H"),
    };
}

// Where the keyboard is: the open title and the hot row of every level ("-" for none), or how
// it ended.
std::string Where(const MenuKeyboard& keys, const MenuItemList& titles, Outcome last) {
    if (last == Outcome::Picked) return "picked " + keys.Picked()->text;
    if (!keys.IsOpen()) return "closed";
    std::string where = titles[static_cast<size_t>(keys.Title() - 1)]->text;
    for (size_t level = 0; level < keys.Levels().size(); ++level) {
        const auto hot = keys.HotItem(level);
        where += " / " + (hot ? hot->text : "-");
    }
    return where;
}

// Keys in a line: L R U D for the arrows, E Enter, X Escape, "'c" types c, "P3" the pointer on
// row 3 of the deepest level.
std::string Navigate(const std::string& line) {
    const MenuItemList titles = Titles();
    MenuKeyboard keys;
    EXPECT_TRUE(keys.Open(titles));
    Outcome last = Outcome::Moved;
    std::istringstream words(line);
    for (std::string word; words >> word;) {
        if (word[0] == '\'') {
            last = keys.Type(word == "'\u00e9" ? U'\xE9' : static_cast<char32_t>(word[1]));
        } else if (word[0] == 'P') {
            keys.FollowHot(keys.Levels().size() - 1, std::stoi(word.substr(1)));
        } else {
            const Key key = word == "L"   ? Key::Left
                            : word == "R" ? Key::Right
                            : word == "U" ? Key::Up
                            : word == "D" ? Key::Down
                            : word == "E" ? Key::Enter
                                          : Key::Escape;
            last = keys.Press(key);
        }
    }
    return Where(keys, titles, last);
}

TEST(MenuKeyboard, KeySequencesMoveThroughTitlesRowsAndCascades) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "File / New"},
        {"D D", "File / Recent"},   // over the separator
        {"D D D D", "File / New"},  // round from the bottom
        {"U", "File / Exit"},       // round from the top
        {"R D D D", "Edit / Cut"},  // Undo is disabled; past Paste and round past Undo
        {"R R R R", "File / New"},  // round past Help, never onto the program's title
        {"L D E", "Help / -"},      // nothing to move to or pick
        {"D D R", "File / Recent / a.txt"},
        {"D D E", "File / Recent / a.txt"},
        {"D D R L", "File / Recent"},
        {"D D R X", "File / Recent"},
        {"D D R D R", "Edit / Cut"},  // Right on a row without a cascade: the next title
        {"D D R L L", "Help / -"},
        {"L L D R D D R X X", "View / Zoom"},  // three levels deep, then back
        {"D D R X X X", "closed"},
        {"D D R D E", "picked b.txt"},
        {"R D D E", "picked Save & Close"},
        {"'x", "File / Exit"},  // its access key
        {"'e", "File / Exit"},  // its first letter
        {"'E", "File / Exit"},
        {"'q", "File / New"},
        {"R 'p", "Edit / Cut"},     // Paste is disabled
        {"R 'c 'c", "Edit / Cut"},  // the next one: Cut's letter is t, but it starts with C
        {"L L D R 'z", "View / Zoom / Zoom Out"},
        {"L L '\u00e9", "View / \u00c9cran"},
        {"P4 D", "File / Exit"},     // on from the row the pointer chose
        {"P3 D", "File / Open..."},  // a separator cannot be hot
        {"D D R P2 L D", "File / Exit"},
    };
    for (const auto& [keys, expected] : cases) EXPECT_EQ(Navigate(keys), expected) << keys;
}

TEST(MenuKeyboard, OpensNothingWithoutATitleOfTheProgram) {
    MenuKeyboard keys;
    EXPECT_FALSE(keys.Open({}));
    EXPECT_FALSE(keys.Open({Row("Program")}));
    EXPECT_FALSE(keys.IsOpen());
    EXPECT_EQ(keys.Press(Key::Down), Outcome::Nothing);
    EXPECT_EQ(keys.Type(U'a'), Outcome::Nothing);
}

}  // namespace
}  // namespace tarvik
