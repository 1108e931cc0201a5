#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "core/bar/BarModel.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/menus/DropDownPlacement.h"
#include "core/menus/MenuStrip.h"
#include "win32/menus/MenuBarChangeHook.h"
#include "win32/menus/MenuKeyboardHook.h"
#include "win32/platform/BaseWindow.h"
#include "win32/platform/IWndProcSink.h"
#include "win32/platform/LayeredWindowSurface.h"

namespace tarvik {

class AccessibleMenuRefresh;
class AccessibleMenuSource;
class BackdropWindow;
class Brushes;
class ClipboardHistory;
struct Overrides;
class ContextMenu;
class Dpi;
class DropDownMenu;
class GlobalHotkeys;
class Hotkeys;
class MenuKeyboardMode;
class ISettingsStore;
class CustomMenus;
class LayeredWindow;
class MenuEditorHandoff;
class NativeMenu;
class Theme;
class Trace;
class TrayHost;
class WidgetCanvas;
class WidgetHost;
class WindowComposition;
class WindowSubclass;

// What the bar needs from the program; everything here outlives the bar.
struct BarServices {
    Trace& trace;
    const Overrides& overrides;
    const Theme& theme;
    Brushes& brushes;
    LayeredWindow& surfaces;
    WindowSubclass& subclass;
    const WindowComposition& composition;
    NativeMenu& nativeMenu;
    ContextMenu& contextMenu;
    TwipsPerPixel twipsPerPixel;
    const Dpi& dpi;
    ISettingsStore& settings;
    // A command picked from the context menu (0 when it was dismissed).
    std::function<void(int32_t)> onContextCommand;
    // Registers the widgets with the bar's host, in their order on the bar.
    std::function<void(WidgetHost&)> registerWidgets;
    // The shell started again (its "TaskbarCreated" broadcast) and rebuilt the work area.
    std::function<void()> onShellRestarted;
    // Hears the clipboard changes through the bar's window (none: no clipboard history).
    ClipboardHistory* clipboardHistory = nullptr;
    // The user's shortcut menus for programs without a menu bar (none: not offered).
    CustomMenus* customMenus = nullptr;
    // Collects the notification icons for the tray widget; none: the bar runs without.
    TrayHost* trayHost = nullptr;
    // What the strip reads the foreground program's menus from (none: the Win32 menus only).
    IMenuSource* menus = nullptr;
    // The bar is going, whichever way: gives the strip back and forgets its record.
    std::function<void()> onClosing;
    // The system-wide hotkeys and the window side that holds them for the bar (none: the bar
    // runs without hotkeys).
    Hotkeys* hotkeys = nullptr;
    GlobalHotkeys* hotkeyWindow = nullptr;
    // The menu search hotkey was pressed with this window in front.
    std::function<void(WindowHandle foreground)> onMenuSearch;
    // The source of menus read through the accessibility interface, told when a program's
    // menu bar changed (none: such menus are not read again on their own).
    AccessibleMenuSource* accessibleMenus = nullptr;
};

// The program's main window: a layered strip across the top of the primary screen with the
// widgets at both ends and the foreground program's menus between them, over a blurred backdrop
// window. What the bar shows and decides is its BarModel and the widget host; the window creates,
// places, hooks and cracks messages.
class RivovoZoz final : public BaseWindow, public IWndProcSink, public IBarWindow {
  public:
    static constexpr const wchar_t* kClassName = L"Tarvik_Bar";
    static constexpr UINT_PTR kEnumerateTasksTimer = 1;  // every 400 ms
    static constexpr UINT_PTR kUpdateClockTimer = 2;     // every second
    static constexpr UINT_PTR kMenuRefreshTimer = 3;     // once, when a change may be read

    explicit RivovoZoz(BarServices services);
    ~RivovoZoz() override;

    // Creates the window, builds its content and shows it; false when the window could not
    // be made.
    bool Create();
    // Every way out (Exit, WM_CLOSE, the session ending, a quit reaching the loop): the strip is
    // given back and the tray decoy stands down now; the window and everything on it go once no
    // handler of ours is on the stack (a drop-down's command or the context menu may ask from
    // inside their own loops).
    void Close();

    void LayoutBar();
    // Composes and pushes a frame now, whether or not anything changed.
    void DrawBar();
    int32_t BarHeight() const;
    void RefreshMenuStrip();
    void RefreshTrayArea();

    LRESULT IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                 LPARAM& lParam) override;

    // Shows the menus of a window that has just become active, unless it is one of ours.
    void TrackWindow(HWND window);
    void timEnumerateTasks_Timer();
    void timUpdateClock_Timer();

    // The parts, for tests and benchmarks.
    MenuStrip& Strip() { return *m_menuStrip; }
    DropDownMenu& StripDropDown() { return *m_dropDown; }
    RectI StripBounds() const { return m_model->StripBounds(); }
    WidgetHost& Host() { return *m_host; }
    WidgetCanvas& Canvas() { return *m_canvas; }

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

    // What the model asks of the window.
    void KeepPlaced() override;
    void PollForeground() override;
    void KeepBackdropBelow() override;
    void RequestFrame() override;
    void PushFrame(const RectI& area) override;
    void ShowContextMenu() override;
    bool ReadCursor(int32_t& x, int32_t& y) override;

    void Initialize();
    // After the first frame: notification icons, feeds and the sound device.
    void StartBackgroundWork();
    void ConnectCustomMenus();
    RectI WindowRect() const;
    void CreateGraphics();
    void RegisterForegroundNotices();
    void OnForegroundEvent(HWND window);
    // Another window came to the front (the shell's notice, the hook, or the tick saw it).
    void OnActivation(HWND window);
    // A wait the menu refresh asked for (AccessibleMenuRefresh::kNoWait: none).
    void WaitForMenuRefresh(int64_t wait);
    void OnMouseMove(MousePoint point);
    void RequestMouseLeave();
    void Unload();
    void OnShellRestarted();
    void ConnectHotkeys();
    // The menus of the program in front, worked from the keyboard while they are open.
    void OpenMenusFromKeyboard();
    void KeyboardMenusEnded();
    bool OnKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam);

    static void CALLBACK ForegroundEventProc(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG,
                                             DWORD, DWORD);

    BarServices m_services;
    GDIPGraphics m_graphics;
    std::shared_ptr<LayeredWindowSurface> m_surface;
    std::unique_ptr<BackdropWindow> m_backdrop;
    bool m_backdropActive = false;
    bool m_initialized = false;
    bool m_unloaded = false;
    bool m_workStarted = false;
    bool m_framePosted = false;
    bool m_closing = false;
    UINT m_shellHookMessage = 0;
    UINT m_taskbarCreatedMessage = 0;
    bool m_trackingMouse = false;
    std::unique_ptr<DropDownMenu> m_dropDown;
    std::unique_ptr<MenuStrip> m_menuStrip;
    std::unique_ptr<MenuKeyboardMode> m_keyboard;
    HWND m_keyboardTarget = nullptr;  // the program whose menus the keyboard works
    MenuKeyboardHook m_keyboardHook;
    std::unique_ptr<DropDownMenu> m_widgetMenu;
    std::unique_ptr<WidgetCanvas> m_canvas;
    std::unique_ptr<WidgetHost> m_host;
    std::unique_ptr<BarModel> m_model;
    // The menu editor's hand-off, while there are custom menus.
    std::unique_ptr<MenuEditorHandoff> m_menuEditorHandoff;

    // Where the shell's activation notices do not arrive, the bar follows the foreground
    // window itself: through a WinEvent hook, and by looking on every housekeeping tick.
    bool m_followForeground = false;
    HWINEVENTHOOK m_foregroundHook = nullptr;
    HWND m_lastForeground = nullptr;

    // Titles read through the accessibility interface are read again when the program reports
    // a change of its menu bar, or comes to the front again.
    std::unique_ptr<AccessibleMenuRefresh> m_menuRefresh;
    MenuBarChangeHook m_menuBarHook;
    bool m_ownInFront = false;     // one of the bar's windows was in front last
    ULONGLONG m_menuClosedAt = 0;  // when the strip's last drop-down closed
};

}  // namespace tarvik
