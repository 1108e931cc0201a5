#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/app/Trace.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/menus/DropDownList.h"
#include "core/menus/IDropDownMenu.h"
#include "core/menus/MenuRowActions.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"
#include "win32/bar/PopupSurface.h"
#include "win32/bar/WindowComposition.h"
#include "win32/platform/BaseWindow.h"
#include "win32/platform/IWndProcSink.h"
#include "win32/platform/LayeredWindow.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/platform/WindowSubclass.h"

namespace tarvik {

// Everything a drop-down and its cascades use; all of it must outlive them.
struct DropDownServices {
    const Theme& theme;
    Brushes& brushes;
    Trace& trace;
    LayeredWindow& surfaces;
    const WindowComposition& composition;
    WindowSubclass& subclass;
    IMenuRowActions& actions;
    TwipsPerPixel twipsPerPixel;
};

// The popup window that lists one menu's rows: a borderless, topmost tool window painted as a
// per-pixel-alpha layered window with the glass background. It highlights the row under the
// pointer, opens and closes cascades on hover, hands a released row to the row actions, and
// closes itself, its cascade and the windows above it when an item is picked, the user clicks
// elsewhere or another program becomes active. It handles no keys itself: the keyboard works
// the menus through the bar, which moves the hot row and the cascades here.
//
// The object outlives its window: a double-click destroys the window, and the next ShowList
// creates it again. A cascade belongs to the window that opened it.
class DropDownMenu final : public IDropDownMenu, private IWndProcSink, private BaseWindow {
  public:
    static constexpr const wchar_t* kClassName = L"Tarvik_DropDownMenu";

    explicit DropDownMenu(const DropDownServices& services, DropDownMenu* parent = nullptr);
    ~DropDownMenu() override;
    DropDownMenu(const DropDownMenu&) = delete;
    DropDownMenu& operator=(const DropDownMenu&) = delete;

    // Raised whenever the window closes (closeMe or closeAncestors) after having been open.
    std::function<void()> Closed;

    void ShowList(const MenuItemList& items, ScreenPoint at) override;
    bool IsVisible() const override;
    void Hide() override;
    void closeMe() override;
    void closeAncestors() override;

    void ShowHotRow(int32_t index) override;
    int32_t HotRow() const override { return m_list.HotItem() ? m_list.HotIndex() : 0; }
    int32_t RowTop(int32_t index) const override { return m_list.RowTop(index); }
    ListPlacement Position() const override { return m_place; }
    int32_t ClientWidth() const override { return m_size.width; }

    IDropDownMenu* ChildMenu() const override { return m_child.get(); }
    IDropDownMenu& OpenChildMenu() override;
    void CloseChildMenu() override;

    // While the keyboard works the menus, the window that took the keys keeps the activation:
    // this window and the cascades it opens show without taking it.
    void SetShowWithoutActivating(bool quiet) { m_quiet = quiet; }

    // The open cascade, if any.
    DropDownMenu* ChildDropDown() const { return m_child.get(); }

    // Paints the rows; Repaint paints the whole window and shows it.
    void DrawListText();
    void Repaint();
    // Destroys the window (unhooked first, with its cascade); the object stays usable.
    void Unload();

    // Null while the window is not loaded.
    HWND Handle() const { return BaseWindow::Handle(); }
    bool Shown() const { return m_shown; }
    const DropDownList& List() const { return m_list; }

  private:
    LRESULT IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                 LPARAM& lParam) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

    void Load();
    void OnMouseMove(int32_t y);
    void OnMouseDown();
    void OnMouseUp();
    void OnDoubleClick();
    void DeactivationRule();
    void Close(bool ancestors);
    void ClearHot();
    // Forgets the cascade; it is freed once none of its code is running.
    void DetachChild();
    void ReleaseRetired(bool all);
    bool IsBusy() const;

    DropDownServices m_services;
    DropDownList m_list;
    DropDownMenu* m_parent;
    std::unique_ptr<DropDownMenu> m_child;
    std::vector<std::unique_ptr<DropDownMenu>> m_retired;

    PopupSurface m_surface;
    ListSize m_size;
    ListPlacement m_place;
    bool m_shown = false;
    bool m_quiet = false;
    bool m_tracking = false;
    int m_busy = 0;  // window procedure calls of this object on the stack
};

}  // namespace tarvik
