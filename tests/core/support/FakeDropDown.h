#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "core/menus/IDropDownMenu.h"

namespace tarvik::test {

// A drop-down window in memory at (100, 50), 120 wide, with rows 21 high from y 4. It remembers
// what it was asked to show and where, and the cascade it opened.
class FakeDropDown final : public IDropDownMenu {
  public:
    std::vector<std::pair<const MenuItemList*, ScreenPoint>> shown;
    bool visible = false;
    int hides = 0;
    int childrenClosed = 0;
    std::unique_ptr<FakeDropDown> child;
    int32_t hotRow = 0;

    void ShowList(const MenuItemList& items, ScreenPoint at) override {
        shown.emplace_back(&items, at);
        visible = true;
        hotRow = 0;  // a new list has no hot row yet
    }
    bool IsVisible() const override { return visible; }
    void Hide() override {
        ++hides;
        visible = false;
    }
    void closeMe() override { visible = false; }
    void closeAncestors() override { visible = false; }
    void ShowHotRow(int32_t index) override { hotRow = index; }
    int32_t HotRow() const override { return hotRow; }
    int32_t RowTop(int32_t index) const override { return 4 + (index - 1) * 21; }
    ListPlacement Position() const override { return {100, 50}; }
    int32_t ClientWidth() const override { return 120; }
    IDropDownMenu* ChildMenu() const override { return child.get(); }
    IDropDownMenu& OpenChildMenu() override {
        child = std::make_unique<FakeDropDown>();
        return *child;
    }
    void CloseChildMenu() override {
        ++childrenClosed;
        child.reset();
    }
};

}  // namespace tarvik::test
