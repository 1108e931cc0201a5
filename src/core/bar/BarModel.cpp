#include "core/bar/BarModel.h"

#include "core/app/LogException.h"
#include "core/menus/MenuStrip.h"
#include "core/menus/NativeMenu.h"
#include "core/theme/Theme.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "RivovoZoz";
constexpr int32_t kRightButton = 2;

}  // namespace

BarModel::BarModel(const Theme& theme, Trace& trace, MenuStrip& strip, NativeMenu& nativeMenu,
                   IBarWindow& window)
    : m_theme(theme),
      m_trace(trace),
      m_strip(strip),
      m_nativeMenu(nativeMenu),
      m_windowPort(window) {
    m_strip.Changed = [this] { Invalidate(); };
}

BarModel::~BarModel() {
    m_strip.Changed = nullptr;
}

void BarModel::SetPlacement(const RectI& window) {
    m_window = window;
    m_strip.SetBounds(StripBounds(), ScreenPoint{double(window.X), double(window.Y)});
    Invalidate();
}

RectI BarModel::StripBounds() const {
    // Until widgets sit at both ends, the strip reaches to the right margin of the bar.
    const ThemeLayout& layout = m_theme.Layout;
    return MenuStripBounds(layout.MenuLeft, m_window.Width - layout.StatusRight, m_window.Height,
                           layout);
}

int32_t BarModel::VisibleHeight() const {
    return VisibleBarHeight(m_theme.Layout);
}

void BarModel::SetFill(uint32_t argb) {
    m_fill = GDIPBrush::FromArgb(argb);
    Invalidate();
}

void BarModel::SetGraphics(GDIPGraphics* graphics) {
    m_graphics = graphics;
    if (graphics) Invalidate();
}

void BarModel::Invalidate() {
    if (m_dirty) return;
    m_dirty = true;
    m_windowPort.RequestFrame();
}

bool BarModel::Flush() {
    if (!m_dirty || !m_graphics || m_contextMenuOpen) return false;
    m_dirty = false;
    return RunLogged(m_trace, kSource, "DrawBar", false, [this] {
        Compose(*m_graphics);
        m_windowPort.PushFrame();
    });
}

void BarModel::Compose(GDIPGraphics& graphics) const {
    graphics.Clear(0);
    graphics.FillRectangle(m_fill, 0.0f, 0.0f, static_cast<float>(m_window.Width),
                           static_cast<float>(VisibleHeight()));
    const RectI strip = m_strip.Bounds();
    graphics.DrawImage(m_strip.Image(), static_cast<float>(strip.X), static_cast<float>(strip.Y),
                       static_cast<float>(strip.Width), static_cast<float>(strip.Height));
}

void BarModel::MouseMove(MousePoint point) {
    // The widget host gets the first look once it exists.
    if (StrictlyInside(m_strip.Bounds(), point.x, point.y)) {
        SetHoverOwner(HoverOwner::Strip);
        m_strip.MouseMove(point.x);
    }
}

void BarModel::MouseDown(int32_t button, MousePoint point) {
    if (StrictlyInside(m_strip.Bounds(), point.x, point.y)) {
        m_strip.MouseDown(button, point.x, point.y);
    }
}

void BarModel::MouseUp(int32_t button, MousePoint /*point*/) {
    if (button != kRightButton) return;
    struct MenuOpen {
        bool& open;
        explicit MenuOpen(bool& flag) : open(flag) { open = true; }
        ~MenuOpen() { open = false; }
    };
    {
        const MenuOpen menuOpen(m_contextMenuOpen);
        m_windowPort.ShowContextMenu();
    }
    // What changed while the menu was open is shown now.
    if (m_dirty) m_windowPort.RequestFrame();
}

void BarModel::MouseLeave() {
    m_strip.ResetSelector();
}

void BarModel::SetHoverOwner(HoverOwner part) {
    if (part == m_hoverOwner) return;
    if (m_hoverOwner == HoverOwner::Strip) m_strip.OnMouseLeave();
    m_hoverOwner = part;
}

void BarModel::Tick() {
    if (m_contextMenuOpen) return;
    RunLogged(m_trace, kSource, "timEnumerateTasks_Timer", true, [this] {
        m_windowPort.KeepPlaced();
        // Telling the widgets that the cursor has left the bar joins here with the widget host.
        m_strip.Refresh();
        m_windowPort.PollForeground();
        m_windowPort.KeepBackdropBelow();
        Flush();
        m_nativeMenu.ShowPendingCommandFailure();
    });
}

}  // namespace tarvik
