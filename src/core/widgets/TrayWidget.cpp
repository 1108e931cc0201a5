#include "core/widgets/TrayWidget.h"

#include "core/app/LogException.h"
#include "core/app/Rounding.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/theme/Theme.h"
#include "core/widgets/TrayIcons.h"
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "TrayWidget";
constexpr int16_t kLeftButton = 1;
constexpr int16_t kRightButton = 2;
constexpr uint32_t kMouseMove = 0x200;
constexpr uint32_t kLeftDown = 0x201;
constexpr uint32_t kLeftUp = 0x202;
constexpr uint32_t kLeftDoubleClick = 0x203;
constexpr uint32_t kRightDown = 0x204;
constexpr uint32_t kRightUp = 0x205;
constexpr uint32_t kContextMenu = 0x7B;
constexpr uint32_t kSelect = 0x400;  // NIN_SELECT
constexpr int32_t kNewestVersion = 4;

// The fewest columns that make a grid at least as tall as it is wide: ceiling of the root.
int32_t ColumnsFor(int32_t count) {
    int32_t columns = 1;
    while (columns * columns < count) ++columns;
    return columns;
}

}  // namespace

TrayWidget::TrayWidget(const TrayWidgetServices& services)
    : m_theme(services.theme),
      m_trace(services.trace),
      m_tray(services.tray),
      m_cellSize(services.dpi.Scale(30)),
      m_iconSize(services.dpi.Scale(22)) {}

const SkinButton* TrayWidget::ButtonIcon() const {
    return &m_theme.Skin("tray");
}

int32_t TrayWidget::Rows() const {
    const auto count = static_cast<int32_t>(m_visible.size());
    return count == 0 ? 1 : (count + m_columns - 1) / m_columns;
}

void TrayWidget::CollectVisibleIcons() {
    m_visible.clear();
    for (const auto& icon : m_tray.Icons())
        if (!icon->Hidden && icon->HasImage()) m_visible.push_back(icon);
}

void TrayWidget::MeasureCanvas(GDIPGraphics& /*graphics*/, int32_t& width, int32_t& height) {
    RunLogged(m_trace, kSource, "MeasureCanvas", true, [&] {
        m_padX = m_padY = m_theme.Layout.PopupPad;
        CollectVisibleIcons();
        m_columns = ColumnsFor(static_cast<int32_t>(m_visible.size()));
        width = m_cellSize * m_columns + 2 * m_padX;
        height = m_cellSize * Rows() + 2 * m_padY;
    });
}

void TrayWidget::PaintCanvas(GDIPGraphics& graphics, int32_t /*width*/, int32_t /*height*/) {
    RunLogged(m_trace, kSource, "PaintCanvas", true, [&] {
        const int32_t inset = (m_cellSize - m_iconSize) / 2;
        const auto edge = static_cast<float>(m_iconSize);
        for (size_t i = 0; i < m_visible.size(); ++i) {
            const auto index = static_cast<int32_t>(i);
            const int32_t x = m_padX + index % m_columns * m_cellSize + inset;
            const int32_t y = m_padY + index / m_columns * m_cellSize + inset;
            // The picture lives as long as the icon this snapshot keeps.
            graphics.DrawImage(*m_visible[i]->Image(), static_cast<float>(x), static_cast<float>(y),
                               edge, edge);
        }
    });
}

const NotifyIcon* TrayWidget::IconAt(int32_t x, int32_t y) const {
    if (m_visible.empty() || x < m_padX || y < m_padY) return nullptr;
    const int32_t column = (x - m_padX) / m_cellSize;
    const int32_t row = (y - m_padY) / m_cellSize;
    if (column >= m_columns) return nullptr;
    const int64_t index = int64_t{row} * m_columns + column;
    return index < static_cast<int64_t>(m_visible.size()) ? m_visible[size_t(index)].get()
                                                          : nullptr;
}

void TrayWidget::Remember(float x, float y) {
    m_lastX = NearestInt(x);
    m_lastY = NearestInt(y);
}

void TrayWidget::OnCanvasMouseMove(int16_t /*button*/, float x, float y) {
    RunLogged(m_trace, kSource, "OnCanvasMouseMove", true, [&] {
        Remember(x, y);
        m_tray.ForwardIconEvent(IconAt(m_lastX, m_lastY), kMouseMove);
    });
}

void TrayWidget::OnCanvasMouseDown(int16_t button, float x, float y) {
    RunLogged(m_trace, kSource, "OnCanvasMouseDown", true, [&] {
        Remember(x, y);
        if (button != kLeftButton && button != kRightButton) return;
        m_tray.ForwardIconEvent(IconAt(m_lastX, m_lastY),
                                button == kLeftButton ? kLeftDown : kRightDown);
    });
}

void TrayWidget::OnCanvasMouseUp(int16_t button, float x, float y) {
    RunLogged(m_trace, kSource, "OnCanvasMouseUp", true, [&] {
        if (button != kLeftButton && button != kRightButton) return;
        const NotifyIcon* icon = IconAt(NearestInt(x), NearestInt(y));
        if (!icon) return;
        m_tray.AllowOwnerForeground(icon);
        const bool modern = icon->Version >= kNewestVersion;
        if (button == kLeftButton) {
            m_tray.ForwardIconEvent(icon, kLeftUp);
            if (modern) m_tray.ForwardIconEvent(icon, kSelect);
            if (m_host) m_host->CloseCanvas();
        } else {
            m_tray.ForwardIconEvent(icon, kRightUp);
            if (modern) m_tray.ForwardIconEvent(icon, kContextMenu);
        }
    });
}

void TrayWidget::OnCanvasDblClick() {
    RunLogged(m_trace, kSource, "OnCanvasDblClick", true, [&] {
        const NotifyIcon* icon = IconAt(m_lastX, m_lastY);
        m_tray.AllowOwnerForeground(icon);
        m_tray.ForwardIconEvent(icon, kLeftDoubleClick);
    });
}

}  // namespace tarvik
