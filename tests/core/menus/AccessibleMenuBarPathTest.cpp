#include <gtest/gtest.h>

#include "core/menus/AccessibleMenuWalker.h"

namespace tarvik::test {
namespace {

// A tree of elements in memory; every question asked is counted.
struct Node {
    int32_t role = 0;
    uint32_t state = 0;
    std::string name;
    std::vector<Node> children;
};
struct TreeElement final : IAccessibleElement {
    TreeElement(const Node& node, int& asked) : node(node), asked(asked) {}
    int32_t Role() const override { return ++asked, node.role; }
    uint32_t State() const override { return ++asked, node.state; }
    std::string Name() const override { return node.name; }
    int32_t ChildCount() const override {
        return ++asked, static_cast<int32_t>(node.children.size());
    }
    std::unique_ptr<IAccessibleElement> Child(int32_t number) const override {
        if (++asked, number < 1 || number > ChildCount()) return nullptr;
        return std::make_unique<TreeElement>(node.children[static_cast<size_t>(number) - 1], asked);
    }
    bool DoDefaultAction() override { return false; }
    const Node& node;
    int& asked;
};

TEST(AccessibleMenuBarPath, TheBarIsFoundAgainWhereItWasOnlyWhileItIsStillThere) {
    using namespace access;
    // A toolbar and a hidden menu bar before the shown one, and an entry outside any bar.
    const Node window{kRoleClient,
                      0,
                      "window",
                      {{0x14,
                        0,
                        "pane",
                        {{0x16, 0, "toolbar", {}},
                         {kRoleMenuBar, kStateInvisible, "hidden", {}},
                         {kRoleMenuBar, 0, "bar", {}}}},
                       {kRoleMenuItem, 0, "entry", {}}}};
    int asked = 0;
    AccessPath found;
    ASSERT_EQ(
        AccessibleMenuWalker::FindMenuBar(std::make_unique<TreeElement>(window, asked), &found)
            ->Name(),
        "bar");
    EXPECT_EQ(found, (AccessPath{1, 3}));
    const int searchCost = std::exchange(asked, 0);
    // Where the bar was found before, and where the program may have moved things since.
    const std::pair<AccessPath, std::string> cases[] = {
        {{1, 3}, "bar"}, {{1, 1}, "none"}, {{1, 2}, "none"}, {{1, 4}, "none"},
        {{2}, "none"},   {{0, 3}, "none"}, {{}, "none"},
    };
    for (const auto& [path, expected] : cases) {
        asked = 0;
        const auto bar = AccessibleMenuWalker::MenuBarAt(TreeElement(window, asked), path);
        EXPECT_EQ(bar ? bar->Name() : "none", expected) << ::testing::PrintToString(path);
        EXPECT_LT(asked, searchCost) << ::testing::PrintToString(path);
    }
}

}  // namespace
}  // namespace tarvik::test
