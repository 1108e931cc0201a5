#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "core/search/MenuIndex.h"
#include "core/search/MenuSearch.h"
#include "core/search/RecentCommands.h"
#include "core/search/SearchPanelView.h"
#include "core/search/SearchText.h"
#include "core/support/Drawn.h"
#include "core/support/MenuRows.h"
#include "core/support/ThemeLoad.h"
#include "core/support/WidgetFakes.h"

namespace tarvik::test {
namespace {

using Lines = std::vector<std::string>;

std::shared_ptr<MenuItem> Command(std::string text, int32_t id, std::string keys = "",
                                  bool enabled = true) {
    return Item({.text = std::move(text),
                 .CommandId = id,
                 .AcceleratorText = std::move(keys),
                 .IsEnabled = enabled});
}

std::shared_ptr<MenuItem> Menu(std::string text, MenuItemList children) {
    return Item({.text = std::move(text), .Children = std::move(children), .CommandId = -1});
}

// A word processor's menu bar, nested three deep, with a separator, disabled commands, an
// accented caption, and a submenu that is empty.
MenuItemList Tree() {
    return {
        Menu("File", {Command("New", 101, "Ctrl+N"), Command("Open...", 102, "Ctrl+O"),
                      Command("Save", 103, "Ctrl+S"), Command("Save As...", 104, "Ctrl+Shift+S"),
                      Command("Save All", 105, "", false), Menu("Recent", {Command("a.txt", 111)}),
                      Item({.IsSeparator = true}), Command("Exit", 106, "Alt+F4")}),
        Menu("Edit", {Command("Undo", 201, "Ctrl+Z", false), Command("Select All", 202),
                      Command("Find and Replace", 203, "Ctrl+H")}),
        Menu("Format", {Menu("Font", {Command("Bold", 301, "Ctrl+B"), Command("Italic", 302),
                                      Command("Small Capitals", 303)}),
                        Command("Paragraph", 304), Command("Caf\u00e9 Cr\u00e8me", 305)}),
        Menu("View", {Command("Status Bar", 401), Menu("Toolbars", {}),
                      Menu("Zoom", {Command("Zoom In", 411), Command("Zoom Out", 412)})})};
}

Lines Paths(const std::vector<const MenuCommand*>& results) {
    Lines paths;
    for (const MenuCommand* command : results) paths.push_back(command->path);
    return paths;
}

TEST(SearchText, FoldsCaseAndAccentsAndPartsWordsAtPunctuation) {
    const std::pair<std::string, std::string> cases[] = {
        {"Save &As...", "save as"},
        {"  \u00c9COLE  Stra\u00dfe ", "ecole strasse"},
        {"\u0141\u00f3d\u017a \u00c6r\u00f8 \u0152uvre", "lodz aero oeuvre"},
        {"Cafe\u0301 na\u00efve", "cafe naive"},  // a combining accent, a diaeresis
        {"\u041f\u0420\u0410\u0412\u041a\u0410", "\u043f\u0440\u0430\u0432\u043a\u0430"},
        {"Zoom\u2026In\tCtrl+Plus", "zoom in ctrl plus"},  // ellipsis, tab
        {"a\xff\xfez", "a z"},                             // not UTF-8
        {"\xe2\x82", ""},                                  // cut short
        {"x \xf0\x9f\x98\x80 y", "x \xf0\x9f\x98\x80 y"},  // outside the BMP: kept
    };
    for (const auto& [text, folded] : cases) EXPECT_EQ(FoldForSearch(text), folded) << text;
}

TEST(MenuIndex, ListsEveryCommandWithItsPathAndShortcut) {
    MenuIndex index;
    index.Build(Tree());
    Lines all;
    for (size_t i = 0; i < index.Size(); ++i) {
        const MenuCommand& command = index.At(i);
        all.push_back(command.path + "|" + command.shortcut + (command.enabled ? "" : "|off"));
    }
    EXPECT_EQ(all, (Lines{"File > New|Ctrl+N", "File > Open...|Ctrl+O", "File > Save|Ctrl+S",
                          "File > Save As...|Ctrl+Shift+S", "File > Save All||off",
                          "File > Recent > a.txt|", "File > Exit|Alt+F4", "Edit > Undo|Ctrl+Z|off",
                          "Edit > Select All|", "Edit > Find and Replace|Ctrl+H",
                          "Format > Font > Bold|Ctrl+B", "Format > Font > Italic|",
                          "Format > Font > Small Capitals|", "Format > Paragraph|",
                          "Format > Caf\u00e9 Cr\u00e8me|", "View > Status Bar|",
                          "View > Zoom > Zoom In|", "View > Zoom > Zoom Out|"}));
}

TEST(MenuIndex, FindsByWordsInAnyOrderAndRanksTheBestMatchesFirst) {
    MenuIndex index;
    index.Build(Tree());
    const std::pair<std::string, Lines> cases[] = {
        // Word starts (shorter first), then first letters, then what cannot run; any case.
        {"sA", {"File > Save", "File > Save As...", "Edit > Select All", "File > Save All"}},
        {"as save", {"File > Save As..."}},
        {"bold font", {"Format > Font > Bold"}},
        {"CAF\u00c9 creme", {"Format > Caf\u00e9 Cr\u00e8me"}},
        // A whole word before a part inside a word.
        {"in", {"View > Zoom > Zoom In", "Edit > Find and Replace"}},
        // First letters before a part inside a word.
        {"far", {"Edit > Find and Replace"}},
        // The caption's own words before the menus' titles; twelve at most (Save All is the
        // thirteenth).
        {"f",
         {"Edit > Find and Replace", "File > New", "File > Save", "File > Exit", "File > Open...",
          "File > Save As...", "Format > Paragraph", "Format > Caf\u00e9 Cr\u00e8me",
          "Format > Font > Bold", "File > Recent > a.txt", "Format > Font > Italic",
          "Format > Font > Small Capitals"}},
        {"toolbars", {}},
        {"save zebra", {}},
        {" ... ", {}},
    };
    for (const auto& [query, paths] : cases) EXPECT_EQ(Paths(index.Search(query)), paths) << query;
}

TEST(RecentCommands, ReadsBackOnlyUsablePaths) {
    const std::string tooLong(RecentCommands::kMaxPathBytes + 1, 'x');
    std::string many;
    for (int i = 0; i < 25; ++i) many += "P" + std::to_string(i) + "\n";
    const std::pair<std::string, Lines> cases[] = {
        {"File > Save\nEdit > Undo", {"File > Save", "Edit > Undo"}},
        {"a\n\nb\na\n", {"a", "b"}},
        {"\xff\xfe\nok", {"ok"}},
        {"tab\there\nok\r\nok", {"ok"}},
        {tooLong + "\nshort", {"short"}},
    };
    for (const auto& [value, paths] : cases)
        EXPECT_EQ(RecentCommands::Parse(value), paths) << value;
    const Lines twenty = RecentCommands::Parse(many);
    ASSERT_EQ(twenty.size(), RecentCommands::kMaxCommands);
    EXPECT_EQ(twenty.back(), "P19");
}

TEST(RecentCommands, KeepsTheNewestTwentyPerProgram) {
    MemorySettings settings;
    RecentCommands recent(settings);
    recent.Remember("WinWord.EXE", "File > Save");
    recent.Remember("winword.exe", "Edit > Undo");
    recent.Remember("WINWORD.exe", "File > Save");
    recent.Remember("notepad.exe", "File > Open...");
    EXPECT_EQ(settings.Read("Recent", "winword.exe", ""), "File > Save\nEdit > Undo");
    EXPECT_EQ(recent.For("notepad.exe"), Lines{"File > Open..."});
    for (int i = 0; i < 25; ++i) recent.Remember("notepad.exe", "Cmd " + std::to_string(i));
    const Lines kept = recent.For("notepad.exe");
    ASSERT_EQ(kept.size(), RecentCommands::kMaxCommands);
    EXPECT_EQ(kept.front(), "Cmd 24");
    EXPECT_EQ(kept.back(), "Cmd 5");
    const std::string stored = settings.Read("Recent", "notepad.exe", "");
    EXPECT_EQ(std::count(stored.begin(), stored.end(), '\n'), 19) << "stored bounded too";
    // Nothing that could not be read back is written.
    const int writes = settings.writes;
    recent.Remember("", "File > Save");
    recent.Remember("dir\\x.exe", "File > Save");
    recent.Remember("notepad.exe", "Two\nLines");
    EXPECT_EQ(settings.writes, writes);
}

class MenuSearchTest : public ::testing::Test {
  protected:
    void Open() { m_search.Open(m_tree, "word.exe"); }
    void Type(std::u16string units) {
        for (const char16_t unit : units) m_search.Type(unit);
    }

    MemorySettings m_settings;
    RecentCommands m_recent{m_settings};
    MenuSearch m_search{m_recent};
    MenuItemList m_tree = Tree();
};

TEST_F(MenuSearchTest, TypingEditsTheQueryByWholeCharacters) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"sav\bve", "save"},
        {u"\U0001F600x\b", "\U0001F600"},
        {u"a\U0001F600\b", "a"},
        {u"\xD83Dz", "z"},          // a first half followed by no second half
        {u"\xDE00z", "z"},          // a second half alone
        {u"a\r\x1b\t\x7fz", "az"},  // Enter, Escape, Tab, Delete type nothing
        {u"\b\bcaf\u00e9", "caf\u00e9"},
    };
    for (const auto& [units, query] : cases) {
        Open();
        Type(units);
        EXPECT_EQ(m_search.Query(), query);
    }
    Open();
    Type(std::u16string(MenuSearch::kMaxQueryBytes + 10, u'a'));
    EXPECT_EQ(m_search.Query().size(), MenuSearch::kMaxQueryBytes);
}

TEST_F(MenuSearchTest, EnterRunsTheChosenCommandAndItComesFirstNextTime) {
    Open();
    EXPECT_TRUE(m_search.Results().empty());
    Type(u"sa");
    EXPECT_FALSE(m_search.Move(-1)) << "the first row is the top";
    EXPECT_TRUE(m_search.Move(1));
    EXPECT_EQ(m_search.Enter(), m_tree[0]->Children[3]);  // File > Save As...
    // A disabled command runs nothing and is not remembered.
    Type(u"\b\bundo");
    EXPECT_EQ(m_search.Enter(), nullptr);
    EXPECT_FALSE(m_search.Move(1)) << "one result: the last row is the top";

    m_settings.Write("Recent", "word.exe",
                     "Edit > Undo\nGone > Away\n" + m_settings.Read("Recent", "word.exe", "") +
                         "\nFormat > Font > Bold");
    Open();
    EXPECT_EQ(m_search.Query(), "");
    EXPECT_EQ(Paths(m_search.Results()),
              (Lines{"File > Save As...", "Format > Font > Bold", "Edit > Undo"}));
    EXPECT_EQ(m_search.Chosen(), 0);
    // Typing replaces them with what the query finds; clearing it brings them back.
    Type(u"zo\b\b");
    EXPECT_EQ(m_search.Results().size(), 3u);
    EXPECT_EQ(m_search.Enter()->CommandId, 104);
}

// The default layout: rows 21 high, highlight margin 15, text 30 from the left and 4 down.
TEST_F(MenuSearchTest, ThePanelShowsTheFieldAndOneRowPerResult) {
    ThemeLoad load;
    ASSERT_TRUE(load.Load("<t><text color='332211' highlight='ffffff'/></t>"));
    TestTrace log;
    Brushes& brushes = load.brushes();
    SearchPanelView view(load.theme, brushes, log.trace);
    Open();
    // The field alone, then the field and four rows; never wider than the screen.
    EXPECT_EQ(view.Size(m_search, 1920), (ListSize{630, 59}));
    EXPECT_EQ(view.Size(m_search, 500), (ListSize{500, 59}));
    Type(u"sa");
    m_search.Move(1);
    const ListSize size = view.Size(m_search, 1920);
    EXPECT_EQ(size, (ListSize{630, 52 + 4 * 21 + 6}));

    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(size.width, size.height);
    GDIPGraphics graphics;
    graphics.FromImage(bitmap.Image());
    view.Paint(graphics, m_search, size.width, size.height, true);
    const GlassStyle& glass = load.theme.Glass;
    const Lines drawn =
        Drawn(RecordedCalls(graphics), {{glass.Selection, "selection"},
                                        {RecordedArgb(brushes.DisabledBrush()), "disabled"},
                                        {RecordedArgb(brushes.HighlightBrush()), "highlight"},
                                        {RecordedArgb(brushes.TextBrush()), "text"}});
    // After the glass and the field: text is 7.5 pixels a unit, so "sa" ends at 47.5 (after the
    // padding of 2.5) and "Ctrl+S" is 45 wide and ends at 600; only the chosen row shows its
    // shortcut text undimmed.
    EXPECT_EQ(Lines(drawn.begin() + 5, drawn.end()),
              (Lines{"sa text 30,19 15", "rect text 47.5,19 1x21", "Ctrl+S disabled 555,52 15",
                     "clip 30,50 510x21", "File > Save text 30,52 15", "clip off", "fill selection",
                     "Ctrl+Shift+S highlight 510,73 15", "clip 30,71 465x21",
                     "File > Save As... highlight 30,73 15", "clip off", "clip 30,92 570x21",
                     "Edit > Select All text 30,94 15", "clip off", "clip 30,113 570x21",
                     "File > Save All disabled 30,115 15", "clip off"}));
}

}  // namespace
}  // namespace tarvik::test
