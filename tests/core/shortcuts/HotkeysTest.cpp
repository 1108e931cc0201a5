#include "core/shortcuts/Hotkeys.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/support/TestTrace.h"
#include "core/support/WidgetFakes.h"

namespace tarvik {
namespace {

using Action = Hotkeys::Action;

TEST(HotkeyChord, ReadsChordTextAndWritesItBack) {
    EXPECT_EQ(HotkeyChord::Parse("Win+Alt+M"),
              (HotkeyChord{HotkeyChord::kWin | HotkeyChord::kAlt, 'M'}));
    EXPECT_EQ(HotkeyChord::Parse("Shift+Ctrl+Alt+Win+F12").value().Text(),
              "Win+Ctrl+Alt+Shift+F12");
    // A hotkey without a modifier would take the key from every program; F13 has no name of its
    // own.
    for (const char* refused :
         {"M", "Win+Win+M", "Win+Alt+", "Win+Alt+m", "win+alt+M", "Win+Alt+F13", "Win+Alt+F99999",
          "Win+Menu+M", "Win+Alt+Shift+Ctrl+Win+Alt+Shift+Ctrl+M"})
        EXPECT_FALSE(HotkeyChord::Parse(refused)) << refused;
}

struct Rig {
    test::TestTrace log;
    test::MemorySettings settings;
    test::FakeHotkeyPort port;
    Hotkeys hotkeys{settings, port, log.trace};
    std::vector<std::string> ran;

    Rig() {
        hotkeys.SetAction(Action::OpenMenus, [this] { ran.push_back("menus"); });
        hotkeys.SetAction(Action::MenuSearch, [this] { ran.push_back("search"); });
    }
    // Both chords as held ("-" when not held), then what pressing each id ran.
    std::string State() {
        std::string state;
        for (const Action action : {Action::OpenMenus, Action::MenuSearch})
            state += (hotkeys.IsHeld(action) ? "" : "-") + hotkeys.ChordText(action) + " ";
        ran.clear();
        for (const int32_t id : {1, 2, 3}) hotkeys.OnHotkey(id);
        for (const auto& run : ran) state += run + " ";
        return state;
    }
};

TEST(Hotkeys, StoredChordsAreTakenWithTheirDefaultsAndRefusalsLogged) {
    // The chord stored for the menus (empty: none), whether another program holds the search's,
    // then the state and the log.
    const std::tuple<std::string, bool, std::string, test::Lines> cases[] = {
        {"", false, "Win+Alt+M Win+Alt+Space menus search ", {}},
        {"Ctrl+Alt+F2", false, "Ctrl+Alt+F2 Win+Alt+Space menus search ", {}},
        {"Ctrl+Alt+f2",
         false,
         "Win+Alt+M Win+Alt+Space menus search ",
         {R"(0,"Hotkeys","RegisterAll","the stored hotkey for opening the menus (OpenMenus) is no )"
          R"(key chord - Win+Alt+M is used")"}},
        {"",
         true,
         "Win+Alt+M -Win+Alt+Space menus ",
         {R"(1409,"Hotkeys","Register","the hotkey Win+Alt+Space for the menu search is not )"
          R"(available - another program holds it")"}},
    };
    for (const auto& [storedMenus, searchHeldElsewhere, state, logged] : cases) {
        Rig rig;
        if (!storedMenus.empty()) rig.settings.values[{"Hotkeys", "OpenMenus"}] = storedMenus;
        if (searchHeldElsewhere)
            rig.port.elsewhere.insert({HotkeyChord::kWin | HotkeyChord::kAlt, ' '});
        rig.hotkeys.RegisterAll();
        EXPECT_EQ(rig.State(), state) << storedMenus;
        EXPECT_EQ(rig.log.Records(), logged) << storedMenus;
        rig.hotkeys.UnregisterAll();
        EXPECT_TRUE(rig.port.held.empty());
        rig.ran.clear();
        for (const int32_t id : {1, 2}) rig.hotkeys.OnHotkey(id);
        EXPECT_TRUE(rig.ran.empty()) << storedMenus;
    }
}

TEST(Hotkeys, AChangeIsStoredOnlyWhenTheNewChordIsTaken) {
    Rig rig;
    rig.port.elsewhere.insert({HotkeyChord::kCtrl | HotkeyChord::kAlt, 'K'});
    rig.hotkeys.RegisterAll();
    const std::tuple<std::string, bool, std::string, std::string> steps[] = {
        {"Win+Shift+M", true, "Win+Shift+M Win+Alt+Space menus search ", "Win+Shift+M"},
        {"Ctrl+Alt+K", false, "Win+Shift+M Win+Alt+Space menus search ", "Win+Shift+M"},
        {"Ctrl+Alt+k", false, "Win+Shift+M Win+Alt+Space menus search ", "Win+Shift+M"},
        {"Win+Alt+Space", false, "Win+Shift+M Win+Alt+Space menus search ", "Win+Shift+M"},
        {"Alt+Win+M", true, "Win+Alt+M Win+Alt+Space menus search ", "Win+Alt+M"},
    };
    for (const auto& [text, taken, state, stored] : steps) {
        EXPECT_EQ(rig.hotkeys.Change(Action::OpenMenus, text), taken) << text;
        EXPECT_EQ(rig.State(), state) << text;
        EXPECT_EQ(rig.settings.Read("Hotkeys", "OpenMenus", ""), stored) << text;
    }
    EXPECT_EQ(rig.port.held.size(), 2u);
    const test::Lines log = rig.log.Records();
    ASSERT_EQ(log.size(), 3u) << "the refusal, the text that is no chord, the chord in use";
    EXPECT_EQ(log[2], R"(0,"Hotkeys","Change","the hotkey Win+Alt+Space is already used for the )"
                      R"(menu search")");
}

}  // namespace
}  // namespace tarvik
