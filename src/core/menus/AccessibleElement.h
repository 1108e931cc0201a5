#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvik {

// Where an element sits below a menu bar: the 1-based child number at each level, the menu bar's
// own child first. Drop-down panes between a title and its rows count as a level.
using AccessPath = std::vector<int32_t>;

// Roles and states of the accessibility interface that menus are told apart by.
namespace access {
inline constexpr int32_t kRoleClient = 0x0A;
inline constexpr int32_t kRoleMenuBar = 0x02;
inline constexpr int32_t kRoleMenuPopup = 0x0B;
inline constexpr int32_t kRoleMenuItem = 0x0C;
inline constexpr int32_t kRoleSeparator = 0x15;
inline constexpr int32_t kRoleCheckButton = 0x2C;
inline constexpr int32_t kRoleRadioButton = 0x2D;
inline constexpr int32_t kRoleSplitButton = 0x3E;

inline constexpr uint32_t kStateUnavailable = 0x1;
inline constexpr uint32_t kStateChecked = 0x10;
inline constexpr uint32_t kStateMixed = 0x20;
inline constexpr uint32_t kStateExpanded = 0x200;
inline constexpr uint32_t kStateCollapsed = 0x400;
inline constexpr uint32_t kStateInvisible = 0x8000;
inline constexpr uint32_t kStateHasPopup = 0x40000000;
}  // namespace access

// One element of another program's accessibility tree, as far as menus need it. Every answer
// comes from the other program: a failed call gives 0, an empty name, no child, or false.
class IAccessibleElement {
  public:
    virtual ~IAccessibleElement() = default;

    virtual int32_t Role() const = 0;
    virtual uint32_t State() const = 0;
    virtual std::string Name() const = 0;
    virtual int32_t ChildCount() const = 0;
    // The 1-based child, or null when there is none or it is not an element of its own.
    virtual std::unique_ptr<IAccessibleElement> Child(int32_t number) const = 0;
    // Opens a menu title, closes an open one, or runs a menu entry; false when refused.
    virtual bool DoDefaultAction() = 0;
};

}  // namespace tarvik
