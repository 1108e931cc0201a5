#include "core/bar/BarModel.h"

#include "core/app/HandlerScope.h"
#include "core/app/LogException.h"
#include "core/menus/MenuStrip.h"
#include "core/menus/NativeMenu.h"
#include "core/shortcuts/MenuEditorHandoff.h"
#include "core/theme/Theme.h"
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "RivovoZoz";
constexpr int32_t kRightButton = 2;

}  // namespace

BarModel::BarModel(const Theme& theme, Trace& trace, MenuStrip& strip, NativeMenu& nativeMenu,
                   IBarWindow& window, WidgetHost* host)
    : m_theme(theme),
      m_trace(trace),
      m_strip(strip),
      m_nativeMenu(nativeMenu),
      m_windowPort(window),
      m_host(host) {
    m_strip.Changed = [this] {
        const RectI& bounds = m_strip.Bounds();
        const RectI changed = m_strip.ChangedArea();
        InvalidateArea(Intersection(bounds, RectI{bounds.X + changed.X, bounds.Y + changed.Y,
                                                  changed.Width, changed.Height}));
    };
    if (m_host) m_host->Initialize(*this);
}

BarModel::~BarModel() {
    m_strip.Changed = nullptr;
}

void BarModel::SetPlacement(const RectI& window) {
    const bool moved = window.X != m_window.X || window.Y != m_window.Y;
    m_window = window;
    if (m_host) m_host->Arrange(window.Width);
    // The strip's picture is kept while its place on the bar is the same.
    const RectI strip = StripBounds();
    if (moved || strip != m_stripBounds || m_strip.Bounds() != strip) {
        m_strip.SetBounds(strip, ScreenPoint{double(window.X), double(window.Y)});
    }
    m_stripBounds = strip;
    Invalidate();
}

RectI BarModel::StripBounds() const {
    const ThemeLayout& layout = m_theme.Layout;
    if (m_host) {
        return MenuStripBounds(m_host->StripLeft(), m_host->StripRight(), m_window.Height, layout);
    }
    return MenuStripBounds(layout.MenuLeft, m_window.Width - layout.StatusRight, m_window.Height,
                           layout);
}

int32_t BarModel::VisibleHeight() const {
    return VisibleBarHeight(m_theme.Layout);
}

void BarModel::SetFill(uint32_t argb) {
    m_fillArgb = argb;
    Invalidate();
}

void BarModel::SetGraphics(GDIPGraphics* graphics) {
    m_graphics = graphics;
    if (!graphics) return;
    // The buttons are measured on the new surface.
    if (m_host) m_host->SetGraphics(graphics);
    Invalidate();
}

void BarModel::Invalidate() {
    m_wholeFrame = true;
    RequestFrame();
}

void BarModel::InvalidateArea(const RectI& area) {
    const RectI inside = Intersection(area, ClientRect());
    if (inside.IsEmpty()) return;
    if (!m_wholeFrame) m_dirtyArea = m_dirty ? Union(m_dirtyArea, inside) : inside;
    RequestFrame();
}

void BarModel::RequestFrame() {
    if (m_dirty) return;
    m_dirty = true;
    m_windowPort.RequestFrame();
}

bool BarModel::Flush() {
    if (!m_dirty || !m_graphics || m_contextMenuOpen) return false;
    const RectI area = m_wholeFrame ? ClientRect() : m_dirtyArea;
    const bool whole = m_wholeFrame;
    m_dirty = false;
    m_wholeFrame = false;
    m_dirtyArea = RectI{};
    const bool shown = RunLogged(m_trace, kSource, "DrawBar", false, [&] {
        if (whole) {
            Compose(*m_graphics);
        } else {
            ComposeArea(*m_graphics, area);
        }
        m_windowPort.PushFrame(area);
    });
    // The screen may now differ from the surface anywhere: the next frame is whole.
    if (!shown) m_wholeFrame = true;
    return shown;
}

void BarModel::Compose(GDIPGraphics& graphics) const {
    FillBackground(graphics, ClientRect());
    const RectI strip = m_strip.Bounds();
    graphics.DrawImage(m_strip.Image(), static_cast<float>(strip.X), static_cast<float>(strip.Y),
                       static_cast<float>(strip.Width), static_cast<float>(strip.Height));
    if (m_host) m_host->Draw();
}

void BarModel::ComposeArea(GDIPGraphics& graphics, const RectI& area) const {
    FillBackground(graphics, area);
    DrawClipped(graphics, ToRectF(area), [&] {
        const RectI strip = m_strip.Bounds();
        const RectI part = Intersection(area, strip);
        if (!part.IsEmpty()) {
            graphics.DrawImageRect(
                m_strip.Image(), static_cast<float>(part.X), static_cast<float>(part.Y),
                static_cast<float>(part.Width), static_cast<float>(part.Height),
                static_cast<float>(part.X - strip.X), static_cast<float>(part.Y - strip.Y),
                static_cast<float>(part.Width), static_cast<float>(part.Height));
        }
        if (m_host) m_host->DrawArea(area);
    });
}

// The visible bar takes the fill, the shadow band below it is cleared; each pixel is written once.
void BarModel::FillBackground(GDIPGraphics& graphics, const RectI& area) const {
    const int32_t visible = VisibleHeight();
    const RectI fill = Intersection(area, RectI{0, 0, m_window.Width, visible});
    const RectI band = Intersection(area, RectI{0, visible, m_window.Width, m_window.Height});
    if (!fill.IsEmpty()) DrawClipped(graphics, ToRectF(fill), [&] { graphics.Clear(m_fillArgb); });
    if (!band.IsEmpty()) DrawClipped(graphics, ToRectF(band), [&] { graphics.Clear(0); });
}

void BarModel::MouseMove(MousePoint point) {
    const HandlerScope scope;
    if (m_host && m_host->OnMouseMove(point)) {
        SetHoverOwner(HoverOwner::Host);
    } else if (StrictlyInside(m_strip.Bounds(), point.x, point.y)) {
        SetHoverOwner(HoverOwner::Strip);
        m_strip.MouseMove(point.x);
    } else if (m_host) {
        m_host->OnMouseMiss();
    }
}

void BarModel::MouseDown(int32_t button, MousePoint point) {
    const HandlerScope scope;
    if (StrictlyInside(m_strip.Bounds(), point.x, point.y)) {
        m_strip.MouseDown(button, point.x, point.y);
    }
    if (m_host) m_host->OnMouseDown(point);
}

void BarModel::MouseUp(int32_t button, MousePoint point) {
    const HandlerScope scope;
    if (m_host && m_host->OnMouseUp(static_cast<int16_t>(button), point)) return;
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
    const HandlerScope scope;
    m_strip.ResetSelector();
    if (m_host) m_host->OnBarMouseLeave();
}

void BarModel::Activated(WindowHandle otherWindow) {
    const HandlerScope scope;
    if (!m_host) return;
    m_host->OnBarActivated(otherWindow);
    m_host->OnOwnerActivate();
}

void BarModel::SetHoverOwner(HoverOwner part) {
    if (part == m_hoverOwner) return;
    if (m_hoverOwner == HoverOwner::Strip) m_strip.OnMouseLeave();
    if (m_hoverOwner == HoverOwner::Host && m_host) m_host->OnBarMouseLeave();
    m_hoverOwner = part;
}

void BarModel::TellHostWhenCursorLeft() {
    int32_t x = 0;
    int32_t y = 0;
    if (!m_host || !m_windowPort.ReadCursor(x, y)) return;
    // The window's right and bottom edges still count as on the bar.
    const bool outside = x > m_window.X + m_window.Width || x < m_window.X ||
                         y > m_window.Y + m_window.Height || y < m_window.Y;
    if (outside) m_host->OnCursorLeftBar();
}

void BarModel::Tick() {
    const HandlerScope scope;
    if (m_contextMenuOpen) return;
    RunLogged(m_trace, kSource, "timEnumerateTasks_Timer", true, [this] {
        m_windowPort.KeepPlaced();
        TellHostWhenCursorLeft();
        m_strip.Refresh();
        m_windowPort.PollForeground();
        if (m_tray) {
            m_tray->KeepDecoyOnTop();
            m_tray->PruneDeadIcons();
            m_tray->TrayHostTick();
        }
        m_windowPort.KeepBackdropBelow();
        Flush();
        m_nativeMenu.ShowPendingCommandFailure();
        if (m_handoff) m_handoff->Tick();
    });
}

void BarModel::ClockTick() {
    const HandlerScope scope;
    if (!m_host) return;
    RunLogged(m_trace, kSource, "timUpdateClock_Timer", true, [this] {
        if (m_host->OnTick()) LayoutBar();
    });
}

}  // namespace tarvik
