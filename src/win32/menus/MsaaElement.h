#pragma once

#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

#include <memory>
#include <string>
#include <vector>

#include "core/menus/AccessibleElement.h"

namespace tarvik {

// One element of another program's accessibility tree through IAccessible: an object of its
// own, or one of an object's simple children (numbered, with no children of their own).
//
// Each object of another program reached here is a proxy, and making one costs several calls
// into that program; a proxy of the same object that is still held makes the next one almost
// free. So every object reached is also put in the given keeper (when there is one), which the
// caller holds on to between reads of the same window.
class MsaaElement final : public IAccessibleElement {
  public:
    using Keeper = std::vector<Microsoft::WRL::ComPtr<IAccessible>>;
    // A keeper holds at most this many objects: enough for a large menu bar with its rows.
    static constexpr size_t kMaxKept = 4000;

    MsaaElement(Microsoft::WRL::ComPtr<IAccessible> object, long childId, Keeper* keeper = nullptr);

    // The client element of a window, or null when the window offers none.
    static std::unique_ptr<MsaaElement> FromWindow(HWND window, Keeper* keeper = nullptr);

    int32_t Role() const override;
    uint32_t State() const override;
    std::string Name() const override;
    int32_t ChildCount() const override;
    std::unique_ptr<IAccessibleElement> Child(int32_t number) const override;
    bool DoDefaultAction() override;

  private:
    VARIANT Self() const;

    Microsoft::WRL::ComPtr<IAccessible> m_object;
    long m_childId;
    Keeper* m_keeper;
};

}  // namespace tarvik
