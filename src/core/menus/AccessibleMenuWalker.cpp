#include "core/menus/AccessibleMenuWalker.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

#include "core/menus/MenuCaption.h"

namespace tarvik {

namespace {

using Element = std::unique_ptr<IAccessibleElement>;

int32_t ChildrenOf(const IAccessibleElement& element) {
    return std::clamp(element.ChildCount(), 0, AccessibleMenuWalker::kMaxChildren);
}

// An entry whose rows the program builds only while it is open.
bool OpensOnDemand(uint32_t state) {
    return (state & (access::kStateHasPopup | access::kStateCollapsed)) != 0 &&
           (state & access::kStateExpanded) == 0;
}

class RowReader {
  public:
    explicit RowReader(WindowHandle window) : m_window(window) {}

    // The rows below element (its own entries, and those of panes right under it).
    MenuItemList Rows(const IAccessibleElement& element, const AccessPath& path, int32_t depth) {
        MenuItemList rows;
        if (depth > AccessibleMenuWalker::kMaxRowDepth) return rows;
        const int32_t count = ChildrenOf(element);
        for (int32_t number = 1; number <= count && m_elementsLeft > 0; ++number) {
            --m_elementsLeft;
            const Element child = element.Child(number);
            if (!child) continue;
            // The role first: what is no menu entry needs no more questions.
            const int32_t role = child->Role();
            if (AccessibleMenuWalker::KindOf(role, 0) == AccessibleMenuWalker::Kind::Skip) continue;
            AccessPath childPath = path;
            childPath.push_back(number);
            const uint32_t state = child->State();
            switch (AccessibleMenuWalker::KindOf(role, state)) {
                case AccessibleMenuWalker::Kind::Skip:
                    break;
                case AccessibleMenuWalker::Kind::Pane:
                    for (auto& row : Rows(*child, childPath, depth + 1)) rows.push_back(row);
                    break;
                case AccessibleMenuWalker::Kind::Separator:
                    rows.push_back(Separator(std::move(childPath)));
                    break;
                case AccessibleMenuWalker::Kind::Row:
                    if (auto row = Row(*child, state, std::move(childPath), depth)) {
                        rows.push_back(std::move(row));
                    }
                    break;
            }
        }
        return rows;
    }

    // The rows of an entry, opening it first (and closing it after) when it shows none until
    // it is open.
    MenuItemList RowsOfEntry(IAccessibleElement& entry, uint32_t state, const AccessPath& path,
                             int32_t depth) {
        MenuItemList rows = Rows(entry, path, depth + 1);
        if (!rows.empty() || !OpensOnDemand(state) || !entry.DoDefaultAction()) return rows;
        rows = Rows(entry, path, depth + 1);
        entry.DoDefaultAction();
        return rows;
    }

  private:
    std::shared_ptr<MenuItem> Separator(AccessPath path) const {
        auto row = std::make_shared<MenuItem>();
        row->IsSeparator = true;
        row->hWnd = m_window;
        row->AccessiblePath = std::move(path);
        return row;
    }

    std::shared_ptr<MenuItem> Row(IAccessibleElement& entry, uint32_t state, AccessPath path,
                                  int32_t depth) {
        auto row = std::make_shared<MenuItem>();
        CaptionParts caption = SplitMenuCaption(entry.Name());
        row->text = std::move(caption.text);
        row->AccessKey = std::move(caption.accessKey);
        row->AcceleratorText = std::move(caption.accelerator);
        // Like a Win32 menu entry without text: nothing to show.
        if (row->text.empty()) return nullptr;
        row->IsEnabled = (state & access::kStateUnavailable) == 0;
        row->IsChecked = (state & (access::kStateChecked | access::kStateMixed)) != 0;
        row->hWnd = m_window;
        if (row->IsEnabled) row->Children = RowsOfEntry(entry, state, path, depth);
        row->AccessiblePath = std::move(path);
        return row;
    }

    WindowHandle m_window;
    int32_t m_elementsLeft = AccessibleMenuWalker::kMaxRowElements;
};

}  // namespace

AccessibleMenuWalker::Kind AccessibleMenuWalker::KindOf(int32_t role, uint32_t state) {
    if ((state & access::kStateInvisible) != 0) return Kind::Skip;
    switch (role) {
        case access::kRoleMenuItem:
        case access::kRoleCheckButton:
        case access::kRoleRadioButton:
        case access::kRoleSplitButton:
            return Kind::Row;
        case access::kRoleSeparator:
            return Kind::Separator;
        case access::kRoleMenuPopup:
            return Kind::Pane;
        default:
            return Kind::Skip;
    }
}

namespace {

bool IsShownMenuBar(const IAccessibleElement& element) {
    return element.Role() == access::kRoleMenuBar &&
           (element.State() & access::kStateInvisible) == 0;
}

}  // namespace

std::unique_ptr<IAccessibleElement> AccessibleMenuWalker::FindMenuBar(Element root,
                                                                      AccessPath* found) {
    // Each element with where it is below root (its depth is the length of that).
    std::deque<std::pair<Element, AccessPath>> queue;
    if (root) queue.emplace_back(std::move(root), AccessPath{});
    int32_t reached = 1;
    while (!queue.empty()) {
        auto [element, path] = std::move(queue.front());
        queue.pop_front();
        if (IsShownMenuBar(*element)) {
            if (found != nullptr) *found = std::move(path);
            return std::move(element);
        }
        if (static_cast<int32_t>(path.size()) >= kMaxSearchDepth) continue;
        const int32_t count = ChildrenOf(*element);
        for (int32_t number = 1; number <= count && reached < kMaxSearchElements; ++number) {
            ++reached;
            if (Element child = element->Child(number)) {
                AccessPath childPath = path;
                childPath.push_back(number);
                queue.emplace_back(std::move(child), std::move(childPath));
            }
        }
    }
    return nullptr;
}

std::unique_ptr<IAccessibleElement> AccessibleMenuWalker::MenuBarAt(const IAccessibleElement& root,
                                                                    const AccessPath& path) {
    if (path.empty() || static_cast<int32_t>(path.size()) > kMaxSearchDepth) return nullptr;
    // Straight down, without asking how many children there are: a number past the end gives
    // no child.
    Element element;
    for (const int32_t number : path) {
        if (number < 1 || number > kMaxChildren) return nullptr;
        element = (element ? *element : root).Child(number);
        if (!element) return nullptr;
    }
    return IsShownMenuBar(*element) ? std::move(element) : nullptr;
}

MenuItemList AccessibleMenuWalker::ReadTitles(const IAccessibleElement& bar, WindowHandle window) {
    MenuItemList titles;
    const int32_t count = ChildrenOf(bar);
    for (int32_t number = 1; number <= count; ++number) {
        // Each answer is a call into the other program: every one is asked once, and only what
        // the answers before it leave open (the role first, the state of entries, the name of
        // those shown).
        const Element child = bar.Child(number);
        if (!child) continue;
        const int32_t role = child->Role();
        if (KindOf(role, 0) != Kind::Row) continue;
        const uint32_t state = child->State();
        if (KindOf(role, state) != Kind::Row) continue;
        auto title = std::make_shared<MenuItem>();
        title->text = MenuCaption(child->Name());
        if (title->text.empty()) continue;
        title->IsEnabled = (state & access::kStateUnavailable) == 0;
        title->hWnd = window;
        title->AccessiblePath = {number};
        titles.push_back(std::move(title));
    }
    return titles;
}

MenuItemList AccessibleMenuWalker::ReadRows(const IAccessibleElement& bar, const AccessPath& path,
                                            WindowHandle window) {
    std::vector<Element> chain;
    const IAccessibleElement* at = &bar;
    for (const int32_t number : path) {
        if (number < 1 || number > ChildrenOf(*at)) return {};
        chain.push_back(at->Child(number));
        if (!chain.back()) return {};
        at = chain.back().get();
    }
    if (chain.empty()) return {};
    RowReader reader(window);
    return reader.RowsOfEntry(*chain.back(), chain.back()->State(), path, 0);
}

bool AccessibleMenuWalker::Invoke(const IAccessibleElement& bar, const AccessPath& path,
                                  const std::string& text) {
    // Entries this walk opened, innermost last, closed again when the walk fails.
    std::vector<IAccessibleElement*> opened;
    const auto fail = [&opened] {
        for (auto it = opened.rbegin(); it != opened.rend(); ++it) (*it)->DoDefaultAction();
        return false;
    };
    std::vector<Element> chain;
    const IAccessibleElement* at = &bar;
    IAccessibleElement* entry = nullptr;  // the nearest entry above the current element
    for (const int32_t number : path) {
        if (number < 1) return fail();
        // A title or cascade whose rows are missing until it is open is opened once.
        if (ChildrenOf(*at) < number && entry != nullptr &&
            opened.end() == std::find(opened.begin(), opened.end(), entry) &&
            OpensOnDemand(entry->State()) && entry->DoDefaultAction()) {
            opened.push_back(entry);
        }
        if (ChildrenOf(*at) < number) return fail();
        chain.push_back(at->Child(number));
        if (!chain.back()) return fail();
        if (KindOf(chain.back()->Role(), 0) == Kind::Row) entry = chain.back().get();
        at = chain.back().get();
    }
    if (chain.empty() || entry != at || MenuCaption(at->Name()) != text) return fail();
    if (!chain.back()->DoDefaultAction()) return fail();
    return true;
}

}  // namespace tarvik
