#include "core/menus/NativeMenu.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "core/support/Fakes.h"
#include "core/theme/ThemeLayout.h"

namespace tarvik {
namespace {

using test::FakeClock;
using test::TempFolder;

constexpr uint32_t kGrayed = 0x1;
constexpr uint32_t kDisabled = 0x2;
constexpr uint32_t kBitmap = 0x4;
constexpr uint32_t kPopup = 0x10;
constexpr uint32_t kOwnerDraw = 0x100;
constexpr uint32_t kSeparator = 0x800;

constexpr MenuHandle kMenu = 4660;
constexpr WindowHandle kWindow = 131330;

// Menus and window titles held in memory, answering as the Win32 calls do.
class FakeMenuReader final : public IMenuReader {
  public:
    struct Entry {
        std::string text;
        uint32_t state = 0;
        int32_t id = 0;
        MenuHandle subMenu = 0;
    };
    std::map<MenuHandle, std::vector<Entry>> menus;
    std::map<WindowHandle, std::string> titles;

    int32_t ItemCount(MenuHandle menu) const override {
        const auto found = menus.find(menu);
        return found == menus.end() ? -1 : static_cast<int32_t>(found->second.size());
    }
    MenuHandle SubMenu(MenuHandle menu, int32_t position) const override {
        return At(menu, position).subMenu;
    }
    uint32_t State(MenuHandle menu, int32_t position) const override {
        return At(menu, position).state;
    }
    std::string Text(MenuHandle menu, int32_t position) const override {
        return At(menu, position).text;
    }
    int32_t ItemId(MenuHandle menu, int32_t position) const override {
        const Entry& entry = At(menu, position);
        return entry.subMenu != 0 ? -1 : entry.id;
    }
    std::string WindowTitle(WindowHandle window) const override {
        const auto found = titles.find(window);
        return found == titles.end() ? std::string() : found->second;
    }

  private:
    const Entry& At(MenuHandle menu, int32_t position) const {
        return menus.at(menu).at(static_cast<size_t>(position));
    }
};

class FakePoster final : public ICommandPoster {
  public:
    struct Post {
        WindowHandle window;
        int32_t commandId;
    };
    std::vector<Post> posts;
    PostResult result{true, 0};

    PostResult PostCommand(WindowHandle window, int32_t commandId) override {
        posts.push_back({window, commandId});
        return result;
    }
};

class FakeMessageBox final : public IMessageBox {
  public:
    struct Shown {
        std::string title;
        std::string text;
        uint32_t flags;
    };
    std::vector<Shown> shown;
    bool fail = false;

    void Show(std::string_view title, std::string_view text, uint32_t flags) override {
        shown.push_back({std::string(title), std::string(text), flags});
        if (fail) throw Error(1400, "Invalid window handle.");
    }
};

// A drop-down whose rows are 21 pixels high from y = 4, with the cascade it opened.
class FakeDropDown final : public IDropDownMenu {
  public:
    double leftTwips = 0;
    double topTwips = 0;
    int32_t clientWidth = 0;
    std::unique_ptr<FakeDropDown> child;
    int childrenOpened = 0;
    int childrenClosed = 0;
    const MenuItemList* shownItems = nullptr;
    int32_t shownTop = 0;
    int32_t shownLeft = 0;

    void ShowList(const MenuItemList& items, int32_t top, int32_t left) override {
        shownItems = &items;
        shownTop = top;
        shownLeft = left;
    }
    bool IsVisible() const override { return shownItems != nullptr; }
    void Hide() override {}
    void closeMe() override { shownItems = nullptr; }
    void closeAncestors() override { shownItems = nullptr; }
    int32_t RowTop(int32_t index) const override { return 4 + (index - 1) * 21; }
    double LeftTwips() const override { return leftTwips; }
    double TopTwips() const override { return topTwips; }
    int32_t ClientWidth() const override { return clientWidth; }
    IDropDownMenu* ChildMenu() const override { return child.get(); }
    IDropDownMenu& OpenChildMenu() override {
        ++childrenOpened;
        child = std::make_unique<FakeDropDown>();
        return *child;
    }
    void CloseChildMenu() override {
        ++childrenClosed;
        child.reset();
    }
};

class NativeMenuTest : public ::testing::Test {
  protected:
    // The trace records without their timestamps.
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        std::istringstream in(test::ReadFile(m_folder.Path() / "errors.log"));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line.substr(line.find("#,") + 2));
        }
        return lines;
    }

    MenuItemList Read(MenuHandle menu = kMenu) {
        MenuItemList items;
        m_native.PopulateMenuFromHandle(items, menu, kWindow);
        return items;
    }

    static std::string FirstParagraph(const std::string& text) {
        return text.substr(0, text.find("\r\n"));
    }

    static std::shared_ptr<MenuItem> Leaf(std::string text, int32_t id, WindowHandle window) {
        auto item = std::make_shared<MenuItem>();
        item->text = std::move(text);
        item->CommandId = id;
        item->hWnd = window;
        return item;
    }

    TempFolder m_folder;
    FakeClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    FakeMenuReader m_reader;
    FakePoster m_poster;
    FakeMessageBox m_box;
    ThemeLayout m_layout;
    NativeMenu m_native{m_reader, m_poster, m_box, m_trace, m_layout, TwipsPerPixel{15.0, 15.0}};
};

TEST_F(NativeMenuTest, CaptionsLoseMnemonicMarkersAndAcceleratorText) {
    struct Case {
        const char* raw;
        const char* shown;
    };
    const Case cases[] = {
        {"E&xit\tAlt+F4", "Exit"},
        {"A&&B", "A&B"},
        {"&&&Save", "&Save"},
        {"Save &As", "Save As"},
        {"Fish && Chips", "Fish & Chips"},
        {"&Open...\tCtrl+O", "Open..."},
        {"Two\tTabs\tCtrl+T", "Two\tTabs"},
        {"Ends in &", "Ends in "},
        {"&&\tCtrl+7", "&"},
        {"Caf\xC3\xA9 &Cr\xC3\xA8me", "Caf\xC3\xA9 Cr\xC3\xA8me"},
    };
    for (const Case& c : cases) {
        m_reader.menus[kMenu] = {{c.raw, 0, 100}};
        const MenuItemList items = Read();
        ASSERT_EQ(items.size(), 1u) << c.raw;
        EXPECT_EQ(items[0]->text, c.shown) << c.raw;
    }
}

TEST_F(NativeMenuTest, StateFlagsGiveSeparatorsAndDisabledEntries) {
    struct Case {
        uint32_t state;
        MenuHandle subMenu;
        bool separator;
        bool enabled;
    };
    const Case cases[] = {
        {0, 0, false, true},
        {kGrayed, 0, false, false},
        {kDisabled, 0, false, false},
        {kGrayed | kDisabled, 0, false, false},
        {kSeparator, 0, true, true},
        // With a submenu the same bit does not make a separator.
        {kSeparator | kPopup, 7, false, true},
        {(2u << 8) | kPopup | kGrayed, 7, false, false},
    };
    m_reader.menus[7] = {{"Inner", 0, 9}, {"Other", 0, 10}};
    for (const Case& c : cases) {
        const std::string text = c.separator ? "" : "Entry";
        m_reader.menus[kMenu] = {{text, c.state, 100, c.subMenu}};
        const MenuItemList items = Read();
        ASSERT_EQ(items.size(), 1u) << c.state;
        EXPECT_EQ(items[0]->IsSeparator, c.separator) << c.state;
        EXPECT_EQ(items[0]->IsEnabled, c.enabled) << c.state;
        EXPECT_EQ(items[0]->text, text) << c.state;
    }
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(NativeMenuTest, ReadsATreeWithCommandIdsAndTheOwningWindow) {
    m_reader.menus[kMenu] = {{"&File", kPopup, 0, 10}, {"&Empty", kPopup, 0, 11}};
    m_reader.menus[10] = {{"&New\tCtrl+N", 0, 101}, {"", kSeparator, 0}, {"Recent", kPopup, 0, 12}};
    m_reader.menus[11] = {};
    m_reader.menus[12] = {{"a.txt", 0, 201}};

    const MenuItemList items = Read();
    ASSERT_EQ(items.size(), 2u);
    const MenuItem& file = *items[0];
    EXPECT_EQ(file.text, "File");
    EXPECT_EQ(file.CommandId, -1);
    ASSERT_EQ(file.Children.size(), 3u);
    EXPECT_EQ(file.Children[0]->text, "New");
    EXPECT_EQ(file.Children[0]->CommandId, 101);
    EXPECT_TRUE(file.Children[1]->IsSeparator);
    ASSERT_EQ(file.Children[2]->Children.size(), 1u);
    const MenuItem& recent = *file.Children[2]->Children[0];
    EXPECT_EQ(recent.text, "a.txt");
    EXPECT_EQ(recent.CommandId, 201);
    EXPECT_EQ(recent.hWnd, kWindow);
    // An empty popup stays, with nothing under it.
    EXPECT_EQ(items[1]->text, "Empty");
    EXPECT_TRUE(items[1]->Children.empty());
    // A handle that is not a menu (count -1) adds nothing.
    EXPECT_TRUE(Read(999).empty());
}

TEST_F(NativeMenuTest, EntriesWithoutTextAreSkippedAndLoggedAtTheirOwnPosition) {
    m_reader.menus[kMenu] = {
        {"First", 0, 1},     {"", kOwnerDraw, 2}, {"Second", 0, 3},   {"", kBitmap, 4},
        {"", kSeparator, 0}, {"&", 0xA500, 5},    {"\tCtrl+Q", 0, 6},
    };
    const MenuItemList items = Read();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0]->text, "First");
    EXPECT_EQ(items[1]->text, "Second");
    EXPECT_TRUE(items[2]->IsSeparator);
    const std::string prefix = "0,\"NativeMenu\",\"PopulateMenuFromHandle\",\"menu item ";
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              prefix + "1 of 4660 has no text and is not a separator (state "
                                       "&H100) - skipped\"",
                              prefix + "3 of 4660 has no text and is not a separator (state "
                                       "&H4) - skipped\"",
                              prefix + "5 of 4660 has no text and is not a separator (state "
                                       "&HA500) - skipped\"",
                              prefix + "6 of 4660 has no text and is not a separator (state "
                                       "&H0) - skipped\"",
                          }));
}

size_t CountItems(const MenuItemList& items) {
    size_t count = items.size();
    for (const auto& item : items) count += CountItems(item->Children);
    return count;
}

TEST_F(NativeMenuTest, MenusHungUnderEachOtherAreReadOnlySoFarAndSaySoOnce) {
    m_reader.menus[kMenu] = {{"Loop", kPopup, 0, 77}, {"Again", kPopup, 0, 77}};
    m_reader.menus[77] = {{"Back", kPopup, 0, kMenu}, {"Plain", 0, 5}, {"More", kPopup, 0, kMenu}};
    const MenuItemList items = Read();
    ASSERT_EQ(items.size(), 2u);
    int depth = 1;
    for (const MenuItem* item = items[0].get(); !item->Children.empty();
         item = item->Children[0].get()) {
        ++depth;
    }
    EXPECT_EQ(depth, NativeMenu::kMaxMenuDepth);
    EXPECT_LE(CountItems(items), static_cast<size_t>(NativeMenu::kMaxMenuEntries));
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("nests too deeply or has too many items - not read"),
              std::string::npos);
}

TEST_F(NativeMenuTest, ShortWindowTitleKeepsThirtyUnitsAndNeverSplitsAPair) {
    const std::string emoji = "\xF0\x9F\x98\x80";  // two UTF-16 units
    struct Case {
        std::string title;
        std::string shown;
    };
    const Case cases[] = {
        {"", ""},
        {std::string(30, 'a'), std::string(30, 'a')},
        {std::string(31, 'a'), std::string(30, 'a') + "..."},
        {std::string(255, 'b'), std::string(30, 'b') + "..."},
        {std::string(28, 'c') + emoji, std::string(28, 'c') + emoji},
        {std::string(29, 'd') + emoji, std::string(29, 'd') + "..."},
        {std::string(28, 'e') + emoji + "f", std::string(28, 'e') + emoji + "..."},
        {std::string(30, 'g') + emoji, std::string(30, 'g') + "..."},
    };
    for (const Case& c : cases) {
        m_reader.titles[kWindow] = c.title;
        EXPECT_EQ(m_native.ShortWindowTitle(kWindow), c.shown) << c.title;
    }
}

TEST_F(NativeMenuTest, PickingPostsOnlyEnabledProgramEntriesAndAlwaysClosesTheMenus) {
    int widgetCalls = 0;
    const MenuItem* widgetItem = nullptr;
    m_native.SetWidgetCommand([&](IWidget&, const MenuItem& item) {
        ++widgetCalls;
        widgetItem = &item;
    });
    // The widget interface is only ever passed on: any address stands for a widget here.
    int widgetToken = 0;
    auto* const widget = reinterpret_cast<IWidget*>(&widgetToken);

    auto plain = Leaf("Copy", 57634, kWindow);
    auto separator = Leaf("", 0, kWindow);
    separator->IsSeparator = true;
    auto disabled = Leaf("Paste", 57637, kWindow);
    disabled->IsEnabled = false;
    auto emptyPopup = Leaf("Empty", -1, kWindow);
    auto owned = Leaf("Sleep", 3, kWindow);
    owned->OwnerWidget = widget;
    auto ownedDisabled = Leaf("Lock", 4, kWindow);
    ownedDisabled->OwnerWidget = widget;
    ownedDisabled->IsEnabled = false;

    FakeDropDown menu;
    for (const auto& item : {separator, disabled, emptyPopup, ownedDisabled, owned, plain}) {
        bool closeAll = false;
        m_native.HandleMenuItem(*item, menu, 1, closeAll);
        EXPECT_TRUE(closeAll) << item->text;
    }
    ASSERT_EQ(m_poster.posts.size(), 1u);
    EXPECT_EQ(m_poster.posts[0].window, kWindow);
    EXPECT_EQ(m_poster.posts[0].commandId, 57634);
    EXPECT_EQ(widgetCalls, 1);
    EXPECT_EQ(widgetItem, owned.get());
    EXPECT_EQ(menu.childrenOpened, 0);
}

TEST_F(NativeMenuTest, ARowWithChildrenOpensItsCascadeInsteadOfPosting) {
    auto parent = Leaf("Recent", -1, kWindow);
    parent->Children = {Leaf("a.txt", 201, kWindow)};
    FakeDropDown menu;
    bool closeAll = true;
    m_native.HandleMenuItem(*parent, menu, 2, closeAll);
    EXPECT_FALSE(closeAll);
    EXPECT_TRUE(m_poster.posts.empty());
    ASSERT_NE(menu.child, nullptr);
    EXPECT_EQ(menu.child->shownItems, &parent->Children);
}

TEST_F(NativeMenuTest, HoveringOpensACascadeOrClosesTheOpenOne) {
    auto parent = Leaf("Recent", -1, kWindow);
    parent->Children = {Leaf("a.txt", 201, kWindow)};
    auto plain = Leaf("Copy", 5, kWindow);
    FakeDropDown menu;

    bool flag = true;
    m_native.HoverMenuItem(*plain, menu, 1, flag);  // nothing open: nothing to close
    EXPECT_EQ(menu.childrenClosed, 0);
    m_native.HoverMenuItem(*parent, menu, 2, flag);
    EXPECT_FALSE(flag);
    EXPECT_NE(menu.child, nullptr);
    flag = true;
    m_native.HoverMenuItem(*plain, menu, 1, flag);
    EXPECT_TRUE(flag);
    EXPECT_EQ(menu.child, nullptr);
    EXPECT_EQ(menu.childrenClosed, 1);
    EXPECT_TRUE(m_poster.posts.empty());
}

TEST_F(NativeMenuTest, CascadeSitsAgainstTheParentsRightEdgeLevelWithTheRowHalvesToEven) {
    struct Case {
        TwipsPerPixel tpp;
        double leftTwips;
        double topTwips;
        int32_t clientWidth;
        int32_t index;  // row top 4 + (index - 1) * 21; RowText.Y is 4
        int32_t top;
        int32_t left;
    };
    const Case cases[] = {
        {{15, 15}, 1500, 3000, 120, 1, 3000, 220},
        {{15, 15}, 562.5, 0.5, 100, 3, 630, 138},    // 137.5 -> 138, 630.5 -> 630
        {{15, 15}, 547.5, 1.5, 100, 3, 632, 136},    // 136.5 -> 136, 631.5 -> 632
        {{12, 12}, 1206, 2.5, 200, 2, 254, 300},     // 300.5 -> 300, 254.5 -> 254
        {{12, 12}, 1218, 100.25, 200, 1, 100, 302},  // 301.5 -> 302
        {{10, 7.5}, 0, 0, 50, 2, 158, 50},           // 157.5 -> 158
    };
    for (const Case& c : cases) {
        NativeMenu native(m_reader, m_poster, m_box, m_trace, m_layout, c.tpp);
        auto parent = Leaf("Cascade", -1, kWindow);
        parent->Children = {Leaf("x", 1, kWindow)};
        FakeDropDown menu;
        menu.leftTwips = c.leftTwips;
        menu.topTwips = c.topTwips;
        menu.clientWidth = c.clientWidth;
        native.OpenSubMenu(*parent, menu, c.index);
        ASSERT_NE(menu.child, nullptr);
        EXPECT_EQ(menu.child->shownTop, c.top) << c.leftTwips << " " << c.topTwips;
        EXPECT_EQ(menu.child->shownLeft, c.left) << c.leftTwips << " " << c.topTwips;
    }
}

TEST_F(NativeMenuTest, AFailedPostIsLoggedWithItsCodeAndOnlyCodeFiveIsQueued) {
    m_poster.result = {false, 1400};
    FakeDropDown menu;
    bool closeAll = false;
    m_native.HandleMenuItem(*Leaf("Save && Close", 40010, 65552), menu, 1, closeAll);
    EXPECT_TRUE(closeAll);
    EXPECT_EQ(LogLines(),
              std::vector<std::string>{
                  "1400,\"NativeMenu\",\"HandleMenuItem\",\"could not post command 40010 (Save && "
                  "Close) to window 65552 - if the code is 5 the target is running elevated and "
                  "Tarvik is not, which UIPI does not allow and nothing here can work around\""});
    EXPECT_EQ(m_native.PendingFailureWindow(), 0u);
    m_native.ShowPendingCommandFailure();
    EXPECT_TRUE(m_box.shown.empty());
}

TEST_F(NativeMenuTest, TwoRefusalsToOneWindowGiveOneLogLineAndOneBox) {
    m_poster.result = {false, 5};
    m_reader.titles[kWindow] = "Registry Editor";
    FakeDropDown menu;
    bool closeAll = false;
    m_native.HandleMenuItem(*Leaf("Refresh", 10, kWindow), menu, 1, closeAll);
    m_native.HandleMenuItem(*Leaf("Refresh", 10, kWindow), menu, 1, closeAll);
    EXPECT_EQ(LogLines().size(), 1u);
    EXPECT_EQ(m_native.PendingFailureWindow(), kWindow);

    m_native.ShowPendingCommandFailure();
    m_native.ShowPendingCommandFailure();
    ASSERT_EQ(m_box.shown.size(), 1u);
    EXPECT_EQ(m_box.shown[0].title, "Tarvik");
    EXPECT_EQ(m_box.shown[0].flags, 0x1030u);
    EXPECT_EQ(m_box.shown[0].text,
              "Windows would not let Tarvik run \"Refresh\" in Registry Editor.\r\n\r\n"
              "That program is running as an administrator and Tarvik is not, and Windows does "
              "not allow a program to send commands to one running with higher privileges. "
              "Tarvik can read its menus but cannot operate them.\r\n\r\n"
              "Either use that program's own menu bar, or start Tarvik as an administrator - "
              "right-click Tarvik.exe and choose \"Run as administrator\".\r\n\r\n"
              "Tarvik does not ask for administrator rights of its own accord, so this affects "
              "only programs that are themselves elevated.");

    // Reported once per run: a later refusal from the same window stays silent.
    m_native.HandleMenuItem(*Leaf("Refresh", 10, kWindow), menu, 1, closeAll);
    m_native.ShowPendingCommandFailure();
    EXPECT_EQ(m_box.shown.size(), 1u);
}

TEST_F(NativeMenuTest, OnlyTheLatestOfTwoWindowsIsReportedAndTheEarlierOneIsNotRemembered) {
    m_native.QueuePendingCommandFailure(100, "Open");
    m_native.QueuePendingCommandFailure(200, "Close");
    m_native.ShowPendingCommandFailure();
    ASSERT_EQ(m_box.shown.size(), 1u);
    EXPECT_EQ(FirstParagraph(m_box.shown[0].text),
              "Windows would not let Tarvik run \"Close\" in that application.");

    m_native.QueuePendingCommandFailure(200, "Close");
    EXPECT_EQ(m_native.PendingFailureWindow(), 0u);
    m_native.QueuePendingCommandFailure(100, "Open");
    m_native.ShowPendingCommandFailure();
    ASSERT_EQ(m_box.shown.size(), 2u);
    EXPECT_EQ(FirstParagraph(m_box.shown[1].text),
              "Windows would not let Tarvik run \"Open\" in that application.");
}

TEST_F(NativeMenuTest, ABoxThatCannotBeShownIsLoggedAndNotRetried) {
    m_box.fail = true;
    m_native.QueuePendingCommandFailure(kWindow, "Undo");
    m_native.ShowPendingCommandFailure();
    m_native.ShowPendingCommandFailure();
    EXPECT_EQ(m_box.shown.size(), 1u);
    EXPECT_EQ(m_native.PendingFailureWindow(), 0u);
    EXPECT_EQ(m_native.PendingFailureCaption(), "");
    EXPECT_EQ(LogLines(), std::vector<std::string>{"1400,\"NativeMenu\","
                                                   "\"ShowPendingCommandFailure\",\"Invalid "
                                                   "window handle.\""});
}

}  // namespace
}  // namespace tarvik
