#include "core/widgets/framework/PushButton.h"

#include "core/app/LogException.h"
#include "core/app/Rounding.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"

namespace tarvik {

namespace {

constexpr int32_t kButtonHeight = 24;
constexpr int32_t kTextInset = 12;
constexpr int32_t kMinimumWidth = 64;

}  // namespace

PushButton::PushButton(const Theme& theme, Brushes& brushes, Trace& trace, const Dpi& dpi)
    : m_theme(theme),
      m_brushes(brushes),
      m_trace(trace),
      m_height(dpi.Scale(kButtonHeight)),
      m_inset(dpi.Scale(kTextInset)),
      m_minWidth(dpi.Scale(kMinimumWidth)) {}

int32_t PushButton::MeasuredWidth(GDIPGraphics& graphics) const {
    const float measured = graphics.MeasureString(Caption, m_theme.FontFor(0)).Width;
    const int32_t width = NearestInt(static_cast<double>(measured) + 2.0 * m_inset);
    return width < m_minWidth ? m_minWidth : width;
}

void PushButton::LayoutAt(GDIPGraphics& graphics, int32_t x, int32_t y) {
    m_bounds = BoundsRect{x, y, MeasuredWidth(graphics), m_height};
}

void PushButton::LayoutCentered(GDIPGraphics& graphics, int32_t containerWidth, int32_t y) {
    const int32_t width = MeasuredWidth(graphics);
    m_bounds = BoundsRect{(containerWidth - width) / 2, y, width, m_height};
}

void PushButton::LayoutRightAligned(GDIPGraphics& graphics, int32_t right, int32_t y) {
    const int32_t width = MeasuredWidth(graphics);
    m_bounds = BoundsRect{right - width, y, width, m_height};
}

void PushButton::Draw(GDIPGraphics* graphics) const {
    if (graphics == nullptr || m_bounds.Width < 1) return;
    RunLogged(m_trace, "PushButton", "Draw", true, [&] {
        const RectI rect{m_bounds.X, m_bounds.Y, m_bounds.Width, m_bounds.Height};
        m_theme.Glass.PaintButton(graphics, rect, Accent && Enabled, Hovered && Enabled);

        const GDIPFont& font = m_theme.FontFor(0);
        const float measured = graphics->MeasureString(Caption, font).Width;
        const int32_t x =
            m_bounds.X + NearestInt(m_bounds.Width - static_cast<double>(measured)) / 2;
        // Placed by the font size rather than the measured height, a little above centre.
        const int32_t y = m_bounds.Y +
                          NearestInt(m_bounds.Height - static_cast<double>(m_theme.TextSize)) / 2 -
                          2;
        const GDIPBrush& brush = !Enabled ? m_brushes.DisabledBrush()
                                 : Accent ? m_brushes.HighlightBrush()
                                          : m_brushes.TextBrush();
        graphics->DrawString(Caption, font, brush, static_cast<float>(x), static_cast<float>(y));
    });
}

bool PushButton::HitTest(float x, float y) const {
    if (!Enabled || m_bounds.Width < 1) return false;
    const double left = m_bounds.X;
    const double top = m_bounds.Y;
    return left <= x && x < left + m_bounds.Width && top <= y && y < top + m_bounds.Height;
}

bool PushButton::UpdateHover(float x, float y) {
    const bool hit = HitTest(x, y);
    if (hit == Hovered) return false;
    Hovered = hit;
    return true;
}

}  // namespace tarvik
