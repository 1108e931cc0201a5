// Reads arbitrary bytes as another program's accessibility tree: every element's role, state,
// name, number of children and whether it answers are taken from the bytes, so the tree can be
// endless, hang children under themselves, claim any number of children and give any text.
// The menu walker must end, stay within its bounds, and leave nothing open that it opened.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "core/menus/AccessibleMenuWalker.h"

namespace {

using namespace tarvik;
using namespace tarvik::access;
using Walker = AccessibleMenuWalker;

struct Tree {
    const uint8_t* data;
    size_t size;
    std::set<uint64_t> open;

    uint8_t At(uint64_t id, uint64_t field) const {
        return size == 0 ? 0 : data[(id * 31 + field * 7) % size];
    }
};

// Every answer of an element is a byte picked by its id and by the question.
struct Element final : IAccessibleElement {
    Element(Tree& owner, uint64_t key) : tree(owner), id(key) {}
    uint8_t At(uint64_t field) const { return tree.At(id, field); }
    bool Lazy() const { return At(9) % 3 == 0; }
    bool IsOpen() const { return tree.open.contains(id); }

    int32_t Role() const override {
        static constexpr int32_t kRoles[] = {
            0,           kRoleMenuBar,     kRoleMenuPopup,   kRoleMenuItem,    kRoleSeparator,
            kRoleClient, kRoleCheckButton, kRoleRadioButton, kRoleSplitButton, -1};
        return kRoles[At(0) % std::size(kRoles)];
    }
    uint32_t State() const override {
        const uint32_t state = static_cast<uint32_t>(At(1)) << 24 | At(2) << 8 | At(3);
        return Lazy() ? state | kStateHasPopup | (IsOpen() ? kStateExpanded : kStateCollapsed)
                      : state;
    }
    std::string Name() const override {
        std::string name;
        for (size_t i = 0; i < At(4) % 24u; ++i) name += static_cast<char>(At(10 + i));
        return name;
    }
    int32_t ChildCount() const override {
        if (Lazy() && !IsOpen()) return 0;
        // Now and then a count no program could have, or a negative one.
        const uint8_t kind = At(5) % 8;
        return kind == 0 ? INT32_MAX : kind == 1 ? -1 : At(6) % 12;
    }
    std::unique_ptr<IAccessibleElement> Child(int32_t number) const override {
        if (number < 1 || tree.At(id + static_cast<uint64_t>(number), 7) == 0) return nullptr;
        return std::make_unique<Element>(tree, id * 1000003 + static_cast<uint64_t>(number));
    }
    bool DoDefaultAction() override {
        if (At(8) % 5 == 0) return false;
        if (Lazy() && !tree.open.erase(id)) tree.open.insert(id);
        return true;
    }

    Tree& tree;
    uint64_t id;
};

size_t Count(const MenuItemList& rows, int32_t depth) {
    if (depth > Walker::kMaxRowDepth + 1) std::abort();
    size_t count = rows.size();
    for (const auto& row : rows) count += Count(row->Children, depth + 1);
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Tree tree{data, size, {}};
    AccessPath found;
    auto bar = Walker::FindMenuBar(std::make_unique<Element>(tree, 1), &found);
    if (!bar) return 0;
    // The way back to the bar is within the search's bounds, and leads to a menu bar again.
    if (static_cast<int32_t>(found.size()) > Walker::kMaxSearchDepth) std::abort();
    if (!found.empty() && !Walker::MenuBarAt(Element(tree, 1), found)) std::abort();
    const MenuItemList titles = Walker::ReadTitles(*bar, 7);
    if (titles.size() > Walker::kMaxChildren || !tree.open.empty()) std::abort();
    for (const auto& title : titles) {
        const MenuItemList rows = Walker::ReadRows(*bar, title->AccessiblePath, 7);
        if (Count(rows, 1) > Walker::kMaxRowElements || !tree.open.empty()) std::abort();
        for (const auto& row : rows) {
            const bool ran = Walker::Invoke(*bar, row->AccessiblePath, row->text);
            if (!ran && !tree.open.empty()) std::abort();
            tree.open.clear();
        }
    }
    return 0;
}
