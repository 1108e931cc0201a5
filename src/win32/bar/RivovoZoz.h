#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "core/bar/BarGeometry.h"
#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/menus/IDropDownMenu.h"
#include "core/menus/MenuStrip.h"
#include "win32/platform/IWndProcSink.h"
#include "win32/platform/LayeredWindowSurface.h"
#include "win32/platform/UniqueHandle.h"

namespace tarvik {

class BackdropWindow;
class Brushes;
class CommandLine;
class ContextMenu;
class LayeredWindow;
class NativeMenu;
class NativeMenuRowActions;
class Theme;
class Trace;
class WindowComposition;
class WindowSubclass;
class DropDownMenu;
class BarMenuSource;

// What the bar needs from the program; everything here outlives the bar.
struct BarServices {
    Trace& trace;
    CommandLine& commandLine;
    const Theme& theme;
    Brushes& brushes;
    LayeredWindow& surfaces;
    WindowSubclass& subclass;
    const WindowComposition& composition;
    NativeMenu& nativeMenu;
    ContextMenu& contextMenu;
    TwipsPerPixel twipsPerPixel;
    // A command picked from the context menu (0 when it was dismissed).
    std::function<void(int32_t)> onContextCommand;
};

// The program's main window: a layered strip across the top of the primary screen with the
// foreground program's menus on the left, over a blurred backdrop window.
class RivovoZoz final : public IWndProcSink, public IMenuStripOwner {
  public:
    static constexpr const wchar_t* kClassName = L"Tarvik_Bar";
    static constexpr UINT_PTR kEnumerateTasksTimer = 1;  // every 400 ms
    static constexpr UINT_PTR kUpdateClockTimer = 2;     // every second

    explicit RivovoZoz(BarServices services);
    ~RivovoZoz() override;
    RivovoZoz(const RivovoZoz&) = delete;
    RivovoZoz& operator=(const RivovoZoz&) = delete;

    // Creates the window, builds its content and shows it; false when the window could not
    // be made.
    bool Create();
    HWND Handle() const { return m_window; }
    // Closes the bar; the shutdown sequence runs as the window goes away.
    void Close();

    void Initialize();
    void LayoutBar();
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

    // Where the bar sits on the screen, for the strip's drop-down.
    double LeftTwips() const override;
    double TopTwips() const override;

    // The strip and its drop-down, for tests and benchmarks.
    MenuStrip& Strip() { return *m_menuStrip; }
    DropDownMenu& StripDropDown() { return *m_dropDown; }
    RectI StripBounds() const;
    bool FollowsForegroundByPolling() const { return m_followForeground; }

  private:
    enum class HoverOwner { None, Host, Strip };

    static void RegisterBarClass();
    static LRESULT CALLBACK ClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT FormProcedure(UINT message, WPARAM wParam, LPARAM lParam);

    void Place();
    bool NeedsPlacement() const;
    void CreateGraphics();
    void KeepBackdropBelow();
    void RegisterForegroundNotices();
    void FollowForegroundWindow();
    void OnMouseMove(MousePoint point);
    void OnMouseDown(int32_t button, MousePoint point);
    void OnMouseUp(int32_t button, MousePoint point);
    void ShowContextMenu();
    void SetHoverOwner(HoverOwner part);
    void ResetHover();
    void RequestMouseLeave();
    void Unload();
    RectI WindowRect() const;
    int32_t ClientWidth() const;
    int32_t ClientHeight() const;

    BarServices m_services;
    HWND m_window = nullptr;
    GDIPGraphics m_graphics;
    std::shared_ptr<LayeredWindowSurface> m_surface;
    std::unique_ptr<BackdropWindow> m_backdrop;
    bool m_backdropActive = false;
    GDIPBrush m_barBrush;
    HoverOwner m_hoverOwner = HoverOwner::None;
    bool m_initialized = false;
    bool m_unloaded = false;
    UINT m_shellHookMessage = 0;
    bool m_trackingMouse = false;
    MousePoint m_lastPoint;
    std::unique_ptr<BarMenuSource> m_menuSource;
    std::unique_ptr<NativeMenuRowActions> m_rowActions;
    std::unique_ptr<DropDownMenu> m_dropDown;
    std::unique_ptr<MenuStrip> m_menuStrip;
    bool m_menuEditorBusy = false;
    bool m_contextMenuOpen = false;

    // Where the shell's activation notices do not arrive, the bar follows the foreground
    // window itself: through a WinEvent hook, and by looking on every housekeeping tick.
    bool m_followForeground = false;
    HWINEVENTHOOK m_foregroundHook = nullptr;
    HWND m_lastForeground = nullptr;
};

}  // namespace tarvik
