#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/menus/AccessibleMenuWalker.h"

namespace tarvik::test {
namespace {

using namespace access;
using Walker = AccessibleMenuWalker;

// A tree of elements in memory; the number of questions asked is counted.
struct Node {
    int32_t role = 0;
    uint32_t state = 0;
    std::string name;
    std::vector<Node> children;
};

class TreeElement final : public IAccessibleElement {
  public:
    TreeElement(const Node& node, int& asked) : m_node(node), m_asked(asked) {}
    int32_t Role() const override { return ++m_asked, m_node.role; }
    uint32_t State() const override { return ++m_asked, m_node.state; }
    std::string Name() const override { return ++m_asked, m_node.name; }
    int32_t ChildCount() const override {
        return ++m_asked, static_cast<int32_t>(m_node.children.size());
    }
    std::unique_ptr<IAccessibleElement> Child(int32_t number) const override {
        ++m_asked;
        if (number < 1 || number > static_cast<int32_t>(m_node.children.size())) return nullptr;
        return std::make_unique<TreeElement>(m_node.children[static_cast<size_t>(number) - 1],
                                             m_asked);
    }
    bool DoDefaultAction() override { return false; }

  private:
    const Node& m_node;
    int& m_asked;
};

TEST(AccessibleMenuBarPath, TheBarIsFoundAgainWhereItWasOnlyWhileItIsStillThere) {
    // A page with a toolbar and a hidden menu bar before the shown one, as a browser has.
    const Node window{kRoleClient,
                      0,
                      "window",
                      {{0x14,
                        0,
                        "pane",
                        {{0x16, 0, "toolbar", {}},
                         {kRoleMenuBar, kStateInvisible, "hidden bar", {}},
                         {kRoleMenuBar, 0, "bar", {}}}},
                       {kRoleMenuItem, 0, "loose item", {}}}};
    int asked = 0;
    const TreeElement root(window, asked);
    AccessPath found;
    const auto searched = Walker::FindMenuBar(std::make_unique<TreeElement>(window, asked), &found);
    ASSERT_TRUE(searched);
    EXPECT_EQ(searched->Name(), "bar");
    EXPECT_EQ(found, (AccessPath{1, 3}));
    const int searchCost = asked;

    const struct {
        AccessPath path;
        const char* bar;  // the bar found there, or none
    } cases[] = {
        {{1, 3}, "bar"},   {{1, 1}, nullptr},  // the program moved things: a toolbar is there now
        {{1, 2}, nullptr},                     // a menu bar, but hidden
        {{1, 4}, nullptr},                     // past the end
        {{2}, nullptr},                        // no menu bar role
        {{0, 3}, nullptr}, {{-1}, nullptr},
    };
    for (const auto& test : cases) {
        asked = 0;
        const auto bar = Walker::MenuBarAt(root, test.path);
        EXPECT_EQ(bar ? bar->Name() : "none", test.bar ? test.bar : "none")
            << ::testing::PrintToString(test.path);
        // Going straight there costs less than the search did.
        EXPECT_LT(asked, searchCost) << ::testing::PrintToString(test.path);
    }
}

}  // namespace
}  // namespace tarvik::test
