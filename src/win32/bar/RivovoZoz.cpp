#include "win32/bar/RivovoZoz.h"

#include <windowsx.h>

#include <algorithm>

#include "core/app/CommandLine.h"
#include "core/app/HandlerScope.h"
#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/menus/AccessibleMenuRefresh.h"
#include "core/menus/AccessibleMenuSource.h"
#include "core/menus/MenuKeyboardMode.h"
#include "core/menus/NativeMenu.h"
#include "core/shortcuts/CustomMenus.h"
#include "core/shortcuts/Hotkeys.h"
#include "core/shortcuts/MenuEditorHandoff.h"
#include "core/theme/Theme.h"
#include "core/widgets/ClipboardHistory.h"
#include "core/widgets/framework/WidgetHost.h"
#include "win32/bar/BackdropWindow.h"
#include "win32/menus/ContextMenu.h"
#include "win32/menus/DropDownMenu.h"
#include "win32/menus/MenuKeyboardHook.h"
#include "win32/platform/LayeredWindow.h"
#include "win32/platform/WindowSubclass.h"
#include "win32/shortcuts/GlobalHotkeys.h"
#include "win32/widgets/TrayHost.h"
#include "win32/widgets/framework/WidgetCanvas.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "RivovoZoz";
// Posted to the bar when a frame is waiting. Harmless from anyone: a frame is drawn only when
// something the bar shows changed.
constexpr UINT kFrameMessage = WM_APP + 2;
// Posted once the first frame is on screen: the work that can wait (feeds, sound device, the
// notification icons) starts then. Harmless from anyone: it starts nothing twice.
constexpr UINT kStartWorkMessage = WM_APP + 3;

// The bar that follows the foreground through the WinEvent hook. The hook's callback runs on the
// bar's own thread and carries no context, and there is one bar per process.
RivovoZoz* g_foregroundListener = nullptr;

bool IsOwnWindow(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

}  // namespace

RivovoZoz::RivovoZoz(BarServices services)
    : BaseWindow(WindowGuard{&services.trace, kSource, "WndProc", true}),
      m_services(std::move(services)) {}

RivovoZoz::~RivovoZoz() {
    DestroyBaseWindow();
}

bool RivovoZoz::Create() {
    const RectI rect = WindowRect();
    if (!CreateBaseWindow({kClassName, CS_DBLCLKS}, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"Tarvik",
                          WS_POPUP,
                          RECT{rect.X, rect.Y, rect.X + rect.Width, rect.Y + rect.Height})) {
        return false;
    }
    // Programs running with lower rights may still hand their notification icons to the bar.
    ChangeWindowMessageFilter(WM_COPYDATA, MSGFLT_ADD);
    ChangeWindowMessageFilter(0x49, MSGFLT_ADD);
    // The shell's broadcast when it starts again; the shell may run with fewer rights than we.
    m_taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    ChangeWindowMessageFilterEx(Handle(), m_taskbarCreatedMessage, MSGFLT_ALLOW, nullptr);

    Initialize();
    m_services.subclass.HookWindow(Handle(), *this);
    ConnectHotkeys();
    RegisterForegroundNotices();
    RequestMouseLeave();

    SetTimer(Handle(), kEnumerateTasksTimer, 400, nullptr);
    SetTimer(Handle(), kUpdateClockTimer, 1000, nullptr);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    KeepBackdropBelow();
    PostMessageW(Handle(), kStartWorkMessage, 0, 0);
    return true;
}

void RivovoZoz::StartBackgroundWork() {
    if (m_workStarted || m_closing || !m_model) return;
    m_workStarted = true;
    if (m_services.trayHost) {
        m_services.trayHost->StartTraySharing([this] { RefreshTrayArea(); });
        m_model->SetTray(m_services.trayHost);
    }
    if (m_host) m_host->StartBackgroundWork();
}

void RivovoZoz::Close() {
    if (!m_closing) {
        m_closing = true;
        if (m_services.onClosing) m_services.onClosing();
        if (m_services.trayHost) {
            if (m_model) m_model->SetTray(nullptr);
            m_services.trayHost->StopTraySharing();
        }
    }
    // A menu open under us ends its loop, so that the handler that opened it returns.
    EndMenu();
    HandlerScope::RunWhenIdle([this] { DestroyBaseWindow(); });
}

RectI RivovoZoz::WindowRect() const {
    return BarWindowRect(GetSystemMetrics(SM_CXSCREEN), m_services.overrides.barTop,
                         m_services.theme.Layout);
}

int32_t RivovoZoz::BarHeight() const {
    return VisibleBarHeight(m_services.theme.Layout);
}

void RivovoZoz::KeepPlaced() {
    RECT now{};
    GetWindowRect(Handle(), &now);
    const RectI wanted = WindowRect();
    if (now.left == wanted.X && now.top == wanted.Y && now.right - now.left == wanted.Width &&
        now.bottom - now.top == wanted.Height) {
        return;
    }
    SetWindowPos(Handle(), nullptr, wanted.X, wanted.Y, wanted.Width, wanted.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void RivovoZoz::Initialize() {
    KeepPlaced();
    const DropDownServices dropDown{m_services.theme,       m_services.brushes,
                                    m_services.trace,       m_services.surfaces,
                                    m_services.composition, m_services.subclass,
                                    m_services.nativeMenu,  m_services.twipsPerPixel};
    m_dropDown = std::make_unique<DropDownMenu>(dropDown);
    m_menuStrip = std::make_unique<MenuStrip>(MenuStripServices{
        m_services.theme, m_services.brushes, m_services.trace, *m_dropDown,
        m_services.menus != nullptr ? *m_services.menus
                                    : static_cast<IMenuSource&>(m_services.nativeMenu)});
    m_keyboard =
        std::make_unique<MenuKeyboardMode>(*m_menuStrip, *m_dropDown, m_services.nativeMenu);
    m_keyboard->Ended = [this] { KeyboardMenusEnded(); };
    m_dropDown->Closed = [this] {
        if (m_menuStrip) m_menuStrip->m_menu_Closed();
        if (m_keyboard) m_keyboard->DropDownClosed();
        m_menuClosedAt = GetTickCount64();
        // A change heard while it was open is looked at once the strip is done with the menu
        // (it may be opening the next title's), not from inside its closing.
        if (m_menuRefresh) WaitForMenuRefresh(0);
    };
    if (m_services.accessibleMenus != nullptr) {
        m_menuRefresh = std::make_unique<AccessibleMenuRefresh>(
            *m_services.accessibleMenus, [this] { RefreshMenuStrip(); },
            [this] { return m_dropDown->Shown() || (m_keyboard && m_keyboard->Active()); });
    }

    // The widgets: one drop-down for their menus and one canvas for their panels.
    m_widgetMenu = std::make_unique<DropDownMenu>(dropDown);
    m_canvas = std::make_unique<WidgetCanvas>(
        WidgetCanvasServices{m_services.theme, m_services.trace, m_services.surfaces,
                             m_services.composition, m_services.subclass});
    m_host = std::make_unique<WidgetHost>(
        WidgetHostServices{m_services.theme, m_services.brushes, m_services.trace, m_services.dpi,
                           m_services.settings, *m_canvas, *m_widgetMenu});
    m_widgetMenu->Closed = [this] {
        if (m_host) m_host->m_menu_Closed();
    };
    m_model = std::make_unique<BarModel>(m_services.theme, m_services.trace, *m_menuStrip,
                                         m_services.nativeMenu, *this, m_host.get());
    m_host->HoldBackgroundWork();
    if (m_services.registerWidgets) m_services.registerWidgets(*m_host);
    ConnectCustomMenus();

    m_surface = m_services.surfaces.Create(Handle(), true, false);
    CreateGraphics();
    m_initialized = true;

    const RectI rect = WindowRect();
    m_backdrop = std::make_unique<BackdropWindow>(m_services.surfaces, m_services.composition,
                                                  m_services.trace);
    m_backdropActive =
        m_backdrop->AttachTo(rect.Width, BarHeight(), rect.Y, m_services.theme.Layout.BackdropTint);
    m_backdrop->Show();
    KeepBackdropBelow();

    // With the blur on, the bar only needs to catch the mouse; without it the bar paints the
    // tint itself.
    m_model->SetFill(m_backdropActive ? 0x01FFFFFFu : m_services.theme.Layout.BackdropTint);
    LayoutBar();
    if (m_services.clipboardHistory) {
        m_services.clipboardHistory->StartClipboardHistory(
            reinterpret_cast<WindowHandle>(Handle()));
    }
    if (m_services.overrides.demo) {
        m_menuStrip->PopulateFromTest();
    } else {
        TrackWindow(GetForegroundWindow());
    }
    DrawBar();
}

// Programs without a menu bar get the user's own menus; a stored change shows at once.
void RivovoZoz::ConnectCustomMenus() {
    CustomMenus* menus = m_services.customMenus;
    if (menus == nullptr) return;
    m_menuStrip->SetCustomMenus(menus);
    menus->Saved = [this] { RefreshMenuStrip(); };
    m_menuEditorHandoff = std::make_unique<MenuEditorHandoff>(
        *menus, *m_host, [this] { TrackWindow(GetForegroundWindow()); });
    m_model->SetMenuEditorHandoff(m_menuEditorHandoff.get());
}

void RivovoZoz::LayoutBar() {
    if (!m_model) return;
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    m_model->SetPlacement(
        RectI{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
}

void RivovoZoz::CreateGraphics() {
    if (!m_surface) return;
    // The frame is drawn straight into the surface's pixels: drawing through the device context
    // costs a copy of the surface for every picture and every text drawn.
    DIBSECTION dib{};
    if (GetObjectW(m_surface->mainBitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits &&
        dib.dsBm.bmBitsPixel == 32) {
        const LONG height = dib.dsBmih.biHeight;
        try {
            m_graphics.FromDIB(m_surface->DC(), dib.dsBm.bmBits, dib.dsBm.bmWidth,
                               height < 0 ? -height : height, height > 0);
        } catch (...) {
            // Drawn through the device context instead, below.
        }
    }
    if (!m_graphics.IsBound()) m_graphics.FromHDC(m_surface->DC());
    m_graphics.ApplySurfaceSettings();
    m_model->SetGraphics(&m_graphics);
}

void RivovoZoz::DrawBar() {
    if (!m_initialized) return;
    m_model->Invalidate();
    m_model->Flush();
}

void RivovoZoz::RequestFrame() {
    if (m_framePosted || !Handle()) return;
    m_framePosted = PostMessageW(Handle(), kFrameMessage, 0, 0) != FALSE;
}

void RivovoZoz::PushFrame(const RectI& area) {
    if (!m_surface) return;
    const SIZE size = m_surface->GetSize();
    if (area.X <= 0 && area.Y <= 0 && area.X + area.Width >= size.cx &&
        area.Y + area.Height >= size.cy) {
        m_surface->Update(Handle(), m_surface->DC(), nullptr);
        return;
    }
    const RECT dirty{area.X, area.Y, area.X + area.Width, area.Y + area.Height};
    m_surface->Update(Handle(), m_surface->DC(), nullptr, &dirty);
}

void RivovoZoz::KeepBackdropBelow() {
    if (!m_backdrop || !m_backdrop->Handle()) return;
    // Already right below the bar: restacking would cost a round trip to the window server.
    if (GetWindow(m_backdrop->Handle(), GW_HWNDPREV) == Handle()) return;
    SetWindowPos(m_backdrop->Handle(), Handle(), 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void RivovoZoz::RefreshMenuStrip() {
    try {
        m_menuStrip->Repopulate();
    } catch (...) {
        // Errors are ignored here: the strip keeps what it showed.
    }
}

void RivovoZoz::RefreshTrayArea() {
    try {
        if (m_host) m_host->RefreshCanvas("Tray");
    } catch (...) {
        // Errors are ignored here: the canvas shows the icons of its last measure.
    }
}

void RivovoZoz::RegisterForegroundNotices() {
    m_shellHookMessage = RegisterWindowMessageW(L"SHELLHOOK");
    if (RegisterShellHookWindow(Handle())) return;

    // Some shells (and Wine) take no shell-hook windows: follow the foreground window instead.
    m_services.trace.LogErrorOnce(static_cast<int32_t>(GetLastError()), kSource,
                                  "RegisterShellHookWindow",
                                  "the shell does not report activations - following the "
                                  "foreground window instead");
    m_followForeground = true;
    g_foregroundListener = this;
    m_foregroundHook =
        SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                        ForegroundEventProc, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    m_lastForeground = GetForegroundWindow();
}

// Runs on the bar's thread (the hook is out of context), so the bar is called directly: no
// message another program could imitate stands between the hook and the strip.
void CALLBACK RivovoZoz::ForegroundEventProc(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG,
                                             DWORD, DWORD) {
    if (object != OBJID_WINDOW || !g_foregroundListener) return;
    const HandlerScope scope;
    try {
        g_foregroundListener->OnForegroundEvent(window);
    } catch (...) {
        // As with the shell's notices, a failure to follow one activation is not reported.
    }
}

void RivovoZoz::OnForegroundEvent(HWND window) {
    m_lastForeground = window;
    OnActivation(window);
}

void RivovoZoz::OnActivation(HWND window) {
    if (!window) return;
    const bool own = IsOwnWindow(window);
    if (!own && m_menuRefresh) {
        // The shell reports no activation of the bar's drop-downs, only the program's coming
        // back after one closed: that is the program handed back the front, not activated anew.
        constexpr ULONGLONG kHandBackTime = 500;
        const bool handedBack = m_ownInFront || (m_menuClosedAt != 0 &&
                                                 GetTickCount64() - m_menuClosedAt < kHandBackTime);
        m_menuRefresh->Activated(reinterpret_cast<WindowHandle>(window), handedBack);
    }
    m_ownInFront = own;
    TrackWindow(window);
}

void RivovoZoz::WaitForMenuRefresh(int64_t wait) {
    if (wait == AccessibleMenuRefresh::kNoWait) return;
    SetTimer(Handle(), kMenuRefreshTimer, static_cast<UINT>(std::max<int64_t>(wait, 1)), nullptr);
}

void RivovoZoz::PollForeground() {
    if (!m_followForeground) return;
    const HWND foreground = GetForegroundWindow();
    if (foreground == m_lastForeground) return;
    m_lastForeground = foreground;
    OnActivation(foreground);
}

void RivovoZoz::TrackWindow(HWND window) {
    if (!window) return;
    if (IsOwnWindow(window)) return;
    // Another program came to the front: the keyboard's menus were for the one before.
    if (m_keyboard && m_keyboard->Active() && window != m_keyboardTarget) m_keyboard->Cancel();
    // The shortcut editor keeps the strip on the program it edits until it is done.
    if (m_menuEditorHandoff && m_menuEditorHandoff->EditorBusy()) return;
    m_menuStrip->PopulateFromhWnd(reinterpret_cast<WindowHandle>(window));
    if (m_menuRefresh) {
        m_menuRefresh->Shows(m_menuStrip->TrackedWindow());
        m_menuBarHook.Watch(Handle(), window);
    }
}

void RivovoZoz::ConnectHotkeys() {
    Hotkeys* hotkeys = m_services.hotkeys;
    GlobalHotkeys* window = m_services.hotkeyWindow;
    if (hotkeys == nullptr || window == nullptr) return;
    window->Attach(Handle());
    window->Pressed = [hotkeys](int32_t id) { hotkeys->OnHotkey(id); };
    hotkeys->SetAction(Hotkeys::Action::OpenMenus, [this] { OpenMenusFromKeyboard(); });
    hotkeys->SetAction(Hotkeys::Action::MenuSearch, [this] {
        if (!m_services.onMenuSearch) return;
        if (m_keyboard && m_keyboard->Active()) m_keyboard->Cancel();
        // The search is over the program the strip shows, even when one of our windows is in
        // front (the bar was clicked, or the panel itself is open).
        const HWND front = GetForegroundWindow();
        if (front && !IsOwnWindow(front) &&
            reinterpret_cast<WindowHandle>(front) != m_menuStrip->TrackedWindow()) {
            TrackWindow(front);
        }
        m_services.onMenuSearch(m_menuStrip->TrackedWindow());
    });
    hotkeys->RegisterAll();
}

// The keys reach the menus through a low-level keyboard hook that lives only while they are
// open: the program in front keeps the activation and the keyboard focus throughout, so the
// keyboard is never left with the bar, and nothing needs handing back when the menus close.
// Making the bar the foreground window instead would work on Windows (the program that received
// a hotkey may take the foreground), but the bar's popup windows cannot hold the focus everywhere
// (not under Wine without a window manager), and the focus would then have to be given back to
// the right window on every way out.
void RivovoZoz::OpenMenusFromKeyboard() {
    if (!m_keyboard) return;
    if (m_keyboard->Active()) {
        m_keyboard->Cancel();
        return;
    }
    // The strip may not have caught up with the program in front yet.
    const HWND front = GetForegroundWindow();
    if (front && !IsOwnWindow(front) &&
        reinterpret_cast<WindowHandle>(front) != m_menuStrip->TrackedWindow()) {
        TrackWindow(front);
    }
    m_keyboardTarget = reinterpret_cast<HWND>(m_menuStrip->TrackedWindow());
    if (!m_keyboardHook.Start(Handle())) {
        m_services.trace.LogErrorOnce(static_cast<int32_t>(GetLastError()), kSource,
                                      "OpenMenusFromKeyboard",
                                      "the keyboard could not be watched - the menus stay closed");
        return;
    }
    m_dropDown->SetShowWithoutActivating(true);
    if (!m_keyboard->Start()) KeyboardMenusEnded();
}

void RivovoZoz::KeyboardMenusEnded() {
    m_keyboardHook.Stop();
    if (m_dropDown) m_dropDown->SetShowWithoutActivating(false);
    const HWND target = std::exchange(m_keyboardTarget, nullptr);
    // A click on one of our windows may have taken the activation: it goes back.
    const HWND front = GetForegroundWindow();
    if (target && IsWindow(target) && front && IsOwnWindow(front)) SetForegroundWindow(target);
}

// Posted by the hook: harmless from anyone, as the keys count only while the menus are open.
bool RivovoZoz::OnKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != MenuKeyboardHook::kKeyMessage && message != MenuKeyboardHook::kClickMessage) {
        return false;
    }
    if (!m_keyboard || !m_keyboard->Active()) return true;
    if (message == MenuKeyboardHook::kClickMessage) {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const HWND clicked = WindowFromPoint(at);
        if (!clicked || !IsOwnWindow(clicked)) m_keyboard->Cancel();
        return true;
    }
    if (m_keyboard->KeyDown(static_cast<int32_t>(wParam))) return true;
    // Letters outside the basic plane come in two halves; no menu marks one of those.
    const auto typed = static_cast<char32_t>(lParam);
    if (typed >= 0xD800 && typed <= 0xDFFF) return true;
    m_keyboard->Character(typed);
    return true;
}

void RivovoZoz::timEnumerateTasks_Timer() {
    if (m_model) m_model->Tick();
}

void RivovoZoz::timUpdateClock_Timer() {
    if (m_model) m_model->ClockTick();
}

void RivovoZoz::RequestMouseLeave() {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = Handle();
    m_trackingMouse = TrackMouseEvent(&track) != FALSE;
}

void RivovoZoz::OnMouseMove(MousePoint point) {
    if (!m_trackingMouse) RequestMouseLeave();
    m_model->MouseMove(point);
}

bool RivovoZoz::ReadCursor(int32_t& x, int32_t& y) {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return false;
    x = cursor.x;
    y = cursor.y;
    return true;
}

void RivovoZoz::ShowContextMenu() {
    int32_t x = 0;
    int32_t y = 0;
    const int32_t command = m_services.contextMenu.ShowMenu(Handle(), x, y);
    if (m_services.onContextCommand) m_services.onContextCommand(command);
}

LRESULT RivovoZoz::IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                        LPARAM& lParam) {
    const HandlerScope scope;
    try {
        if (message == WM_MOUSELEAVE) {
            m_trackingMouse = false;
            if (m_model) m_model->MouseLeave();
        } else if (message == m_shellHookMessage && m_shellHookMessage != 0) {
            if (wParam == HSHELL_WINDOWACTIVATED || wParam == HSHELL_RUDEAPPACTIVATED) {
                OnActivation(reinterpret_cast<HWND>(lParam));
            }
        }
    } catch (...) {
        // A failure while handling a message is not reported; the message still goes on.
    }
    return WindowSubclass::CallOldWindowProc(window, message, wParam, lParam);
}

// A new shell has a new taskbar, topmost like the bar and now above it, and a work area of its
// own making: the strip is reserved again and the bar goes back on top, where it was.
void RivovoZoz::OnShellRestarted() {
    if (m_services.onShellRestarted) m_services.onShellRestarted();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KeepPlaced();
    KeepBackdropBelow();
}

LRESULT RivovoZoz::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == m_taskbarCreatedMessage && message != 0) {
        // The tray host's own call for the programs' icons is no shell restart; a bar on its way
        // out takes no strip again.
        if (m_closing) return 0;
        if (!m_services.trayHost || !m_services.trayHost->OwnBroadcast()) OnShellRestarted();
        return 0;
    }
    const MousePoint point = MousePointOf(static_cast<uint32_t>(lParam));
    if (m_services.hotkeyWindow && m_services.hotkeyWindow->OnMessage(message, wParam)) return 0;
    if (OnKeyboardMessage(message, wParam, lParam)) return 0;
    switch (message) {
        case WM_MOUSEMOVE:
            if (m_model) OnMouseMove(point);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (m_model) m_model->MouseDown(1, point);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            if (m_model) m_model->MouseDown(2, point);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            if (m_model) m_model->MouseDown(4, point);
            return 0;
        case WM_LBUTTONUP:
            if (m_model) m_model->MouseUp(1, point);
            return 0;
        case WM_RBUTTONUP:
            if (m_model) m_model->MouseUp(2, point);
            return 0;
        case WM_MBUTTONUP:
            if (m_model) m_model->MouseUp(4, point);
            return 0;
        case WM_TIMER:
            if (wParam == kEnumerateTasksTimer) timEnumerateTasks_Timer();
            if (wParam == kUpdateClockTimer) timUpdateClock_Timer();
            if (wParam == kMenuRefreshTimer) {
                KillTimer(Handle(), kMenuRefreshTimer);
                if (m_menuRefresh) {
                    WaitForMenuRefresh(m_menuRefresh->Due(static_cast<int64_t>(GetTickCount64())));
                }
            }
            return 0;
        case MenuBarChangeHook::kChangedMessage:
            m_menuBarHook.Heard();
            if (m_menuRefresh) {
                WaitForMenuRefresh(m_menuRefresh->Changed(static_cast<WindowHandle>(wParam),
                                                          static_cast<int64_t>(GetTickCount64())));
            }
            return 0;
        case WM_ACTIVATE:
            // Exactly active or click-active: a minimized activation is not the bar's.
            if (m_model && (wParam == WA_ACTIVE || wParam == WA_CLICKACTIVE)) {
                m_model->Activated(static_cast<WindowHandle>(lParam));
            }
            break;
        case kStartWorkMessage:
            StartBackgroundWork();
            return 0;
        case kFrameMessage:
            m_framePosted = false;
            if (m_model) m_model->Flush();
            return 0;
        case WM_SIZE:
            if (m_initialized) {
                // The surface is rebuilt at the new size; let go of the old one's DC first.
                m_model->SetGraphics(nullptr);
                m_graphics.Dispose();
                m_surface = m_services.surfaces.Create(Handle(), true, false);
                CreateGraphics();
                LayoutBar();
            }
            break;
        case WM_MOVE:
            // The drop-downs open in screen pixels from where the bar is.
            if (m_initialized) LayoutBar();
            break;
        case WM_CLIPBOARDUPDATE:
            if (m_services.clipboardHistory) m_services.clipboardHistory->OnClipboardUpdate();
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ENDSESSION:
            // Nothing after this message is sure to run: the strip goes back now.
            if (wParam) Close();
            return 0;
        case WM_DESTROY:
            Unload();
            return 0;
        default:
            break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

void RivovoZoz::OnWindowGone() {
    Unload();
    m_services.surfaces.Forget(Handle());
}

void RivovoZoz::Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    const HWND window = Handle();
    KillTimer(window, kEnumerateTasksTimer);
    KillTimer(window, kUpdateClockTimer);
    KillTimer(window, kMenuRefreshTimer);
    m_menuBarHook.Stop();
    if (m_services.hotkeys) {
        m_services.hotkeys->UnregisterAll();
        m_services.hotkeys->SetAction(Hotkeys::Action::OpenMenus, nullptr);
        m_services.hotkeys->SetAction(Hotkeys::Action::MenuSearch, nullptr);
    }
    if (m_services.hotkeyWindow) {
        m_services.hotkeyWindow->Attach(nullptr);
        m_services.hotkeyWindow->Pressed = nullptr;
    }
    if (m_foregroundHook) UnhookWinEvent(m_foregroundHook);
    m_foregroundHook = nullptr;
    if (g_foregroundListener == this) g_foregroundListener = nullptr;
    if (m_services.trayHost) {
        if (m_model) m_model->SetTray(nullptr);
        m_services.trayHost->StopTraySharing();
    }
    if (m_services.clipboardHistory) m_services.clipboardHistory->StopClipboardHistory();
    if (m_backdrop) m_backdrop->Close();
    m_backdrop.reset();
    if (m_services.customMenus) m_services.customMenus->Saved = nullptr;
    if (m_host) m_host->Dispose();
    m_model.reset();
    m_menuEditorHandoff.reset();
    m_host.reset();
    m_canvas.reset();
    if (m_widgetMenu) m_widgetMenu->Unload();
    m_widgetMenu.reset();
    m_keyboardHook.Stop();
    m_keyboard.reset();
    m_menuStrip.reset();
    if (m_dropDown) m_dropDown->Unload();
    m_dropDown.reset();
    if (m_surface) m_graphics.ReleaseHDC(m_surface->DC());
    m_graphics.Dispose();
    WindowSubclass::UnhookWindow(window);
    if (m_surface) m_surface->Release();
    m_surface.reset();
    m_initialized = false;
    // Every other window of the program has gone with its owner; the process ends here.
    PostQuitMessage(0);
}

}  // namespace tarvik
