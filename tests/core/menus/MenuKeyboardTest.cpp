#include "core/menus/MenuKeyboard.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>

#include "core/menus/MenuKeyboardMode.h"
#include "core/menus/MenuStrip.h"
#include "core/support/FakeDropDown.h"
#include "core/support/MenuRows.h"
#include "core/support/ThemeLoad.h"

namespace tarvik::test {
namespace {

std::shared_ptr<MenuItem> Row(std::string text, std::string accessKey = "",
                              MenuItemList children = {}, bool enabled = true) {
    return Item({.text = std::move(text),
                 .AccessKey = std::move(accessKey),
                 .Children = std::move(children),
                 .IsEnabled = enabled});
}

// Window "Program" with File, Edit, View and an empty Help.
class TreeMenus final : public IMenuSource {
  public:
    std::string ShortWindowTitle(WindowHandle) const override { return "Program"; }
    void ReadMenuBar(MenuItemList& titles, WindowHandle) override {
        titles.push_back(Row("File", "F",
                             {Row("New", "N"), Row("Open...", "O"), Item({.IsSeparator = true}),
                              Row("Recent", "R", {Row("a.txt"), Row("b.txt")}),
                              Item({.IsSeparator = true}), Row("Exit", "x")}));
        titles.push_back(Row("Edit", "E",
                             {Row("Undo", "U", {}, false), Row("Cut", "t"), Row("Copy", "C"),
                              Row("Paste", "P", {}, false), Row("Save & Close")}));
        titles.push_back(Row("View", "V",
                             {Row("Status Bar", "S"),
                              Row("Zoom", "Z",
                                  {Row("Zoom In", "I"), Row("Zoom Out", "O"),
                                   Row("Layout", "L", {Row("Compact", "C")})}),
                              Row("\u00c9cran")}));
        titles.push_back(Row("Help", "H"));
    }
};

// Opens a row's cascade as the program does, and notes every hover and pick.
class RecordingRows final : public IMenuRowActions {
  public:
    Lines calls;
    void HoverMenuItem(const MenuItem& item, IDropDownMenu& menu, int32_t index) override {
        calls.push_back("hover " + item.text + " " + std::to_string(index));
        if (!item.Children.empty()) menu.OpenChildMenu().ShowList(item.Children, {});
    }
    void HandleMenuItem(const MenuItem& item, IDropDownMenu&, int32_t) override {
        calls.push_back("pick " + item.text);
    }
};

const std::map<std::string, int32_t> kKeys{
    {"L", MenuKeyboardMode::kLeft},  {"R", MenuKeyboardMode::kRight},
    {"U", MenuKeyboardMode::kUp},    {"D", MenuKeyboardMode::kDown},
    {"E", MenuKeyboardMode::kEnter}, {"X", MenuKeyboardMode::kEscape}};

// The strip's menus worked from the keyboard.
struct Rig {
    explicit Rig(ThemeLoad& load) {
        strip.emplace(
            MenuStripServices{load.theme, load.brushes(), load.log.trace, dropDown, menus});
        strip->PopulateFromhWnd(7);
        mode.emplace(*strip, dropDown, rows);
        mode->Ended = [this] { ++ended; };
        EXPECT_TRUE(mode->Start());
    }
    // Keys in a line: L R U D the arrows, E Enter, X Escape, 'c types c, P3 the pointer on row 3
    // of the deepest drop-down, T3 the pointer on the third title, C the drop-down closed by the
    // pointer.
    void Play(const std::string& line) {
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            if (word[0] == '\'') {
                mode->Character(word == "'\u00e9" ? U'\xE9' : static_cast<char32_t>(word[1]));
            } else if (word[0] == 'P') {
                FakeDropDown* menu = &dropDown;
                while (menu->child) menu = menu->child.get();
                menu->hotRow = std::stoi(word.substr(1));
            } else if (word[0] == 'T') {
                strip->OpenTitle(std::stoi(word.substr(1)));
            } else if (word == "C") {
                dropDown.closeMe();
                mode->DropDownClosed();
            } else {
                const bool active = mode->Active();
                EXPECT_EQ(mode->KeyDown(kKeys.at(word)), active) << line;
            }
        }
    }
    // Where the keyboard is: the open title and the hot row of every level ("-" for none), or
    // "closed"; then what the rows were asked to do and how often the mode ended. The strip's
    // drop-down and its cascades show the same title, rows and hot rows.
    std::string Shown() const {
        const MenuKeyboard& model = mode->Model();
        EXPECT_EQ(dropDown.visible, model.IsOpen());
        std::string shown = "closed";
        const FakeDropDown* menu = nullptr;
        if (model.IsOpen()) {
            const auto& title = strip->Titles().at(static_cast<size_t>(model.Title() - 1));
            EXPECT_EQ(strip->Selected(), title);
            shown = title->text;
            menu = &dropDown;
        }
        for (size_t level = 0; menu && level < model.Levels().size(); ++level) {
            const auto hot = model.HotItem(level);
            shown += " / " + (hot ? hot->text : "-");
            EXPECT_EQ(menu->hotRow, model.Levels()[level].hot) << shown;
            EXPECT_EQ(menu->shown.empty() ? nullptr : menu->shown.back().first,
                      model.Levels()[level].rows)
                << shown;
            menu = menu->child.get();
            EXPECT_EQ(menu != nullptr, level + 1 < model.Levels().size()) << shown;
        }
        for (const std::string& call : rows.calls) shown += ", " + call;
        return shown + (ended ? ", ended " + std::to_string(ended) : "");
    }

    FakeDropDown dropDown;
    TreeMenus menus;
    RecordingRows rows;
    std::optional<MenuStrip> strip;
    std::optional<MenuKeyboardMode> mode;
    int ended = 0;
};

TEST(MenuKeyboard, KeysMoveThroughTitlesRowsAndCascadesShownWithTheStripsDropDowns) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "File / New"},
        {"D D", "File / Recent"},   // over the separator
        {"D D D D", "File / New"},  // round from the bottom
        {"U", "File / Exit"},       // round from the top
        {"R D D D", "Edit / Cut"},  // Undo is disabled; past Paste and round past Undo
        {"R R R R", "File / New"},  // round past Help, never onto the program's title
        {"L D E", "Help / -"},      // nothing to move to or pick
        {"D D R", "File / Recent / a.txt, hover Recent 4"},
        {"D D E", "File / Recent / a.txt, hover Recent 4"},
        {"D D R L", "File / Recent, hover Recent 4"},
        {"D D R X", "File / Recent, hover Recent 4"},
        {"D D R D R", "Edit / Cut, hover Recent 4"},  // Right on a row without a cascade
        {"L L D R D D R X X", "View / Zoom, hover Zoom 2, hover Layout 3"},  // three deep, back
        {"D D R X X X", "closed, hover Recent 4, ended 1"},
        {"D D R D E", "closed, hover Recent 4, pick b.txt, ended 1"},
        {"R D D E", "closed, pick Save & Close, ended 1"},
        {"'x", "File / Exit"},  // its access key
        {"'e", "File / Exit"},  // its first letter
        {"'E", "File / Exit"},
        {"'q", "File / New"},
        {"R 'p", "Edit / Cut"},     // Paste is disabled
        {"R 'c 'c", "Edit / Cut"},  // the next one: Cut's letter is t, but it starts with C
        {"L L D R 'z", "View / Zoom / Zoom Out, hover Zoom 2"},
        {"L L '\u00e9", "View / \u00c9cran"},
        {"P4 D", "File / Exit"},     // on from the row the pointer chose
        {"P3 D", "File / Open..."},  // a separator cannot be hot
        {"D D R P2 L D", "File / Exit, hover Recent 4"},
        {"C D", "closed, ended 1"},  // over: the keys are the program's again
        {"D T3 D", "Edit / Copy"},   // the pointer moved to Edit's title
    };
    ThemeLoad load;
    ASSERT_TRUE(load.Load("<t/>"));
    for (const auto& [keys, expected] : cases) {
        Rig rig(load);
        rig.Play(keys);
        EXPECT_EQ(rig.Shown(), expected) << keys;
        EXPECT_EQ(rig.mode->Active(), expected.find("ended") == std::string::npos) << keys;
    }
}

TEST(MenuKeyboard, OpensNothingWithoutATitleOfTheProgram) {
    MenuKeyboard keys;
    EXPECT_FALSE(keys.Open({}));
    EXPECT_FALSE(keys.Open({Row("Program")}));
    EXPECT_FALSE(keys.IsOpen());
    EXPECT_EQ(keys.Press(MenuKeyboard::Key::Down), MenuKeyboard::Outcome::Nothing);
    EXPECT_EQ(keys.Type(U'a'), MenuKeyboard::Outcome::Nothing);
}

}  // namespace
}  // namespace tarvik::test
