#include <gtest/gtest.h>

#include <map>

#include "core/menus/AccessibleMenuRefresh.h"
#include "core/menus/AccessibleMenuSource.h"
#include "core/menus/AccessibleMenuWalker.h"
#include "core/support/MenuRows.h"
#include "core/support/TestTrace.h"

namespace tarvik::test {
namespace {

using namespace access;
using Walker = AccessibleMenuWalker;

// A program's accessibility tree in memory. An entry made with `lazy` shows its rows only while
// open, as most toolkits do; every default action is logged ("open File", "run Copy"), every
// child asked for counted.
int childrenAsked = 0;
struct Node {
    int32_t role = 0;
    uint32_t state = 0;
    std::string name;
    std::vector<std::shared_ptr<Node>> children;
    bool lazy = false;
    bool open = false;
};
using NodePtr = std::shared_ptr<Node>;

class FakeElement final : public IAccessibleElement {
  public:
    FakeElement(NodePtr node, Lines& log) : m_node(std::move(node)), m_log(log) {}
    int32_t Role() const override { return m_node->role; }
    uint32_t State() const override {
        if (!m_node->lazy) return m_node->state;
        return m_node->state | kStateHasPopup | (m_node->open ? kStateExpanded : kStateCollapsed);
    }
    std::string Name() const override { return m_node->name; }
    int32_t ChildCount() const override {
        return m_node->lazy && !m_node->open ? 0 : static_cast<int32_t>(m_node->children.size());
    }
    std::unique_ptr<IAccessibleElement> Child(int32_t number) const override {
        if (++childrenAsked, number < 1 || number > ChildCount()) return nullptr;
        return std::make_unique<FakeElement>(m_node->children[static_cast<size_t>(number) - 1],
                                             m_log);
    }
    bool DoDefaultAction() override {
        if (m_node->state & kStateUnavailable) return false;
        if (m_node->lazy) m_node->open = !m_node->open;
        m_log.push_back((m_node->lazy ? (m_node->open ? "open " : "close ") : "run ") +
                        m_node->name);
        return true;
    }

  private:
    NodePtr m_node;
    Lines& m_log;
};

NodePtr N(int32_t role, std::string name, uint32_t state = 0, std::vector<NodePtr> children = {}) {
    return std::make_shared<Node>(Node{role, state, std::move(name), std::move(children)});
}
NodePtr Entry(std::string name, uint32_t state = 0, std::vector<NodePtr> children = {}) {
    return N(kRoleMenuItem, std::move(name), state, std::move(children));
}
NodePtr Lazy(std::string name, std::vector<NodePtr> rows) {
    NodePtr entry = Entry(name, 0, {N(kRoleMenuPopup, name, 0, std::move(rows))});
    entry->lazy = true;
    return entry;
}
NodePtr Bar(std::vector<NodePtr> titles, std::string name = "Application", uint32_t state = 0) {
    return N(kRoleMenuBar, std::move(name), state, std::move(titles));
}
std::string Path(const AccessPath& path) {
    std::string text;
    for (const int32_t number : path) text += (text.empty() ? "" : ".") + std::to_string(number);
    return text;
}

// The rows of a program's drop-down as the bar shows them, and what opening it did there.
TEST(AccessibleMenuWalker, ReadsRowsWithTheirStateAndLeavesNothingOpen) {
    Lines log;
    const NodePtr bar = Bar({Lazy(
        "&File",
        {Entry("&Open\tCtrl+O"), N(kRoleSeparator, ""), Entry("&Undo\tCtrl+Z", kStateUnavailable),
         Entry("&Status Bar", kStateChecked), Entry("Word &Wrap", kStateMixed),
         Entry("Hidden", kStateInvisible), N(kRoleCheckButton, "Ruler", kStateChecked),
         N(kRoleRadioButton, "Draft"), N(kRoleClient, "not a row"),
         Entry(""),  // nothing to show
         N(kRoleMenuPopup, "pane", 0, {Entry("In a pane")}),
         Entry("&Recent", kStateHasPopup, {N(kRoleMenuPopup, "Recent", 0, {Entry("a.txt")})}),
         Lazy("&Zoom", {Entry("In"), Lazy("Deeper", {Entry("Most")})}), Lazy("Empty", {}),
         Entry("Locked", kStateUnavailable | kStateHasPopup, {Entry("never read")})})});
    FakeElement barElement(bar, log);
    const MenuItemList rows = Walker::ReadRows(barElement, {1}, 42);
    EXPECT_EQ(MenuRows(rows),
              (Lines{"Open 0", "-", "Undo 0 off", "Status Bar 0 on", "Word Wrap 0 on", "Ruler 0 on",
                     "Draft 0", "In a pane 0", "Recent 0", "  a.txt 0", "Zoom 0", "  In 0",
                     "  Deeper 0", "    Most 0", "Empty 0", "Locked 0 off"}));
    // Each lazy entry was opened to read it and closed again, innermost first.
    EXPECT_EQ(log, (Lines{"open &File", "open &Zoom", "open Deeper", "close Deeper", "close &Zoom",
                          "open Empty", "close Empty", "close &File"}));
    // Every row knows its window and where it is, panes counted.
    Lines paths;
    for (const auto& row : rows) paths.push_back(Path(row->AccessiblePath));
    ASSERT_EQ(paths, (Lines{"1.1.1", "1.1.2", "1.1.3", "1.1.4", "1.1.5", "1.1.7", "1.1.8",
                            "1.1.11.1", "1.1.12", "1.1.13", "1.1.14", "1.1.15"}));
    EXPECT_EQ(rows[9]->Children[1]->Children[0]->AccessiblePath,
              (AccessPath{1, 1, 13, 1, 2, 1, 1}));
    for (const auto& row : rows) EXPECT_EQ(row->hWnd, 42u) << row->text;

    // A title whose rows can be read closed is not opened; a path that leads nowhere reads none.
    log.clear();
    bar->children.push_back(Entry("&Edit", 0, {Entry("Copy")}));
    EXPECT_EQ(MenuRows(Walker::ReadRows(barElement, {2}, 42)), Lines{"Copy 0"});
    for (const AccessPath& nowhere :
         {AccessPath{}, AccessPath{3}, AccessPath{0}, AccessPath{2, 1, 1}})
        EXPECT_TRUE(Walker::ReadRows(barElement, nowhere, 42).empty()) << Path(nowhere);
    EXPECT_TRUE(log.empty());

    // A drop-down is read as far as kMaxRowElements elements reach: its pane, ten panes inside
    // (each with at most kMaxChildren children), what is not shown, and the row itself.
    const auto crowded = [&](int hidden) {
        std::vector<NodePtr> panes;
        for (int pane = 0; pane < 10; ++pane) {
            const int here =
                pane < 9 ? Walker::kMaxChildren - 1 : hidden - 9 * (Walker::kMaxChildren - 1);
            std::vector<NodePtr> children(static_cast<size_t>(here), N(kRoleClient, "hidden"));
            if (pane == 9) children.push_back(Entry("Last"));
            panes.push_back(N(kRoleMenuPopup, "pane", 0, children));
        }
        FakeElement element(Bar({Entry("T", 0, {N(kRoleMenuPopup, "T", 0, panes)})}), log);
        return MenuRows(Walker::ReadRows(element, {1}, 42));
    };
    EXPECT_EQ(crowded(Walker::kMaxRowElements - 12), Lines{"Last 0"});
    EXPECT_EQ(crowded(Walker::kMaxRowElements - 11), Lines{});
}

TEST(AccessibleMenuWalker, TitlesAreTheBarsVisibleEntriesFoundBreadthFirst) {
    Lines log;
    const auto found = [&log](NodePtr root) {
        const auto bar = Walker::FindMenuBar(std::make_unique<FakeElement>(std::move(root), log));
        return bar ? bar->Name() : std::string("none");
    };
    const auto nest = [](NodePtr inner, int levels) {
        for (int i = 0; i < levels; ++i) inner = N(kRoleClient, "level", 0, {inner});
        return inner;
    };
    // The search reaches the root and then at most kMaxSearchElements - 1 more elements,
    // breadth first: two groups, 199 elements in the first, then the second's.
    const auto crowd = [](int before) {
        std::vector<NodePtr> second(static_cast<size_t>(before), N(kRoleClient, "page"));
        second.push_back(Bar({}));
        const std::vector<NodePtr> first(Walker::kMaxChildren - 1, N(kRoleClient, "page"));
        return N(kRoleClient, "c", 0,
                 {N(kRoleClient, "first", 0, first), N(kRoleClient, "second", 0, second)});
    };
    const std::pair<NodePtr, std::string> cases[] = {
        {Bar({}), "Application"},
        {nest(Bar({}), Walker::kMaxSearchDepth), "Application"},
        {nest(Bar({}), Walker::kMaxSearchDepth + 1), "none"},
        {N(kRoleClient, "c", 0, {Bar({}, "hidden", kStateInvisible), nest(Bar({}), 1)}),
         "Application"},
        {N(kRoleClient, "c", 0, {nest(Bar({}, "deep"), 2), nest(Bar({}, "shallow"), 1)}),
         "shallow"},
        {crowd(Walker::kMaxSearchElements - 203), "Application"},
        {crowd(Walker::kMaxSearchElements - 202), "none"},
        {N(kRoleClient, "c"), "none"},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(found(cases[i].first), cases[i].second) << i;
    EXPECT_EQ(Walker::FindMenuBar(nullptr), nullptr);

    const NodePtr bar =
        Bar({Lazy("&File", {Entry("x")}), Entry("&Edit\tAlt+E"), N(kRoleSeparator, ""),
             Entry("Gone", kStateInvisible), Entry(""), Entry("&Help", kStateUnavailable)});
    FakeElement barElement(bar, log);
    const MenuItemList titles = Walker::ReadTitles(barElement, 7);
    EXPECT_EQ(MenuRows(titles), (Lines{"File 0", "Edit 0", "Help 0 off"}));
    EXPECT_EQ(titles[1]->AccessiblePath, AccessPath{2});
    EXPECT_EQ(titles[2]->AccessiblePath, AccessPath{6});
    EXPECT_TRUE(log.empty()) << "reading titles opened something";
}

TEST(AccessibleMenuWalker, TheBarIsFoundAgainWhereItWasOnlyWhileItIsStillThere) {
    // A toolbar and a hidden menu bar before the shown one, and an entry outside any bar.
    Lines log;
    FakeElement window(
        N(kRoleClient, "window", 0,
          {N(0x14, "pane", 0,
             {N(0x16, "toolbar"), Bar({}, "hidden", kStateInvisible), Bar({}, "bar")}),
           Entry("entry")}),
        log);
    AccessPath found;
    childrenAsked = 0;
    ASSERT_EQ(Walker::FindMenuBar(std::make_unique<FakeElement>(window), &found)->Name(), "bar");
    EXPECT_EQ(found, (AccessPath{1, 3}));
    const int searchCost = std::exchange(childrenAsked, 0);
    // Where the bar was found before, and where the program may have moved things since.
    const std::pair<AccessPath, std::string> cases[] = {
        {{1, 3}, "bar"}, {{1, 1}, "none"}, {{1, 2}, "none"}, {{1, 4}, "none"},
        {{2}, "none"},   {{0, 3}, "none"}, {{}, "none"},
    };
    for (const auto& [path, expected] : cases) {
        childrenAsked = 0;
        const auto bar = Walker::MenuBarAt(window, path);
        EXPECT_EQ(bar ? bar->Name() : "none", expected) << Path(path);
        EXPECT_LT(childrenAsked, searchCost) << Path(path);
    }
}

TEST(AccessibleMenuWalker, InvokingOpensTheWayOnlyWhereNeededAndClosesItOnFailure) {
    const auto tree = [] {
        return Bar({Lazy("&File", {Entry("&New"), Lazy("Recent", {Entry("a.txt")}),
                                   Entry("Off", kStateUnavailable)}),
                    Entry("&Edit", kStateHasPopup, {Entry("Copy")})});
    };
    // Path, caption, whether it ran, what the program saw.
    const std::tuple<AccessPath, std::string, bool, Lines> cases[] = {
        {{1, 1, 1}, "New", true, {"open &File", "run &New"}},
        {{1, 1, 2, 1, 1}, "a.txt", true, {"open &File", "open Recent", "run a.txt"}},
        {{2, 1}, "Copy", true, {"run Copy"}},
        {{1, 1, 1}, "Old", false, {"open &File", "close &File"}},
        {{1, 1, 2, 1, 2},
         "b.txt",
         false,
         {"open &File", "open Recent", "close Recent", "close &File"}},
        {{1, 1, 3}, "Off", false, {"open &File", "close &File"}},
        {{1, 1}, "&File", false, {"open &File", "close &File"}},
        {{3}, "Help", false, {}},
        {{1, 0}, "x", false, {}},
        {{}, "", false, {}},
    };
    for (const auto& [path, text, ran, seen] : cases) {
        Lines log;
        FakeElement bar(tree(), log);
        EXPECT_EQ(Walker::Invoke(bar, path, text), ran) << Path(path);
        EXPECT_EQ(log, seen) << Path(path);
    }
}

constexpr WindowHandle kPlain = 11;   // no Win32 menu bar
constexpr WindowHandle kNative = 22;  // a Win32 menu bar
constexpr WindowHandle kOther = 33;

// The Win32 menus and the accessibility port in memory: what each window answers, and what
// was asked.
class FakeMenus final : public IMenuSource, public IAccessibleMenus {
  public:
    std::map<WindowHandle, AccessAnswer> titles;
    AccessAnswer rows{AccessOutcome::Answered, {}};
    AccessOutcome invoked = AccessOutcome::Answered;
    Lines asked;

    std::string ShortWindowTitle(WindowHandle window) const override {
        return "window " + std::to_string(window);
    }
    void ReadMenuBar(MenuItemList& list, WindowHandle window) override {
        if (window == kNative) list.push_back(Item({.text = "Native", .CommandId = 5}));
    }
    AccessAnswer ReadTitles(WindowHandle window) override {
        asked.push_back("titles " + std::to_string(window));
        return titles[window];
    }
    AccessAnswer ReadRows(WindowHandle window, const AccessPath& title) override {
        asked.push_back("rows " + std::to_string(window) + " " + Path(title));
        return rows;
    }
    AccessOutcome Invoke(WindowHandle window, const AccessPath& entry,
                         const std::string& text) override {
        asked.push_back("run " + std::to_string(window) + " " + Path(entry) + " " + text);
        return invoked;
    }
};

std::shared_ptr<MenuItem> Read(std::string text, WindowHandle window, AccessPath path) {
    return Item({.text = std::move(text), .hWnd = window, .AccessiblePath = std::move(path)});
}

TEST(AccessibleMenuSource, KeepsTitlesPerActivationAndGivesUpOnAProgramThatDoesNotAnswer) {
    FakeMenus fake;
    TestTrace log;
    AccessibleMenuSource source(fake, fake, log.trace);
    fake.titles[kPlain] = {AccessOutcome::Answered, {Read("File", kPlain, {1})}};
    fake.titles[kOther] = {AccessOutcome::NoAnswer, {Read("Late", kOther, {1})}};
    fake.titles[kNative] = {AccessOutcome::Answered, {Read("Never", kNative, {1})}};
    const auto read = [&](WindowHandle window) {
        MenuItemList titles{Item({.text = "app"})};
        source.ReadMenuBar(titles, window);
        Lines texts;
        for (size_t i = 1; i < titles.size(); ++i) texts.push_back(titles[i]->text);
        return texts;
    };
    // Window, what the strip shows after the app title, what was asked of the port.
    const std::tuple<WindowHandle, Lines, Lines> steps[] = {
        {kPlain, {"File"}, {"titles 11"}},
        {kPlain, {"File"}, {}},  // the title changed: kept
        {kNative, {"Native"}, {}},
        {kOther, {}, {"titles 33"}},
        {kOther, {}, {}},  // not asked again until activated again
        {kPlain, {"File"}, {"titles 11"}},
        {kOther, {}, {"titles 33"}},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& [window, shown, asked] = steps[i];
        fake.asked.clear();
        EXPECT_EQ(read(window), shown) << i;
        EXPECT_EQ(fake.asked, asked) << i;
    }
    EXPECT_EQ(log.Records(),
              (Lines{R"(0,"AccessibleMenu","ReadMenuBar","window 33 did not answer )"
                     R"(its accessibility requests within 500 ms - its menus are not )"
                     R"(shown until it is activated again")"}));

    // A program at a higher integrity level is said once and shows nothing.
    fake.titles[kOther] = {AccessOutcome::Refused, {}};
    source.Forget(kOther);  // activated again
    EXPECT_TRUE(read(kOther).empty());
    EXPECT_EQ(log.Records().size(), 2u);
    EXPECT_NE(log.Records()[1].find("higher integrity level"), std::string::npos);
}

TEST(AccessibleMenuSource, ReadsRowsOnOpeningAndRunsPickedRowsInTheProgram) {
    FakeMenus fake;
    TestTrace log;
    AccessibleMenuSource source(fake, fake, log.trace);
    fake.titles[kPlain] = {AccessOutcome::Answered, {Read("File", kPlain, {2})}};
    MenuItemList titles;
    source.ReadMenuBar(titles, kPlain);
    ASSERT_EQ(titles.size(), 1u);
    MenuItem& title = *titles[0];

    // Each opening reads the rows as they are then.
    fake.rows = {AccessOutcome::Answered, {Read("Open", kPlain, {2, 1, 1})}};
    source.ReadTitleRows(title);
    fake.rows = {AccessOutcome::Answered,
                 {Read("Open", kPlain, {2, 1, 1}), Read("Save", kPlain, {2, 1, 2})}};
    source.ReadTitleRows(title);
    EXPECT_EQ(MenuRows(title.Children), (Lines{"Open 0", "Save 0"}));
    // A Win32 title keeps its rows and asks nothing.
    const auto native = Item({.text = "Edit", .Children = {Item({.text = "Copy"})}});
    source.ReadTitleRows(*native);
    EXPECT_EQ(native->Children.size(), 1u);

    source.Invoke(*title.Children[1]);
    fake.invoked = AccessOutcome::NoMenuBar;  // gone, or renamed, since it was read
    source.Invoke(*title.Children[0]);
    source.Invoke(*native->Children[0]);  // not read this way: nothing to run
    EXPECT_EQ(fake.asked, (Lines{"titles 11", "rows 11 2", "rows 11 2", "run 11 2.1.2 Save",
                                 "run 11 2.1.1 Open"}));
    EXPECT_EQ(log.Records(), (Lines{R"(0,"AccessibleMenu","Invoke","'Open' is no longer in the )"
                                    R"(menu of window 11 - nothing was run")"}));

    // A program that stops answering while its drop-down opens shows no rows, and no titles
    // until it is activated again.
    fake.rows = {AccessOutcome::NoAnswer, {Read("Late", kPlain, {2, 1, 1})}};
    source.ReadTitleRows(title);
    EXPECT_TRUE(title.Children.empty());
    fake.asked.clear();
    MenuItemList again;
    source.ReadMenuBar(again, kPlain);
    EXPECT_TRUE(again.empty());
    EXPECT_TRUE(fake.asked.empty());
    EXPECT_EQ(log.Records().size(), 2u);
}

enum class Op { Changed, ChangedOther, Due, Open, Closed, Activated, HandedBack, ShowOther };
struct Step {
    Op op;
    int64_t time;
    int64_t wait;  // what the call asks of the caller
    int reads;     // titles read by the call (the strip showing the window again)
};
constexpr int64_t kNo = AccessibleMenuRefresh::kNoWait;

TEST(AccessibleMenuRefresh, ReadsTitlesAgainOnChangesAndActivationsAtMostOnceASecond) {
    // clang-format off
    const std::vector<Step> cases[] = {
        // A burst: one read now, one when the second is up, none in between or for another window.
        {{Op::Changed, 5000, kNo, 1}, {Op::Changed, 5100, 900, 0}, {Op::Changed, 5200, kNo, 0},
         {Op::Due, 6000, kNo, 1}, {Op::Due, 7000, kNo, 0}, {Op::ChangedOther, 7500, kNo, 0},
         {Op::Changed, 8000, kNo, 1}},
        // Nothing while a menu is open: read when it closes, after the rest of the second.
        {{Op::Open, 0, kNo, 0}, {Op::Changed, 5000, kNo, 0}, {Op::Due, 6000, kNo, 0},
         {Op::Closed, 7000, kNo, 1}, {Op::Open, 0, kNo, 0}, {Op::Changed, 7300, kNo, 0},
         {Op::Closed, 7400, 600, 0}, {Op::Due, 8000, kNo, 1}},
        // The strip moving on, or the window coming to the front again, drops a waiting change.
        {{Op::Changed, 5000, kNo, 1}, {Op::Changed, 5500, 500, 0}, {Op::ShowOther, 0, kNo, 1},
         {Op::Due, 6000, kNo, 0}},
        {{Op::Activated, 0, kNo, 1}, {Op::Changed, 5100, kNo, 1}, {Op::Changed, 5200, 900, 0},
         {Op::HandedBack, 0, kNo, 0}, {Op::Activated, 0, kNo, 1}, {Op::Due, 6100, kNo, 0}},
    };
    // clang-format on
    for (size_t c = 0; c < std::size(cases); ++c) {
        FakeMenus program;
        TestTrace log;
        for (const WindowHandle window : {kPlain, kOther})
            program.titles[window] = {AccessOutcome::Answered, {Read("File", window, {1})}};
        AccessibleMenuSource source(program, program, log.trace);
        WindowHandle shown = kPlain;
        bool open = false;
        const auto show = [&] {  // what the strip does: show the window's menus
            MenuItemList titles;
            source.ReadMenuBar(titles, shown);
        };
        AccessibleMenuRefresh refresh(source, show, [&] { return open; });
        show();
        refresh.Shows(shown);
        for (size_t i = 0; i < cases[c].size(); ++i) {
            const Step& step = cases[c][i];
            program.asked.clear();
            int64_t wait = kNo;
            if (step.op == Op::Changed || step.op == Op::ChangedOther) {
                wait = refresh.Changed(step.op == Op::Changed ? kPlain : kOther, step.time);
            } else if (step.op == Op::Due) {
                wait = refresh.Due(step.time);
            } else if (step.op == Op::Open || step.op == Op::Closed) {
                open = step.op == Op::Open;
                if (!open) wait = refresh.Due(step.time);
            } else if (step.op == Op::ShowOther) {
                shown = kOther;
                show();
                refresh.Shows(shown);
            } else {
                refresh.Activated(shown, step.op == Op::HandedBack);
                show();
            }
            EXPECT_EQ(wait, step.wait) << "case " << c << ", step " << i;
            EXPECT_EQ(program.asked.size(), size_t(step.reads)) << "case " << c << ", step " << i;
        }
    }
}

}  // namespace
}  // namespace tarvik::test
