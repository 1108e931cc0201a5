#include <gtest/gtest.h>

#include "core/shortcuts/CustomMenus.h"
#include "core/shortcuts/KeyChord.h"
#include "core/shortcuts/MenuEditorHandoff.h"
#include "core/shortcuts/MenuEditorWidget.h"
#include "core/shortcuts/ShortcutPorts.h"
#include "core/support/Drawn.h"
#include "core/support/WidgetFakes.h"
#include "core/widgets/SpotlightWidget.h"

namespace tarvik::test {
namespace {

using Rows = std::vector<ShortcutRow>;

// A stored value written with "/" for character 29, "|" for 30 and "=" for 31.
std::string V(std::string text) {
    for (char& c : text) c = c == '/' ? 29 : c == '|' ? 30 : c == '=' ? 31 : c;
    return text;
}

// Key events as "17 ^17" (^: up, x: extended); window 7 is app.exe, 9 does not come in front.
struct FakeSystem final : IKeySender, IShortcutWindows, IMenuSource {
    std::string sent;
    std::map<WindowHandle, std::string> paths{{7, "C:\\Program Files\\App\\App.EXE"}, {9, "x"}};
    void SendKey(uint8_t code, uint32_t flags) override {
        sent += (sent.empty() ? "" : " ") + std::string(flags & kKeyUp ? "^" : "") +
                std::to_string(code) + (flags & kExtendedKey ? "x" : "");
    }
    std::string ProcessImagePath(WindowHandle w) const override {
        return paths.contains(w) ? paths.at(w) : "";
    }
    bool IsWindow(WindowHandle w) const override { return paths.contains(w); }
    bool BringToForeground(WindowHandle w) override { return w != 9; }
    int32_t CursorX() const override { return 300; }
    std::string ShortWindowTitle(WindowHandle) const override { return "App"; }
    void ReadMenuBar(MenuItemList&, WindowHandle) override {}
};

// The custom menus of window 7 with the editor on a host. Text size 15: a character is 7.5 wide.
struct Rig : HostRig {
    explicit Rig(std::string stored = "") : HostRig("<t><text face='DejaVu Sans' size='15'/></t>") {
        if (!stored.empty()) Stored() = stored;
        host->RegisterHidden(editor);
    }
    ~Rig() { host.reset(); }  // it detaches the editor, which uses the menus
    // A pick of a custom entry of window 7 ("": one that opens the editor), then a bar tick.
    void Pick(const char* chord) {
        MenuItem item;
        item.hWnd = 7;
        item.ShortcutKeys = chord;
        editor->OnMenuCommand(item);
        handoff.Tick();
    }
    // The titles shown for window 7 as "Title[row,-,]".
    std::string Shown() {
        MenuItemList titles;
        menus.AppendMenusFor(titles, 7);
        std::string shown;
        for (const auto& title : titles) {
            shown += title->text + "[";
            for (const auto& row : title->Children)
                shown += (row->IsSeparator ? "-" : row->text + row->ShortcutKeys) + ",";
            shown += "]";
        }
        return shown;
    }
    std::string Measure() { return surface.Show(*editor); }  // it lays out its list too
    std::string& Stored() { return settings.values[{"CustomMenus", "app.exe"}]; }

    FakeSystem system;
    CustomMenus menus{{settings, load.log.trace, system, system, system}};
    std::shared_ptr<MenuEditorWidget> editor = std::make_shared<MenuEditorWidget>(
        MenuEditorServices{load.theme, load.brushes(), load.log.trace, load.dpi, menus});
    int tracks = 0;
    MenuEditorHandoff handoff{menus, *host, [this] { ++tracks; }};
    CanvasSurface surface;
};

TEST(KeyChord, ChordsReadBothWaysAndPressModifiersAroundTheKeyOrNothingWithALine) {
    EXPECT_EQ(KeyChord::FormatChord(7, 88), "Ctrl+Alt+Shift+X");
    EXPECT_EQ(KeyChord::FormatChord(4, 112), "Alt+F1");
    EXPECT_EQ(KeyChord::FormatChord(0, 103) + KeyChord::FormatChord(0, 55) +
                  KeyChord::FormatChord(0, 107),
              "77Plus");
    EXPECT_EQ(KeyChord::FormatChord(2, 17) + KeyChord::FormatChord(0, 186), "");
    // Each chord, then the events it sends.
    const std::pair<const char*, const char*> cases[] = {
        {"Shift+Ctrl+Del", "17 16 46x ^46x ^16 ^17"},
        {"Alt+7", "18 55 ^55 ^18"},
        {"Plus", "187 ^187"},
        {"F13", "124 ^124"},
        {"Ctrl+x", ""},
        {"Fx", ""},
        {"Ctrl+", ""},
        {"F300", ""}};
    TestTrace log;
    for (const auto& [chord, events] : cases) {
        FakeSystem keys;
        KeyChord::SendChord(chord, keys, log.trace);
        EXPECT_EQ(keys.sent, events) << chord;
    }
    ASSERT_EQ(log.Records().size(), 4u);
    EXPECT_NE(log.Records()[0].find("no key code for 'Ctrl+x'"), std::string::npos);
    FakeSystem search;
    SpotlightWidget(Theme(), search).OnAction();
    EXPECT_EQ(search.sent, "91 83 ^83 ^91");
}

TEST(CustomMenus, RowsAreStoredGroupedByMenuAndShownWhenTheyCanBePicked) {
    Rig rig;
    EXPECT_EQ(rig.Shown(), "Shortcuts[Create keyboard shortcut...,]");
    rig.menus.SaveRows("app.exe", Rows{{"B", "1", "F1"}, {"A", "2\x1D", "F2"}, {"B", "3", ""}});
    EXPECT_EQ(rig.Stored(), V("B|1=F1|3=/A|2=F2"));
    EXPECT_EQ(rig.menus.LoadRows("app.exe"),
              (Rows{{"B", "1", "F1"}, {"B", "3", ""}, {"A", "2", "F2"}}));
    EXPECT_EQ(rig.Shown(), "B[1F1,-,Edit menu...,]A[2F2,-,Edit menu...,]");
    rig.Stored() = V("A|3=");  // nothing to pick: the default menu, the row kept
    EXPECT_EQ(rig.Shown(), "Shortcuts[Create keyboard shortcut...,]");
    EXPECT_EQ(rig.menus.LoadRows("app.exe").size(), 1u);
    rig.menus.SaveRows("app.exe", {});
    EXPECT_TRUE(rig.settings.values.empty());
    // Malformed parts are skipped with one line from each reader (two 31s, no entry, no title...).
    for (const char* value : {"M|a=b=c|d=F1", "/X/M|d=F1", "T=x|a=F1/M|bad|d=F1"}) {
        Rig bad(V(value));
        EXPECT_EQ(bad.Shown(), "M[dF1,-,Edit menu...,]");
        EXPECT_EQ(bad.menus.LoadRows("app.exe").size(), 1u);
        EXPECT_EQ(bad.load.log.Records().size(), 2u) << value;
    }
}

TEST(CustomMenus, OnlyTheLastPickIsReplayedAndOnlyIntoItsWindowInFront) {
    Rig rig;
    rig.menus.QueuePendingShortcut(7, "Alt+A");
    rig.menus.QueuePendingShortcut(7, "Ctrl+K");
    rig.menus.DispatchPendingShortcut();
    rig.menus.DispatchPendingShortcut();     // nothing left
    rig.menus.QueuePendingShortcut(5, "A");  // closed before the tick: dropped without a word
    rig.menus.DispatchPendingShortcut();
    rig.menus.QueuePendingShortcut(9, "Ctrl+K");
    rig.menus.DispatchPendingShortcut();
    EXPECT_EQ(rig.system.sent, "17 75 ^75 ^17");
    ASSERT_EQ(rig.load.log.Records().size(), 1u);
    EXPECT_NE(rig.load.log.Records()[0].find("window 9 would not come"), std::string::npos);
}

TEST(MenuEditorWidget, RecordsAChordKeepsToTheLimitsAndHandsTheStripBackWhenDone) {
    Rig rig;
    rig.Pick("");
    ASSERT_TRUE(rig.canvas.visible && rig.canvas.widget == rig.editor.get());
    rig.editor->OnCanvasMouseUp(1, 150, 70);  // the Menu field: "Shortcuts", 15 more
    for (const char16_t c : u"\x1D\1771234567890123456789") rig.editor->OnCanvasKeyPress(c);
    rig.editor->OnCanvasMouseUp(1, 150, 100);  // the Caption field: a character of two units
    for (const char16_t c : std::u16string(38, u'c') + u"\U0001F600\U0001F600\b")
        rig.editor->OnCanvasKeyPress(c);
    rig.editor->OnCanvasKeyDown(13, 0);  // no chord yet: Enter does nothing
    // Key 0: a click on the Shortcut field. Ctrl and Alt+F4 record nothing; Escape keeps the
    // chord.
    for (const auto& [key, shift] :
         {std::pair{0, 0}, {17, 2}, {115, 4}, {75, 2}, {0, 0}, {27, 0}}) {
        key == 0 ? rig.editor->OnCanvasMouseUp(1, 150, 130)
                 : rig.editor->OnCanvasKeyDown(int16_t(key), int16_t(shift));
        EXPECT_EQ(rig.editor->Recording(), key == 17 || key == 115 || key == 0) << key;
    }
    EXPECT_EQ(rig.Measure(), "264x198");
    // A store that refuses the entry leaves it typed in, shown as not saved, and says so.
    rig.settings.failWrites = true;
    rig.editor->OnCanvasKeyDown(13, 0);
    EXPECT_EQ(std::tuple(rig.editor->NotSaved(), rig.Measure(), rig.settings.values.size()),
              std::tuple(true, "264x198", 0u));
    EXPECT_NE(rig.load.log.Records().back().find("was not saved"), std::string::npos);
    rig.settings.failWrites = false;
    rig.editor->OnCanvasKeyDown(13, 0);
    EXPECT_EQ(rig.Stored(), V("Shortcuts123456789012345|" + std::string(38, 'c') + "=Ctrl+K"));
    EXPECT_EQ(rig.Measure(), "264x158") << "a title and an entry";
    rig.Pick("Ctrl+K");
    EXPECT_EQ(rig.system.sent, "17 75 ^75 ^17");
    rig.editor->OnCanvasMouseUp(1, 236, 99);  // its delete mark: the list is empty
    EXPECT_TRUE(rig.settings.values.empty());
    EXPECT_EQ(rig.Measure(), "264x136") << "\"No shortcuts yet.\"";
    rig.handoff.Tick();
    rig.editor->OnCanvasKeyDown(27, 0);
    EXPECT_EQ(rig.tracks, 0) << "the strip waits for the editor";
    rig.handoff.Tick();
    EXPECT_EQ(rig.tracks, 1);
}

}  // namespace
}  // namespace tarvik::test
