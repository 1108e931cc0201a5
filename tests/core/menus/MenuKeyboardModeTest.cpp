#include "core/menus/MenuKeyboardMode.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "core/menus/MenuStrip.h"
#include "core/support/FakeDropDown.h"
#include "core/support/MenuRows.h"
#include "core/support/ThemeLoad.h"

// Rows are built with designated initializers that leave the rest default.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace tarvik::test {
namespace {

// Window 7: File (New, Recent with a.txt and b.txt, a separator, Exit) and Edit (Cut).
class TreeMenus final : public IMenuSource {
  public:
    std::string ShortWindowTitle(WindowHandle) const override { return "Notes"; }
    void ReadMenuBar(MenuItemList& titles, WindowHandle) override {
        titles.push_back(Item(
            {.text = "File",
             .Children = {Item({.text = "New"}),
                          Item({.text = "Recent",
                                .Children = {Item({.text = "a.txt"}), Item({.text = "b.txt"})}}),
                          Item({.IsSeparator = true}), Item({.text = "Exit"})}}));
        titles.push_back(Item({.text = "Edit", .Children = {Item({.text = "Cut"})}}));
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

struct Rig {
    Rig() {
        EXPECT_TRUE(load.Load("<t/>"));
        strip.emplace(MenuStripServices{load.theme, load.brushes(), log.trace, dropDown, menus});
        strip->PopulateFromhWnd(7);
        mode.emplace(*strip, dropDown, rows);
        mode->Ended = [this] { ++ended; };
    }
    // The pressed title and the hot row of every open window, or "closed"; then what the rows
    // were asked to do and how often the mode ended.
    std::string Shown() const {
        std::string shown = "closed";
        if (dropDown.visible) {
            shown = strip->Selected() ? strip->Selected()->text : "?";
            for (const FakeDropDown* menu = &dropDown; menu; menu = menu->child.get()) {
                shown += " " + std::to_string(menu->hotRow);
            }
        }
        for (const std::string& call : rows.calls) shown += ", " + call;
        return shown + (ended ? ", ended " + std::to_string(ended) : "");
    }

    ThemeLoad load;
    TestTrace log;
    FakeDropDown dropDown;
    TreeMenus menus;
    RecordingRows rows;
    std::optional<MenuStrip> strip;
    std::optional<MenuKeyboardMode> mode;
    int ended = 0;
};

TEST(MenuKeyboardMode, KeysShowTheirPlaceWithTheStripsDropDownAndItsCascades) {
    // Keys: L R U D arrows, E Enter, X Escape, 'c a letter, P2 the pointer on row 2 of the
    // drop-down, T3 the pointer on the third title, C the drop-down closed by the pointer.
    const std::pair<std::string, std::string> cases[] = {
        {"", "File 1"},
        {"D R", "File 2 1, hover Recent 2"},
        {"D R L", "File 2, hover Recent 2"},
        {"D R D E", "closed, hover Recent 2, pick b.txt, ended 1"},
        {"D R R", "Edit 1, hover Recent 2"},
        {"'e", "File 4"},
        {"X", "closed, ended 1"},
        {"P4 D", "File 1"},
        {"C D", "closed, ended 1"},  // over: the keys are the program's again
        {"D T3 D", "Edit 1"},        // the pointer moved to Edit's title
    };
    for (const auto& [keys, expected] : cases) {
        Rig rig;
        ASSERT_TRUE(rig.mode->Start());
        std::istringstream words(keys);
        for (std::string word; words >> word;) {
            if (word[0] == '\'') {
                rig.mode->Character(static_cast<char32_t>(word[1]));
            } else if (word[0] == 'P') {
                rig.dropDown.hotRow = std::stoi(word.substr(1));
            } else if (word[0] == 'T') {
                rig.strip->OpenTitle(std::stoi(word.substr(1)));
            } else if (word == "C") {
                rig.dropDown.closeMe();
                rig.mode->DropDownClosed();
            } else {
                const int32_t key = word == "L"   ? MenuKeyboardMode::kLeft
                                    : word == "R" ? MenuKeyboardMode::kRight
                                    : word == "U" ? MenuKeyboardMode::kUp
                                    : word == "D" ? MenuKeyboardMode::kDown
                                    : word == "E" ? MenuKeyboardMode::kEnter
                                                  : MenuKeyboardMode::kEscape;
                const bool active = rig.mode->Active();
                EXPECT_EQ(rig.mode->KeyDown(key), active) << keys;
            }
        }
        EXPECT_EQ(rig.Shown(), expected) << keys;
        EXPECT_EQ(rig.mode->Active(), expected.find("ended") == std::string::npos) << keys;
    }
}

}  // namespace
}  // namespace tarvik::test
