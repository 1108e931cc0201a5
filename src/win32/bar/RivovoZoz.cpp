#include "win32/bar/RivovoZoz.h"

#include "core/app/CommandLine.h"
#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "core/menus/MenuRowActions.h"
#include "core/menus/MenuStrip.h"
#include "core/menus/NativeMenu.h"
#include "core/theme/Theme.h"
#include "win32/bar/BackdropWindow.h"
#include "win32/bar/BarMenuSource.h"
#include "win32/menus/ContextMenu.h"
#include "win32/menus/DropDownMenu.h"
#include "win32/platform/LayeredWindow.h"
#include "win32/platform/WindowSubclass.h"

namespace tarvik {

namespace {

// The bar's own notice of a foreground change seen by the WinEvent hook.
constexpr UINT kForegroundChanged = WM_APP + 1;
HWND g_foregroundListener = nullptr;

void CALLBACK OnForegroundEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD,
                                DWORD) {
    if (object == OBJID_WINDOW && g_foregroundListener) {
        PostMessageW(g_foregroundListener, kForegroundChanged, reinterpret_cast<WPARAM>(window), 0);
    }
}

bool IsOwnWindow(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

}  // namespace

RivovoZoz::RivovoZoz(BarServices services) : m_services(std::move(services)) {}

RivovoZoz::~RivovoZoz() {
    if (m_window && IsWindow(m_window)) DestroyWindow(m_window);
}

void RivovoZoz::RegisterBarClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ClassProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

bool RivovoZoz::Create() {
    RegisterBarClass();
    const RectI rect = WindowRect();
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"Tarvik", WS_POPUP,
                               rect.X, rect.Y, rect.Width, rect.Height, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this);
    if (!m_window) return false;

    // Programs running with lower rights may still hand their notification icons to the bar.
    ChangeWindowMessageFilter(WM_COPYDATA, MSGFLT_ADD);
    ChangeWindowMessageFilter(0x49, MSGFLT_ADD);

    Initialize();
    LayoutBar();
    m_services.subclass.HookWindow(m_window, *this);
    RegisterForegroundNotices();
    RequestMouseLeave();

    SetTimer(m_window, kEnumerateTasksTimer, 400, nullptr);
    SetTimer(m_window, kUpdateClockTimer, 1000, nullptr);
    ShowWindow(m_window, SW_SHOWNOACTIVATE);
    KeepBackdropBelow();
    return true;
}

void RivovoZoz::Close() {
    if (m_window && IsWindow(m_window)) DestroyWindow(m_window);
}

RectI RivovoZoz::WindowRect() const {
    return BarWindowRect(GetSystemMetrics(SM_CXSCREEN), m_services.commandLine.BarTopOffset(),
                         m_services.theme.Layout);
}

int32_t RivovoZoz::ClientWidth() const {
    RECT client{};
    GetClientRect(m_window, &client);
    return client.right - client.left;
}

int32_t RivovoZoz::ClientHeight() const {
    RECT client{};
    GetClientRect(m_window, &client);
    return client.bottom - client.top;
}

double RivovoZoz::LeftTwips() const {
    RECT rect{};
    GetWindowRect(m_window, &rect);
    return rect.left * m_services.twipsPerPixel.x;
}

double RivovoZoz::TopTwips() const {
    RECT rect{};
    GetWindowRect(m_window, &rect);
    return rect.top * m_services.twipsPerPixel.y;
}

int32_t RivovoZoz::BarHeight() const {
    return VisibleBarHeight(m_services.theme.Layout);
}

bool RivovoZoz::NeedsPlacement() const {
    RECT now{};
    GetWindowRect(m_window, &now);
    const RectI wanted = WindowRect();
    return now.left != wanted.X || now.top != wanted.Y || now.right - now.left != wanted.Width ||
           now.bottom - now.top != wanted.Height;
}

void RivovoZoz::Place() {
    if (!NeedsPlacement()) return;
    const RectI wanted = WindowRect();
    SetWindowPos(m_window, nullptr, wanted.X, wanted.Y, wanted.Width, wanted.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void RivovoZoz::Initialize() {
    Place();
    // The widget host and its widgets join here.
    m_menuSource = std::make_unique<BarMenuSource>(m_services.nativeMenu);
    m_rowActions = std::make_unique<NativeMenuRowActions>(m_services.nativeMenu);
    m_dropDown = std::make_unique<DropDownMenu>(DropDownServices{
        m_services.theme, m_services.brushes, m_services.trace, m_services.surfaces,
        m_services.composition, m_services.subclass, *m_rowActions, m_services.twipsPerPixel});
    m_menuStrip = std::make_unique<MenuStrip>(
        MenuStripServices{m_services.theme, m_services.brushes, m_services.trace, *m_dropDown,
                          *m_menuSource, m_services.twipsPerPixel});
    m_dropDown->Closed = [this] {
        if (m_menuStrip) m_menuStrip->m_menu_Closed();
    };
    m_menuStrip->Changed = [this] { DrawBar(); };

    m_surface = m_services.surfaces.Create(m_window, true, false);
    m_menuStrip->Owner = this;
    m_menuStrip->SetBounds(RectI{m_services.theme.Layout.MenuLeft, 0,
                                 ClientWidth() - m_services.theme.Layout.MenuLeft, ClientHeight()});
    CreateGraphics();
    m_initialized = true;

    m_backdrop = std::make_unique<BackdropWindow>(m_services.surfaces, m_services.composition,
                                                  m_services.trace);
    m_backdropActive =
        m_backdrop->AttachTo(ClientWidth(), BarHeight(), m_services.commandLine.BarTopOffset(),
                             m_services.theme.Layout.BackdropTint);
    m_backdrop->Show();
    KeepBackdropBelow();

    // With the blur on, the bar only needs to catch the mouse; without it the bar paints the
    // tint itself.
    m_barBrush = m_backdropActive ? GDIPBrush::FromArgb(0x01FFFFFF)
                                  : GDIPBrush::FromArgb(m_services.theme.Layout.BackdropTint);
    LayoutBar();
    if (m_services.commandLine.DemoMode()) {
        m_menuStrip->PopulateFromTest();
    } else {
        TrackWindow(GetForegroundWindow());
    }
    DrawBar();
}

RectI RivovoZoz::StripBounds() const {
    // Until widgets sit at both ends, the strip reaches to the right margin of the bar.
    const ThemeLayout& layout = m_services.theme.Layout;
    return MenuStripBounds(layout.MenuLeft, ClientWidth() - layout.StatusRight, ClientHeight(),
                           layout);
}

void RivovoZoz::LayoutBar() {
    if (!m_menuStrip) return;
    m_menuStrip->SetBounds(StripBounds());
}

void RivovoZoz::CreateGraphics() {
    if (!m_surface) return;
    m_graphics.FromHDC(m_surface->DC());
    m_graphics.ApplySurfaceSettings();
}

void RivovoZoz::DrawBar() {
    if (!m_initialized || !m_surface) return;
    try {
        m_graphics.Clear(0);
        m_graphics.FillRectangle(m_barBrush, 0.0f, 0.0f, static_cast<float>(ClientWidth()),
                                 static_cast<float>(BarHeight()));
        const RectI strip = m_menuStrip->Bounds();
        m_graphics.DrawImage(m_menuStrip->Image(), static_cast<float>(strip.X),
                             static_cast<float>(strip.Y), static_cast<float>(strip.Width),
                             static_cast<float>(strip.Height));
        m_surface->Update(m_window, m_surface->DC(), nullptr);
    } catch (const Error& error) {
        m_services.trace.LogError(error.Number(), "RivovoZoz", "DrawBar", error.Description());
    } catch (const std::exception& error) {
        m_services.trace.LogError(0, "RivovoZoz", "DrawBar", error.what());
    }
}

void RivovoZoz::KeepBackdropBelow() {
    if (!m_backdrop || !m_backdrop->Handle()) return;
    SetWindowPos(m_backdrop->Handle(), m_window, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void RivovoZoz::RefreshMenuStrip() {
    try {
        m_menuStrip->Repopulate();
        DrawBar();
    } catch (...) {
    }
}

void RivovoZoz::RefreshTrayArea() {
    // The tray widget's canvas joins with the widget host.
}

void RivovoZoz::RegisterForegroundNotices() {
    m_shellHookMessage = RegisterWindowMessageW(L"SHELLHOOK");
    if (RegisterShellHookWindow(m_window)) return;

    // Some shells (and Wine) take no shell-hook windows: follow the foreground window instead.
    m_services.trace.LogErrorOnce(static_cast<int32_t>(GetLastError()), "RivovoZoz",
                                  "RegisterShellHookWindow",
                                  "the shell does not report activations - following the "
                                  "foreground window instead");
    m_followForeground = true;
    g_foregroundListener = m_window;
    m_foregroundHook =
        SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                        OnForegroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    m_lastForeground = GetForegroundWindow();
}

void RivovoZoz::FollowForegroundWindow() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == m_lastForeground) return;
    m_lastForeground = foreground;
    TrackWindow(foreground);
}

void RivovoZoz::TrackWindow(HWND window) {
    if (!window) return;
    if (IsOwnWindow(window)) return;
    // The shortcut editor's hand-off joins with the editor.
    m_menuStrip->PopulateFromhWnd(reinterpret_cast<WindowHandle>(window));
}

void RivovoZoz::timEnumerateTasks_Timer() {
    if (m_contextMenuOpen) return;
    try {
        // Telling the widgets that the cursor has left the bar (CursorOutsideBar) joins here
        // with the widget host.
        Place();
        m_menuStrip->Refresh();
        if (m_followForeground) FollowForegroundWindow();
        KeepBackdropBelow();
        DrawBar();
        m_services.nativeMenu.ShowPendingCommandFailure();
    } catch (const Error& error) {
        m_services.trace.LogErrorOnce(error.Number(), "RivovoZoz", "timEnumerateTasks_Timer",
                                      error.Description());
    } catch (const std::exception& error) {
        m_services.trace.LogErrorOnce(0, "RivovoZoz", "timEnumerateTasks_Timer", error.what());
    }
}

void RivovoZoz::timUpdateClock_Timer() {
    // The widget host's tick joins here; a widget that changes size re-lays out the bar.
}

void RivovoZoz::RequestMouseLeave() {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_window;
    m_trackingMouse = TrackMouseEvent(&track) != FALSE;
}

void RivovoZoz::OnMouseMove(MousePoint point) {
    if (!m_trackingMouse) RequestMouseLeave();
    m_lastPoint = point;
    // The widget host gets the first look once it exists.
    if (StrictlyInside(m_menuStrip->Bounds(), point.x, point.y)) {
        SetHoverOwner(HoverOwner::Strip);
        m_menuStrip->MouseMove(point.x);
    }
}

void RivovoZoz::OnMouseDown(int32_t button, MousePoint point) {
    if (StrictlyInside(m_menuStrip->Bounds(), point.x, point.y)) {
        m_menuStrip->MouseDown(button, point.x, point.y);
    }
}

void RivovoZoz::OnMouseUp(int32_t button, MousePoint) {
    if (button != 2) return;
    ShowContextMenu();
}

void RivovoZoz::ShowContextMenu() {
    int32_t x = 0;
    int32_t y = 0;
    // Repainting or restacking the bar under its open context menu can take the focus from
    // the menu, which then closes at once (as under Wine); the housekeeping waits for it.
    m_contextMenuOpen = true;
    const int32_t command = m_services.contextMenu.ShowMenu(m_window, x, y);
    m_contextMenuOpen = false;
    if (m_services.onContextCommand) m_services.onContextCommand(command);
}

void RivovoZoz::SetHoverOwner(HoverOwner part) {
    if (part == m_hoverOwner) return;
    if (m_hoverOwner == HoverOwner::Strip) m_menuStrip->OnMouseLeave();
    m_hoverOwner = part;
}

void RivovoZoz::ResetHover() {
    if (m_menuStrip) m_menuStrip->ResetSelector();
}

LRESULT RivovoZoz::IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                        LPARAM& lParam) {
    try {
        if (message == WM_MOUSELEAVE) {
            m_trackingMouse = false;
            ResetHover();
        } else if (message == m_shellHookMessage && m_shellHookMessage != 0) {
            if (wParam == HSHELL_WINDOWACTIVATED || wParam == HSHELL_RUDEAPPACTIVATED) {
                TrackWindow(reinterpret_cast<HWND>(lParam));
            }
        } else if (message == kForegroundChanged) {
            m_lastForeground = reinterpret_cast<HWND>(wParam);
            TrackWindow(m_lastForeground);
        }
    } catch (...) {
        // A failure while handling a message is not reported; the message still goes on.
    }
    return WindowSubclass::CallOldWindowProc(window, message, wParam, lParam);
}

LRESULT CALLBACK RivovoZoz::ClassProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The window finds its object from here on.
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* object = static_cast<RivovoZoz*>(created->lpCreateParams);
        object->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    auto* bar = reinterpret_cast<RivovoZoz*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!bar) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return bar->FormProcedure(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT RivovoZoz::FormProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            OnMouseMove(MousePointOf(static_cast<uint32_t>(lParam)));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnMouseDown(1, MousePointOf(static_cast<uint32_t>(lParam)));
            return 0;
        case WM_RBUTTONDOWN:
            OnMouseDown(2, MousePointOf(static_cast<uint32_t>(lParam)));
            return 0;
        case WM_LBUTTONUP:
            OnMouseUp(1, MousePointOf(static_cast<uint32_t>(lParam)));
            return 0;
        case WM_RBUTTONUP:
            OnMouseUp(2, MousePointOf(static_cast<uint32_t>(lParam)));
            return 0;
        case WM_TIMER:
            if (wParam == kEnumerateTasksTimer) timEnumerateTasks_Timer();
            if (wParam == kUpdateClockTimer) timUpdateClock_Timer();
            return 0;
        case WM_SIZE:
            if (m_initialized) {
                // The surface is rebuilt at the new size; let go of the old one's DC first.
                m_graphics.Dispose();
                m_surface = m_services.surfaces.Create(m_window, true, false);
                CreateGraphics();
                LayoutBar();
            }
            break;
        case WM_CLOSE:
            DestroyWindow(m_window);
            return 0;
        case WM_DESTROY:
            Unload();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void RivovoZoz::Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    KillTimer(m_window, kEnumerateTasksTimer);
    KillTimer(m_window, kUpdateClockTimer);
    if (m_foregroundHook) UnhookWinEvent(m_foregroundHook);
    m_foregroundHook = nullptr;
    g_foregroundListener = nullptr;
    // The tray host and the clipboard history stop here once they exist.
    if (m_backdrop) m_backdrop->Close();
    m_backdrop.reset();
    m_menuStrip.reset();
    if (m_dropDown) m_dropDown->Unload();
    m_dropDown.reset();
    if (m_surface) m_graphics.ReleaseHDC(m_surface->DC());
    m_graphics.Dispose();
    WindowSubclass::UnhookWindow(m_window);
    if (m_surface) m_surface->Release();
    m_surface.reset();
    m_initialized = false;
    // Every other window of the program has gone with its owner; the process ends here.
    PostQuitMessage(0);
}

}  // namespace tarvik
