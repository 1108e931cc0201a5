#include "core/menus/NativeMenu.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/app/Error.h"
#include "core/support/FakeDropDown.h"
#include "core/support/TestTrace.h"
#include "core/theme/ThemeLayout.h"

namespace tarvik {
namespace {

using test::FakeDropDown;

constexpr uint32_t kGrayed = 0x1;
constexpr uint32_t kDisabled = 0x2;
constexpr uint32_t kPopup = 0x10;
constexpr uint32_t kSeparator = 0x800;
constexpr MenuHandle kMenu = 4660;
constexpr WindowHandle kWindow = 131330;

// Menus and window titles held in memory, answering as the Win32 calls do; the posts and
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
    std::string title;       // of kWindow
    MenuHandle menuBar = 0;  // of kWindow
    std::vector<std::pair<WindowHandle, int32_t>> posts;
    PostResult result{true, 0};
    std::vector<std::string> texts;
    uint32_t flags = 0;
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
    void Show(std::string_view title, std::string_view text, uint32_t boxFlags) override {
        texts.emplace_back(std::string(title) + ": " + std::string(text));
        flags = boxFlags;
        if (failBox) throw Error(1400, "Invalid window handle.");
    }
    const Entry& At(MenuHandle menu, int32_t at) const { return menus.at(menu).at(size_t(at)); }
};

std::shared_ptr<MenuItem> Leaf(std::string text, int32_t id, WindowHandle window = kWindow) {
    auto item = std::make_shared<MenuItem>();
    item->text = std::move(text);
    item->CommandId = id;
    item->hWnd = window;
    return item;
}

class NativeMenuTest : public ::testing::Test {
  protected:
    MenuItemList Read(MenuHandle menu = kMenu) {
        MenuItemList items;
        m_native.PopulateMenuFromHandle(items, menu, kWindow);
        return items;
    }

    test::TestTrace m_log;
    FakeSystem m_system;
    ThemeLayout m_layout;
    NativeMenu m_native{m_system, m_system, m_system, m_log.trace, m_layout};
};

TEST_F(NativeMenuTest, CaptionsAndStateFlagsBecomeRows) {
    // Caption, state, submenu -> the row's text, " sep" for a separator, " off" when disabled.
    const std::tuple<std::string, uint32_t, MenuHandle, std::string> cases[] = {
        {"E&xit\tAlt+F4", 0, 0, "Exit"},
        {"&&&Save", 0, 0, "&Save"},
        {"Two\tTabs\tCtrl+T", 0, 0, "Two\tTabs"},
        {"Caf\xC3\xA9 &Cr\xC3\xA8me", 0, 0, "Caf\xC3\xA9 Cr\xC3\xA8me"},
        {"Entry", kGrayed, 0, "Entry off"},
        {"Entry", kDisabled, 0, "Entry off"},
        {"", kSeparator, 0, " sep"},
        {"Entry", kSeparator | kPopup, 7, "Entry"},  // a submenu's separator bit means nothing
    };
    m_system.menus[7] = {{"Inner", 0, 9}};
    for (const auto& [raw, state, subMenu, shown] : cases) {
        m_system.menus[kMenu] = {{raw, state, 100, subMenu}};
        const MenuItemList items = Read();
        ASSERT_EQ(items.size(), 1u) << raw;
        EXPECT_EQ(items[0]->text + (items[0]->IsSeparator ? " sep" : "") +
                      (items[0]->IsEnabled ? "" : " off"),
                  shown);
    }
    EXPECT_TRUE(m_log.Records().empty());
}

TEST_F(NativeMenuTest, ReadsTheMenuBarAsATreeAndSkipsEntriesWithoutTextWithOneLineEach) {
    m_system.menuBar = kMenu;
    m_system.menus[kMenu] = {{"&File", kPopup, 0, 10}, {"", 0x100, 2}, {"&Empty", kPopup, 0, 11}};
    m_system.menus[10] = {{"&New\tCtrl+N", 0, 101}, {"", kSeparator, 0}, {"Recent", kPopup, 0, 12}};
    m_system.menus[11] = {};
    m_system.menus[12] = {{"a.txt", 0, 201}};
    MenuItemList titles;
    m_native.ReadMenuBar(titles, kWindow);
    ASSERT_EQ(titles.size(), 2u);
    const MenuItem& file = *titles[0];
    EXPECT_EQ(file.CommandId, -1);
    ASSERT_EQ(file.Children.size(), 3u);
    EXPECT_EQ(file.Children[0]->CommandId, 101);
    EXPECT_TRUE(file.Children[1]->IsSeparator);
    const MenuItem& recent = *file.Children[2]->Children.at(0);
    EXPECT_EQ(recent.text, "a.txt");
    EXPECT_EQ(recent.CommandId, 201);
    EXPECT_EQ(recent.hWnd, kWindow);
    EXPECT_EQ(titles[1]->text, "Empty");
    EXPECT_EQ(m_log.Records(),
              std::vector<std::string>{"0,\"NativeMenu\",\"PopulateMenuFromHandle\",\"menu item 1 "
                                       "of 4660 has no text and is not a separator (state "
                                       "&H100) - skipped\""});
    // Not a menu, or no menu bar at all: nothing.
    EXPECT_TRUE(Read(999).empty());
    titles.clear();
    m_native.ReadMenuBar(titles, 5);
    EXPECT_TRUE(titles.empty());
}

TEST_F(NativeMenuTest, MenusHungUnderEachOtherAreReadOnlySoFarAndSaySoOnce) {
    m_system.menus[kMenu] = {{"Loop", kPopup, 0, 77}, {"Again", kPopup, 0, 77}};
    m_system.menus[77] = {{"Back", kPopup, 0, kMenu}, {"Plain", 0, 5}, {"More", kPopup, 0, kMenu}};
    const MenuItemList items = Read();
    int depth = 1;
    for (const MenuItem* item = items.at(0).get(); !item->Children.empty();
         item = item->Children[0].get()) {
        ++depth;
    }
    EXPECT_EQ(depth, NativeMenu::kMaxMenuDepth);
    ASSERT_EQ(m_log.Records().size(), 1u);
    EXPECT_NE(m_log.Records()[0].find("nests too deeply or has too many items"), std::string::npos);
}

TEST_F(NativeMenuTest, ShortWindowTitleKeepsThirtyUnitsAndNeverSplitsAPair) {
    const std::string emoji = "\xF0\x9F\x98\x80";  // two UTF-16 units
    const std::pair<std::string, std::string> cases[] = {
        {std::string(30, 'a'), std::string(30, 'a')},
        {std::string(31, 'a'), std::string(30, 'a') + "..."},
        {std::string(28, 'c') + emoji, std::string(28, 'c') + emoji},
        {std::string(29, 'd') + emoji, std::string(29, 'd') + "..."},
    };
    for (const auto& [title, shown] : cases) {
        m_system.title = title;
        EXPECT_EQ(m_native.ShortWindowTitle(kWindow), shown) << title;
    }
}

TEST_F(NativeMenuTest, PickingPostsOnlyEnabledProgramEntriesAndWidgetRowsGoToTheirWidget) {
    const MenuItem* widgetItem = nullptr;
    m_native.SetWidgetCommand([&](IWidget&, const MenuItem& item) { widgetItem = &item; });
    int widgetToken = 0;  // the widget is only passed on: any address stands for one
    auto* const widget = reinterpret_cast<IWidget*>(&widgetToken);
    auto separator = Leaf("", 0);
    separator->IsSeparator = true;
    auto disabled = Leaf("Paste", 57637);
    disabled->IsEnabled = false;
    auto emptyPopup = Leaf("Empty", -1);
    auto owned = Leaf("Sleep", 3);
    owned->OwnerWidget = widget;
    FakeDropDown menu;
    for (const auto& item : {separator, disabled, emptyPopup, owned, Leaf("Copy", 57634)}) {
        bool closeAll = false;
        m_native.HandleMenuItem(*item, menu, 1, closeAll);
        EXPECT_TRUE(closeAll) << item->text;
    }
    EXPECT_EQ(m_system.posts, (std::vector<std::pair<WindowHandle, int32_t>>{{kWindow, 57634}}));
    EXPECT_EQ(widgetItem, owned.get());
}

TEST_F(NativeMenuTest, RowsWithChildrenOpenTheirCascadeBesideTheRowAndOtherRowsCloseIt) {
    auto parent = Leaf("Recent", -1);
    parent->Children = {Leaf("a.txt", 201)};
    FakeDropDown menu;
    bool closeAll = true;
    m_native.HandleMenuItem(*parent, menu, 3, closeAll);
    EXPECT_FALSE(closeAll);
    ASSERT_NE(menu.child, nullptr);
    EXPECT_EQ(menu.child->shown.at(0).first, &parent->Children);
    // Against the parent's right edge (100 + 120), level with row 3 (50 + 46 - RowText.Y 4).
    EXPECT_EQ(menu.child->shown[0].second.x, 220);
    EXPECT_EQ(menu.child->shown[0].second.y, 50 + 46 - m_layout.RowText.Y);

    m_native.HoverMenuItem(*Leaf("Copy", 5), menu, 1);
    EXPECT_EQ(menu.child, nullptr);
    EXPECT_EQ(menu.childrenClosed, 1);
    m_native.HoverMenuItem(*parent, menu, 2);
    EXPECT_NE(menu.child, nullptr);
    EXPECT_TRUE(m_system.posts.empty());
}

TEST_F(NativeMenuTest, OnlyARefusalWithCodeFiveIsReportedOncePerWindowOnTheNextTick) {
    m_system.result = {false, 1400};
    FakeDropDown menu;
    bool closeAll = false;
    m_native.HandleMenuItem(*Leaf("Save && Close", 40010, 65552), menu, 1, closeAll);
    ASSERT_EQ(m_log.Records().size(), 1u);
    EXPECT_TRUE(m_log.Records()[0].starts_with(
        R"(1400,"NativeMenu","HandleMenuItem","could not post command 40010 (Save && Close) to )"
        "window 65552 - if the code is 5 the target is running elevated"));
    m_native.ShowPendingCommandFailure();
    EXPECT_TRUE(m_system.texts.empty());

    m_system.result = {false, 5};
    m_system.title = "Registry Editor";
    m_native.HandleMenuItem(*Leaf("Refresh", 10), menu, 1, closeAll);
    m_native.HandleMenuItem(*Leaf("Refresh", 10), menu, 1, closeAll);
    EXPECT_EQ(m_log.Records().size(), 2u);
    m_native.ShowPendingCommandFailure();
    m_native.ShowPendingCommandFailure();
    ASSERT_EQ(m_system.texts.size(), 1u);
    EXPECT_EQ(m_system.flags, 0x1030u);
    EXPECT_TRUE(
        m_system.texts[0].starts_with("Tarvik: Windows would not let Tarvik run \"Refresh\" in "
                                      "Registry Editor.\r\n\r\nThat program"));
    m_native.HandleMenuItem(*Leaf("Refresh", 10), menu, 1, closeAll);
    m_native.ShowPendingCommandFailure();
    EXPECT_EQ(m_system.texts.size(), 1u);

    // The latest refusal wins; a box that cannot be shown is logged once and not retried.
    m_native.QueuePendingCommandFailure(100, "Open");
    m_native.QueuePendingCommandFailure(200, "Close");
    m_system.failBox = true;
    m_native.ShowPendingCommandFailure();
    m_native.ShowPendingCommandFailure();
    ASSERT_EQ(m_system.texts.size(), 2u);
    EXPECT_TRUE(m_system.texts[1].starts_with(
        "Tarvik: Windows would not let Tarvik run \"Close\" in that application.\r\n"));
    EXPECT_EQ(m_log.Records().back(),
              R"(1400,"NativeMenu","ShowPendingCommandFailure","Invalid window handle.")");
}

}  // namespace
}  // namespace tarvik
