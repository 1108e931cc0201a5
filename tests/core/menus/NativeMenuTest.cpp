#include "core/menus/NativeMenu.h"

#include <gtest/gtest.h>

#include "core/app/Error.h"
#include "core/support/FakeDropDown.h"
#include "core/support/MenuRows.h"
#include "core/support/TestTrace.h"
#include "core/theme/ThemeLayout.h"

namespace tarvik {
namespace {

using test::FakeDropDown;
using Rows = std::vector<std::string>;

constexpr uint32_t kGrayed = 0x1;
constexpr uint32_t kPopup = 0x10;
constexpr uint32_t kSeparator = 0x800;
constexpr MenuHandle kMenu = 4660;
constexpr WindowHandle kWindow = 131330;

// Menus and the title of kWindow in memory, answering as the Win32 calls do; the posts and
// boxes asked for.
class FakeSystem final : public IMenuReader, public ICommandPoster, public IMessageBox {
  public:
    struct Entry {
        std::string text;
        uint32_t state = 0;
        int32_t id = 0;
        MenuHandle subMenu = 0;
    };
    std::map<MenuHandle, std::vector<Entry>> menus;
    std::string title;
    MenuHandle menuBar = 0;
    std::vector<std::pair<WindowHandle, int32_t>> posts;
    PostResult result{true, 0};
    Rows boxes;  // "flags title: text"
    bool failBox = false;

    MenuHandle MenuBar(WindowHandle window) const override {
        return window == kWindow ? menuBar : 0;
    }
    int32_t ItemCount(MenuHandle menu) const override {
        return menus.contains(menu) ? static_cast<int32_t>(menus.at(menu).size()) : -1;
    }
    MenuHandle SubMenu(MenuHandle menu, int32_t at) const override { return At(menu, at).subMenu; }
    uint32_t State(MenuHandle menu, int32_t at) const override { return At(menu, at).state; }
    std::string Text(MenuHandle menu, int32_t at) const override { return At(menu, at).text; }
    int32_t ItemId(MenuHandle menu, int32_t at) const override {
        return At(menu, at).subMenu != 0 ? -1 : At(menu, at).id;
    }
    std::string WindowTitle(WindowHandle window) const override {
        return window == kWindow ? title : std::string();
    }
    PostResult PostCommand(WindowHandle window, int32_t commandId) override {
        posts.emplace_back(window, commandId);
        return result;
    }
    void Show(std::string_view boxTitle, std::string_view text, uint32_t flags) override {
        boxes.push_back(std::to_string(flags) + " " + std::string(boxTitle) + ": " +
                        std::string(text));
        if (failBox) throw Error(1400, "Invalid window handle.");
    }
    const Entry& At(MenuHandle menu, int32_t at) const { return menus.at(menu).at(size_t(at)); }
};

// A row for kWindow unless it names another window.
std::shared_ptr<MenuItem> Leaf(MenuItem item) {
    if (item.hWnd == 0) item.hWnd = kWindow;
    return test::Item(std::move(item));
}

class NativeMenuTest : public ::testing::Test {
  protected:
    // Picks row 1; every row without children closes the whole chain.
    void Pick(MenuItem item) {
        const auto row = Leaf(std::move(item));
        bool closeAll = false;
        m_native.HandleMenuItem(*row, m_menu, 1, closeAll);
        EXPECT_TRUE(closeAll) << row->text;
    }

    test::TestTrace m_log;
    FakeSystem m_system;
    ThemeLayout m_layout;
    NativeMenu m_native{m_system, m_system, m_system, m_log.trace, m_layout};
    FakeDropDown m_menu;
};

TEST_F(NativeMenuTest, CaptionsAndStateFlagsBecomeRowsWithAccessKeysAndShortcutTexts) {
    // Caption and state -> rows, the access key (the letter after a single ampersand) and the
    // text after the last tab, kept apart for the menu search to show.
    const std::tuple<std::string, uint32_t, Rows, std::string, std::string> cases[] = {
        {"&&&Save", 0, {"&Save 100"}, "S", ""},
        {"Two\tTabs\tCtrl+T", 0, {"Two\tTabs 100"}, "", "Ctrl+T"},
        {"Save &As...\tCtrl+Shift+S", 0, {"Save As... 100"}, "A", "Ctrl+Shift+S"},
        {"Entry", kGrayed, {"Entry 100 off"}, "", ""},
        {"", kSeparator, {"-"}, "", ""},
        {"Entry", kSeparator | kPopup, {"Entry -1", "  Inner 9"}, "", ""},  // not a separator
        {"&File", 0, {"File 100"}, "F", ""},
        {"Fish && Chips", 0, {"Fish & Chips 100"}, "", ""},
        {"Two &Marks &Here", 0, {"Two Marks Here 100"}, "M", ""},
        {"Ends with &", 0, {"Ends with  100"}, "", ""},
        {"Tr&\xC3\xA8s", 0, {"Tr\xC3\xA8s 100"}, "\xC3\xA8", ""},
        {"Cut &\xC3", 0, {"Cut \xC3 100"}, "", ""},  // half a character
    };
    m_system.menus[7] = {{"Inner", 0, 9}};
    for (const auto& [raw, state, rows, accessKey, shortcut] : cases) {
        m_system.menus[kMenu] = {{raw, state, 100, state & kPopup ? 7u : 0u}};
        MenuItemList items;
        m_native.PopulateMenuFromHandle(items, kMenu, kWindow);
        EXPECT_EQ(test::MenuRows(items), rows) << raw;
        EXPECT_EQ(items.at(0)->AccessKey, accessKey) << raw;
        EXPECT_EQ(items[0]->AcceleratorText, shortcut) << raw;
    }
    EXPECT_TRUE(m_log.Records().empty());
}

TEST_F(NativeMenuTest, ReadsTheMenuBarAsATreeAndSkipsEntriesWithoutTextWithOneLineEach) {
    m_system.menuBar = kMenu;
    m_system.menus[kMenu] = {{"&File", kPopup, 0, 10}, {"", 0x100, 2}, {"&Empty", kPopup, 0, 11}};
    m_system.menus[10] = {{"New", 0, 101}};
    m_system.menus[11] = {};
    MenuItemList titles;
    m_native.ReadMenuBar(titles, kWindow);
    EXPECT_EQ(test::MenuRows(titles), (Rows{"File -1", "  New 101", "Empty -1"}));
    EXPECT_EQ(m_log.Records(), Rows{"0,\"NativeMenu\",\"PopulateMenuFromHandle\",\"menu item 1 "
                                    "of 4660 has no text and is not a separator (state "
                                    "&H100) - skipped\""});
    // Not a menu, or no menu bar at all: nothing.
    titles.clear();
    m_native.PopulateMenuFromHandle(titles, 999, kWindow);
    m_native.ReadMenuBar(titles, 5);
    EXPECT_TRUE(titles.empty());
}

TEST_F(NativeMenuTest, MenusHungUnderEachOtherAreReadOnlySoFarAndSaySoOnce) {
    m_system.menus[kMenu] = {{"Loop", kPopup, 0, 77}, {"Again", kPopup, 0, 77}};
    m_system.menus[77] = {{"Back", kPopup, 0, kMenu}, {"Plain", 0, 5}, {"More", kPopup, 0, kMenu}};
    MenuItemList items;
    m_native.PopulateMenuFromHandle(items, kMenu, kWindow);
    int depth = 1;
    for (const MenuItem* item = items.at(0).get(); !item->Children.empty();
         item = item->Children[0].get()) {
        ++depth;
    }
    EXPECT_EQ(depth, NativeMenu::kMaxMenuDepth);
    ASSERT_EQ(m_log.Records().size(), 1u);
    EXPECT_NE(m_log.Records()[0].find("nests too deeply or has too many items"), std::string::npos);
}

TEST_F(NativeMenuTest, ShortWindowTitleKeepsThirtyUnits) {
    m_system.title = std::string(30, 'a');
    EXPECT_EQ(m_native.ShortWindowTitle(kWindow), m_system.title);
    m_system.title += "b";
    EXPECT_EQ(m_native.ShortWindowTitle(kWindow), std::string(30, 'a') + "...");
}

TEST_F(NativeMenuTest, PickingPostsEnabledEntriesGivesWidgetRowsToTheirWidgetAndOpensCascades) {
    std::string widgetRow;
    m_native.SetWidgetCommand([&](IWidget&, const MenuItem& item) { widgetRow = item.text; });
    std::vector<std::string> accessibleRows;
    m_native.SetAccessibleCommand(
        [&](const MenuItem& item) { accessibleRows.push_back(item.text); });
    int widgetToken = 0;  // the widget is only passed on: any address stands for one
    Pick({.IsSeparator = true});
    Pick({.text = "Paste", .CommandId = 57637, .IsEnabled = false});
    Pick({.text = "Empty", .CommandId = -1});
    Pick(
        {.text = "Sleep", .CommandId = 3, .OwnerWidget = reinterpret_cast<IWidget*>(&widgetToken)});
    EXPECT_EQ(widgetRow, "Sleep");
    Pick({.text = "Copy", .CommandId = 57634});
    // Rows read through a program's accessibility interface run there, never as a posted command.
    Pick({.text = "Find", .CommandId = 7, .hWnd = kWindow, .AccessiblePath = {1, 2}});
    Pick({.text = "Replace", .hWnd = kWindow, .IsEnabled = false, .AccessiblePath = {1, 3}});
    EXPECT_EQ(accessibleRows, std::vector<std::string>{"Find"});
    EXPECT_EQ(m_system.posts, (std::vector<std::pair<WindowHandle, int32_t>>{{kWindow, 57634}}));

    // A cascade opens against the parent's right edge (100 + 120), level with row 3 (50 + 46 -
    // RowText.Y); hovering another row closes it, hovering the parent opens it again.
    const auto parent = Leaf({.text = "Recent", .Children = {Leaf({.text = "a.txt"})}});
    bool closeAll = true;
    m_native.HandleMenuItem(*parent, m_menu, 3, closeAll);
    EXPECT_FALSE(closeAll);
    ASSERT_NE(m_menu.child, nullptr);
    EXPECT_EQ(m_menu.child->shown.at(0).first, &parent->Children);
    EXPECT_EQ(m_menu.child->shown[0].second.x, 220);
    EXPECT_EQ(m_menu.child->shown[0].second.y, 50 + 46 - m_layout.RowText.Y);
    m_native.HoverMenuItem(*Leaf({.text = "Copy", .CommandId = 5}), m_menu, 1);
    EXPECT_EQ(m_menu.child, nullptr);
    EXPECT_EQ(m_menu.childrenClosed, 1);
    m_native.HoverMenuItem(*parent, m_menu, 2);
    EXPECT_NE(m_menu.child, nullptr);
    EXPECT_EQ(m_system.posts.size(), 1u);
}

TEST_F(NativeMenuTest, OnlyARefusalWithCodeFiveIsReportedOncePerWindowOnTheNextTick) {
    m_system.result = {false, 1400};
    Pick({.text = "Save && Close", .CommandId = 40010, .hWnd = 65552});
    ASSERT_EQ(m_log.Records().size(), 1u);
    EXPECT_TRUE(m_log.Records()[0].starts_with(
        R"(1400,"NativeMenu","HandleMenuItem","could not post command 40010 (Save && Close) to )"
        "window 65552 - if the code is 5 the target is running elevated"));
    m_native.ShowPendingCommandFailure();
    EXPECT_TRUE(m_system.boxes.empty());

    m_system.result = {false, 5};
    m_system.title = "Registry Editor";
    Pick({.text = "Refresh", .CommandId = 10});
    Pick({.text = "Refresh", .CommandId = 10});
    EXPECT_EQ(m_log.Records().size(), 2u);
    m_native.ShowPendingCommandFailure();
    m_native.ShowPendingCommandFailure();
    ASSERT_EQ(m_system.boxes.size(), 1u);
    // MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL
    EXPECT_TRUE(m_system.boxes[0].starts_with(
        "4144 Tarvik: Windows would not let Tarvik run \"Refresh\" in Registry Editor.\r\n\r\n"
        "That program"));
    Pick({.text = "Refresh", .CommandId = 10});  // this window was reported already
    m_native.ShowPendingCommandFailure();
    EXPECT_EQ(m_system.boxes.size(), 1u);

    // The latest refusal wins; a box that cannot be shown is logged once and not retried.
    m_native.QueuePendingCommandFailure(100, "Open");
    m_native.QueuePendingCommandFailure(200, "Close");
    m_system.failBox = true;
    m_native.ShowPendingCommandFailure();
    m_native.ShowPendingCommandFailure();
    ASSERT_EQ(m_system.boxes.size(), 2u);
    EXPECT_TRUE(m_system.boxes[1].starts_with(
        "4144 Tarvik: Windows would not let Tarvik run \"Close\" in that application.\r\n"));
    EXPECT_EQ(m_log.Records().back(),
              R"(1400,"NativeMenu","ShowPendingCommandFailure","Invalid window handle.")");
}

}  // namespace
}  // namespace tarvik
