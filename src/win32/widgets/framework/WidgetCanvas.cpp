#include "win32/widgets/framework/WidgetCanvas.h"

#include <windowsx.h>

#include "core/app/Error.h"
#include "core/app/LogException.h"
#include "core/widgets/framework/CanvasPlacement.h"
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik {

namespace {

// The buttons held during a move: 1 left, 2 right, 4 middle.
int16_t HeldButtons(WPARAM wParam) {
    return static_cast<int16_t>(((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) |
                                ((wParam & MK_MBUTTON) ? 4 : 0));
}

// The button a press or release message is about, in the same numbering.
int16_t ChangedButton(UINT message) {
    switch (message) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return 2;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return 4;
        default:
            return 1;
    }
}

// The modifiers held now: 1 Shift, 2 Ctrl, 4 Alt, 8 the Windows key.
int16_t ModifierMask() {
    return static_cast<int16_t>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                                (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                (GetKeyState(VK_MENU) < 0 ? 4 : 0) |
                                (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0 ? 8 : 0));
}

float PointX(LPARAM lParam) {
    return static_cast<float>(GET_X_LPARAM(lParam));
}

float PointY(LPARAM lParam) {
    return static_cast<float>(GET_Y_LPARAM(lParam));
}

}  // namespace

WidgetCanvas::WidgetCanvas(const WidgetCanvasServices& services)
    : BaseWindow(WindowGuard{&services.trace, kSource, "WndProc", true}),
      m_services(services),
      m_surface(services.surfaces, services.composition, services.theme.Glass) {
    RunLogged(m_services.trace, kSource, "Form_Initialize", false, [this] {
        Load();
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        CreateSurface();
        Repaint();
    });
}

WidgetCanvas::~WidgetCanvas() {
    // Unhooked first: the messages of the destruction must not reach a host that is going.
    if (Handle()) WindowSubclass::UnhookWindow(Handle());
    DestroyBaseWindow();
}

// Creates the window, hidden and one pixel in size, and routes its messages to this object.
void WidgetCanvas::Load() {
    if (!CreateBaseWindow({kClassName, CS_DBLCLKS}, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"", WS_POPUP,
                          RECT{0, 0, 1, 1})) {
        throw Error(static_cast<int32_t>(GetLastError()), "the canvas window could not be made");
    }
    m_services.subclass.HookWindow(Handle(), *this);
}

void WidgetCanvas::SetTop(int32_t top) {
    RECT rect{};
    if (!Handle() || !GetWindowRect(Handle(), &rect)) return;
    SetWindowPos(Handle(), nullptr, rect.left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WidgetCanvas::ShowFor(IWidget& widget, int32_t anchorX) {
    RunLogged(m_services.trace, kSource, "ShowFor", false, [&] {
        m_widget = &widget;
        if (!Handle()) Load();
        int32_t width = 0;
        int32_t height = 0;
        widget.MeasureCanvas(m_surface.Graphics(), width, height);
        const CanvasPlacement placed =
            PlaceCanvas(anchorX, width, height, GetSystemMetrics(SM_CXSCREEN));
        RECT rect{};
        GetWindowRect(Handle(), &rect);
        if (!SetWindowPos(Handle(), HWND_TOPMOST, static_cast<int>(placed.left), rect.top,
                          placed.width, placed.height, SWP_NOACTIVATE)) {
            throw Error(static_cast<int32_t>(GetLastError()), "the canvas could not be placed");
        }
        CreateSurface();
        Repaint();
        // Showing activates the canvas, so that its widget gets the keys. A canvas that opens
        // because the pointer passes over a button takes no keys: the user's program stays active.
        ShowWindow(Handle(),
                   widget.Activation() == ActivateHoverCanvas ? SW_SHOWNOACTIVATE : SW_SHOW);
    });
}

bool WidgetCanvas::IsVisible() const {
    return Handle() && IsWindowVisible(Handle());
}

void WidgetCanvas::Hide() {
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

WindowHandle WidgetCanvas::Window() const {
    return reinterpret_cast<WindowHandle>(Handle());
}

SIZE WidgetCanvas::ClientSize() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

// A fresh surface of the window's current size, with the glass behind it.
void WidgetCanvas::CreateSurface() {
    const SIZE size = ClientSize();
    m_surface.Create(Handle(), size.cx, size.cy);
}

void WidgetCanvas::Repaint() {
    if (!Handle() || !m_surface.Ready()) throw Error(0, "the canvas has no surface");
    const SIZE size = ClientSize();
    GDIPGraphics& graphics = m_surface.Graphics();
    graphics.Clear(0);
    m_services.theme.Glass.Paint(&graphics, size.cx, size.cy, m_surface.GlassApplied());
    if (m_widget) m_widget->PaintCanvas(graphics, size.cx, size.cy);
    m_surface.Push(Handle());
}

// Out of sight, and the host hears that its open canvas is gone.
void WidgetCanvas::Dismiss() {
    Hide();
    if (m_host) m_host->OnCanvasDismissed();
    if (Dismissed) Dismissed();
}

void WidgetCanvas::OnMouseMove(int16_t buttons, float x, float y) {
    if (!m_tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        m_tracking = TrackMouseEvent(&track) != FALSE;
    }
    if (m_widget) m_widget->OnCanvasMouseMove(buttons, x, y);
}

ICanvasKeys* WidgetCanvas::Keys() const {
    return dynamic_cast<ICanvasKeys*>(m_widget);
}

void WidgetCanvas::OnKeyDown(int16_t keyCode) {
    if (ICanvasKeys* keys = Keys()) keys->OnCanvasKeyDown(keyCode, ModifierMask());
}

void WidgetCanvas::OnKeyPress(int16_t keyAscii) {
    if (ICanvasKeys* keys = Keys()) keys->OnCanvasKeyPress(keyAscii);
}

LRESULT WidgetCanvas::IWndProcSink_WndProc(HWND& window, UINT& message, WPARAM& wParam,
                                           LPARAM& lParam) {
    switch (message) {
        case WM_SETCURSOR:
            if (m_handCursor) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return 1;
            }
            break;
        case WM_ACTIVATEAPP:
            // Another program is being activated; a canvas under the pointer stays.
            if (LOWORD(wParam) == 0 && IsVisible() && !m_tracking) Dismiss();
            break;
        case WM_MOUSELEAVE:
            m_tracking = false;
            RunLogged(m_services.trace, kSource, "WndProc", true, [this] {
                if (m_widget) m_widget->OnCanvasMouseLeave();
            });
            break;
        default:
            break;
    }
    return WindowSubclass::CallOldWindowProc(window, message, wParam, lParam);
}

// The window is going: its surface goes with it.
void WidgetCanvas::OnWindowGone() {
    m_surface.Release();
    m_services.surfaces.Forget(Handle());
    m_tracking = false;
}

LRESULT WidgetCanvas::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    Trace& trace = m_services.trace;
    switch (message) {
        case WM_MOUSEMOVE:
            RunLogged(trace, kSource, "Form_MouseMove", true,
                      [&] { OnMouseMove(HeldButtons(wParam), PointX(lParam), PointY(lParam)); });
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            RunLogged(trace, kSource, "Form_MouseDown", true, [&] {
                if (m_widget) {
                    m_widget->OnCanvasMouseDown(ChangedButton(message), PointX(lParam),
                                                PointY(lParam));
                }
            });
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            RunLogged(trace, kSource, "Form_MouseUp", true, [&] {
                if (m_widget) {
                    m_widget->OnCanvasMouseUp(ChangedButton(message), PointX(lParam),
                                              PointY(lParam));
                }
            });
            return 0;
        case WM_LBUTTONDBLCLK:
            RunLogged(trace, kSource, "Form_DblClick", true, [&] {
                if (m_widget) m_widget->OnCanvasDblClick();
            });
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            // System keys keep their meaning (Alt alone opens no menu here; Alt+F4 closes) unless
            // the widget captures the keys, as while it records a chord.
            const ICanvasKeys* keys = Keys();
            const bool captured = keys && keys->CapturesKeys();
            RunLogged(trace, kSource, "Form_KeyDown", true,
                      [&] { OnKeyDown(static_cast<int16_t>(wParam)); });
            if (message == WM_SYSKEYDOWN && !captured) break;
            return 0;
        }
        case WM_CHAR:
            RunLogged(trace, kSource, "Form_KeyPress", true,
                      [&] { OnKeyPress(static_cast<int16_t>(wParam)); });
            return 0;
        case WM_CLOSE:
            // Closing (Alt+F4) hides the canvas as switching away does; the window stays for the
            // next widget.
            if (IsVisible()) Dismiss();
            return 0;
        default:
            break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

}  // namespace tarvik
