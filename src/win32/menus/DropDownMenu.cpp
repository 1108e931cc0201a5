#include "win32/menus/DropDownMenu.h"

#include <windowsx.h>

#include <algorithm>
#include <string_view>

#include "core/app/Error.h"
#include "core/app/LogException.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "DropDownMenu";
// Posted to a window whose closed cascades wait to be freed.
constexpr UINT kFreeRetiredMessage = WM_APP + 0x31;

// Counts the calls of one object that are running, so that a closed cascade is freed only when
// none of its code is on the stack.
class BusyScope {
  public:
    explicit BusyScope(int& count) : m_count(count) { ++m_count; }
    ~BusyScope() { --m_count; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    int& m_count;
};

}  // namespace

DropDownMenu::DropDownMenu(const DropDownServices& services, DropDownMenu* parent)
    : BaseWindow(WindowGuard{&services.trace, kSource, "WndProc", true}),
      m_services(services),
      m_list(services.theme, services.brushes, services.trace),
      m_parent(parent),
      m_surface(services.surfaces, services.composition, services.theme.Glass) {}

DropDownMenu::~DropDownMenu() {
    Unload();
    m_child.reset();
    ReleaseRetired(true);
}

// Creates the window, hidden, and routes its messages to this object.
void DropDownMenu::Load() {
    if (!CreateBaseWindow({kClassName, CS_DBLCLKS}, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"", WS_POPUP,
                          RECT{})) {
        throw Error(static_cast<int32_t>(GetLastError()), "the drop-down window could not be made");
    }
    m_services.subclass.HookWindow(Handle(), *this);
}

void DropDownMenu::Unload() {
    if (!Handle()) return;
    m_shown = false;
    m_tracking = false;
    WindowSubclass::UnhookWindow(Handle());
    if (m_child) {
        m_child->Unload();
        DetachChild();
    }
    m_surface.Release();
    DestroyBaseWindow();
}

void DropDownMenu::ShowList(const MenuItemList& items, ScreenPoint at) {
    ReleaseRetired(false);
    if (m_list.Shows(items) && IsVisible()) return;
    RunLogged(m_services.trace, kSource, "ShowList", false, [&] {
        if (m_child) m_child->closeMe();
        m_list.SetItems(items);
        m_size = m_list.WindowSize(items);
        m_place =
            PlaceDropDown(at, m_size, GetSystemMetrics(SM_CXSCREEN), m_services.twipsPerPixel);
        if (!Handle()) Load();
        const HWND window = Handle();
        SetWindowPos(window, HWND_TOPMOST, m_place.left, m_place.top, m_size.width, m_size.height,
                     SWP_NOACTIVATE);
        m_surface.Create(window, m_size.width, m_size.height);
        Repaint();
        if (!IsWindowVisible(window)) ShowWindow(window, m_quiet ? SW_SHOWNA : SW_SHOW);
        m_shown = true;
    });
}

bool DropDownMenu::IsVisible() const {
    return Handle() && IsWindowVisible(Handle());
}

void DropDownMenu::Hide() {
    // An open cascade goes out of sight with the window that opened it.
    if (m_child) m_child->Hide();
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

void DropDownMenu::ShowHotRow(int32_t index) {
    m_list.SetHotIndex(index);
    Repaint();
}

void DropDownMenu::DrawListText() {
    if (m_surface.Ready()) m_list.DrawListText(m_surface.Graphics(), m_size.width);
}

void DropDownMenu::Repaint() {
    if (!Handle() || !m_surface.Ready()) return;
    RunLogged(m_services.trace, kSource, "Repaint", true, [this] {
        m_list.Paint(m_surface.Graphics(), m_size.width, m_size.height, m_surface.GlassApplied());
        m_surface.Push(Handle());
    });
}

IDropDownMenu& DropDownMenu::OpenChildMenu() {
    ReleaseRetired(false);
    if (m_child) {
        m_child->Unload();
        DetachChild();
    }
    m_child = std::make_unique<DropDownMenu>(m_services, this);
    m_child->m_quiet = m_quiet;
    return *m_child;
}

void DropDownMenu::CloseChildMenu() {
    if (m_child) m_child->closeMe();
    DetachChild();
}

void DropDownMenu::DetachChild() {
    if (!m_child) return;
    m_child->m_parent = nullptr;
    m_retired.push_back(std::move(m_child));
    if (Handle()) PostMessageW(Handle(), kFreeRetiredMessage, 0, 0);
}

void DropDownMenu::ReleaseRetired(bool all) {
    std::erase_if(m_retired, [all](const auto& child) { return all || !child->IsBusy(); });
}

bool DropDownMenu::IsBusy() const {
    if (m_busy > 0 || (m_child && m_child->IsBusy())) return true;
    return std::any_of(m_retired.begin(), m_retired.end(),
                       [](const auto& child) { return child->IsBusy(); });
}

void DropDownMenu::closeMe() {
    Close(false);
}

void DropDownMenu::closeAncestors() {
    Close(true);
}

// Hides and empties this window and drops its cascade; with ancestors, the windows above it
// close too. Closed is raised only by a window that was open, so a window told twice (by the
// deactivation and by the switch to another program) reports once.
void DropDownMenu::Close(bool ancestors) {
    const bool wasOpen = m_shown || m_list.HasList();
    // Hiding may hand the activation on at once: the messages that brings find this window
    // closed already and its cascade gone.
    m_shown = false;
    m_list.Clear();
    if (m_child) {
        m_child->Unload();
        DetachChild();
    }
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
    if (DropDownMenu* parent = m_parent) {
        if (ancestors) parent->closeAncestors();
        if (m_parent == parent) parent->DetachChild();
    }
    if (wasOpen && Closed) Closed();
}

void DropDownMenu::ClearHot() {
    m_list.ClearHot();
    Repaint();
}

// A window whose cascade is open stays open: the cascade took the activation.
void DropDownMenu::DeactivationRule() {
    if (!m_shown || m_child) return;
    if (m_parent) m_parent->closeAncestors();
    closeMe();
}

void DropDownMenu::OnMouseMove(int32_t y) {
    if (!m_tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        m_tracking = TrackMouseEvent(&track) != FALSE;
    }
    switch (m_list.MouseMove(y)) {
        case DropDownList::MoveOutcome::Nothing:
            break;
        case DropDownList::MoveOutcome::Repaint:
            Repaint();
            break;
        case DropDownList::MoveOutcome::Hover: {
            const std::shared_ptr<MenuItem> item = m_list.HotItem();
            Repaint();
            m_services.actions.HoverMenuItem(*item, *this, m_list.HotIndex());
            break;
        }
    }
}

void DropDownMenu::OnMouseDown() {
    if (m_list.MouseDown()) Repaint();
}

void DropDownMenu::OnMouseUp() {
    const std::shared_ptr<MenuItem> item = m_list.PressedItem();
    if (!item) return;
    m_services.actions.HandleMenuItem(*item, *this, m_list.PressedIndex());
    DeactivationRule();
}

// The window goes away; the object stays and makes it again on the next ShowList. Whoever
// waits for the window to close hears of it, and the window above forgets it as its cascade, so
// that it closes normally once it is deactivated.
void DropDownMenu::OnDoubleClick() {
    const bool wasOpen = m_shown;
    Unload();
    if (m_parent) m_parent->DetachChild();
    if (wasOpen && Closed) Closed();
}

LRESULT DropDownMenu::IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                           LPARAM& lParam) {
    const BusyScope busy(m_busy);
    if (message == WM_ACTIVATEAPP && wParam == FALSE) {
        closeMe();
    } else if (message == WM_MOUSELEAVE) {
        m_tracking = false;
        ClearHot();
    }
    return WindowSubclass::CallOldWindowProc(window, message, wParam, lParam);
}

// The window is going: its surface goes with it; the object stays and can load it again.
void DropDownMenu::OnWindowGone() {
    m_surface.Release();
    m_services.surfaces.Forget(Handle());
    m_shown = false;
}

LRESULT DropDownMenu::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const BusyScope busy(m_busy);
    switch (message) {
        case WM_MOUSEMOVE:
            OnMouseMove(GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            OnMouseDown();
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            OnMouseUp();
            return 0;
        case WM_LBUTTONDBLCLK:
            OnDoubleClick();
            return 0;
        case WM_MOUSEACTIVATE:
            // A click leaves the activation where it is: pressing a row of a window whose
            // cascade is open must not deactivate (and so close) that cascade.
            return MA_NOACTIVATE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) DeactivationRule();
            break;
        case kFreeRetiredMessage:
            ReleaseRetired(false);
            return 0;
        default:
            break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

}  // namespace tarvik
