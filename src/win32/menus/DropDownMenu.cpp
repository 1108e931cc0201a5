#include "win32/menus/DropDownMenu.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <string_view>

#include "core/app/Error.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "DropDownMenu";
constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultTwipsPerPixel = 15.0;
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

double TwipsFromDpi(int dpi) {
    return dpi > 0 ? kTwipsPerInch / dpi : kDefaultTwipsPerPixel;
}

}  // namespace

TwipsPerPixel ScreenTwipsPerPixel() {
    const HDC screen = GetDC(nullptr);
    if (!screen) return {};
    const TwipsPerPixel result{TwipsFromDpi(GetDeviceCaps(screen, LOGPIXELSX)),
                               TwipsFromDpi(GetDeviceCaps(screen, LOGPIXELSY))};
    ReleaseDC(nullptr, screen);
    return result;
}

DropDownMenu::DropDownMenu(const DropDownServices& services, DropDownMenu* parent)
    : m_services(services),
      m_list(services.theme, services.brushes, services.trace),
      m_parent(parent) {}

DropDownMenu::~DropDownMenu() {
    Unload();
    m_child.reset();
    ReleaseRetired(true);
}

void DropDownMenu::RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

// Creates the window, hidden, and routes its messages to this object.
void DropDownMenu::Load() {
    RegisterWindowClass();
    const HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"", WS_POPUP, 0, 0, 0, 0,
                        nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!window) {
        throw Error(static_cast<int32_t>(GetLastError()), "the drop-down window could not be made");
    }
    m_window.Reset(window);
    m_services.subclass.HookWindow(window, *this);
}

void DropDownMenu::Unload() {
    if (!m_window) return;
    m_shown = false;
    m_tracking = false;
    WindowSubclass::UnhookWindow(m_window.Get());
    if (m_child) {
        m_child->Unload();
        DetachChild();
    }
    ReleaseSurface();
    m_window.Reset();
}

void DropDownMenu::ShowList(const MenuItemList& items, int32_t top, int32_t left) {
    ReleaseRetired(false);
    if (m_list.Shows(items) && IsVisible()) return;
    try {
        if (m_child) m_child->closeMe();
        m_list.SetItems(items);
        m_size = m_list.WindowSize(items);
        m_place =
            PlaceList(top, left, m_size, GetSystemMetrics(SM_CXSCREEN), m_services.twipsPerPixel);
        if (!m_window) Load();
        const HWND window = m_window.Get();
        SetWindowPos(window, HWND_TOPMOST, m_place.left, m_place.top, m_size.width, m_size.height,
                     SWP_NOACTIVATE);
        CreateSurface();
        Repaint();
        if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
        m_shown = true;
    } catch (const Error& error) {
        m_services.trace.LogError(error.Number(), kSource, "ShowList", error.Description());
    } catch (const std::exception& error) {
        m_services.trace.LogError(0, kSource, "ShowList", error.what());
    }
}

bool DropDownMenu::IsVisible() const {
    return m_window && IsWindowVisible(m_window.Get());
}

void DropDownMenu::Hide() {
    // An open cascade goes out of sight with the window that opened it.
    if (m_child) m_child->Hide();
    if (m_window) ShowWindow(m_window.Get(), SW_HIDE);
}

double DropDownMenu::LeftTwips() const {
    return m_place.left * m_services.twipsPerPixel.x;
}

double DropDownMenu::TopTwips() const {
    return m_place.top * m_services.twipsPerPixel.y;
}

void DropDownMenu::ReleaseSurface() {
    if (m_graphics.IsBound()) m_graphics.ReleaseHDC(m_graphics.BoundDC());
    if (m_surface) {
        m_surface->Release();
        m_surface.reset();
    }
}

// A fresh surface of the window's current size, with the glass behind it.
void DropDownMenu::CreateSurface() {
    ReleaseSurface();
    const HWND window = m_window.Get();
    m_surface = m_services.surfaces.Create(window, true, false);
    if (!m_surface) throw Error(0, "the drop-down surface could not be made");
    m_glassApplied = m_services.composition.ApplyGlass(window, m_size.width, m_size.height,
                                                       &m_services.theme.Glass);
    m_graphics.FromHDC(m_surface->theDC);
    m_graphics.ApplySurfaceSettings();
}

void DropDownMenu::DrawListText() {
    if (m_graphics.IsBound()) m_list.DrawListText(m_graphics, m_size.width);
}

void DropDownMenu::Repaint() {
    if (!m_window || !m_surface || !m_graphics.IsBound()) return;
    try {
        m_list.Paint(m_graphics, m_size.width, m_size.height, m_glassApplied);
        m_surface->Update(m_window.Get(), m_surface->theDC);
    } catch (const Error& error) {
        m_services.trace.LogErrorOnce(error.Number(), kSource, "Repaint", error.Description());
    }
}

IDropDownMenu& DropDownMenu::OpenChildMenu() {
    ReleaseRetired(false);
    if (m_child) {
        m_child->Unload();
        DetachChild();
    }
    m_child = std::make_unique<DropDownMenu>(m_services, this);
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
    if (m_window) PostMessageW(m_window.Get(), kFreeRetiredMessage, 0, 0);
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
    if (m_window) ShowWindow(m_window.Get(), SW_HIDE);
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
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_window.Get(), 0};
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

// Finds the object through the window: its address arrives with WM_NCCREATE and is kept in the
// window's user data until the window is gone.
LRESULT CALLBACK DropDownMenu::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<DropDownMenu*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self->m_window.Get() == window) {
            self->ReleaseSurface();
            self->m_window.Release();
            self->m_shown = false;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const BusyScope busy(self->m_busy);
    try {
        return self->OnMessage(window, message, wParam, lParam);
    } catch (const Error& error) {
        self->m_services.trace.LogErrorOnce(error.Number(), kSource, "WndProc",
                                            error.Description());
    } catch (const std::exception& error) {
        self->m_services.trace.LogErrorOnce(0, kSource, "WndProc", error.what());
    } catch (...) {
        self->m_services.trace.LogErrorOnce(0, kSource, "WndProc", "Unknown failure");
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT DropDownMenu::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarvik
