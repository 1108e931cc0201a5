#pragma once

#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "core/menus/AccessibleElement.h"

namespace tarvik {

// One element of another program's accessibility tree through IAccessible: an object of its
// own, or one of an object's simple children (numbered, with no children of their own).
class MsaaElement final : public IAccessibleElement {
  public:
    MsaaElement(Microsoft::WRL::ComPtr<IAccessible> object, long childId);

    // The client element of a window, or null when the window offers none.
    static std::unique_ptr<MsaaElement> FromWindow(HWND window);

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
};

}  // namespace tarvik
