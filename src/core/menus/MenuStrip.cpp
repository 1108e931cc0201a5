#include "core/menus/MenuStrip.h"

#include "core/app/Rounding.h"

#include <utility>

#include "core/app/LogException.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"

namespace tarvik {

namespace {

constexpr std::string_view kSource = "MenuStrip";
constexpr int32_t kBold = 1;
constexpr int32_t kRegular = 0;

}  // namespace

MenuStrip::MenuStrip(const MenuStripServices& services)
    : m_theme(services.theme),
      m_brushes(services.brushes),
      m_trace(services.trace),
      m_dropDown(services.dropDown),
      m_menus(services.menus) {}

void MenuStrip::Refresh() {
    if (m_hWnd == 0) return;
    if (m_menus.ShortWindowTitle(m_hWnd) != m_applicationName) PopulateFromhWnd(m_hWnd);
}

void MenuStrip::ResetSelector() {
    const std::shared_ptr<MenuItem> before = std::exchange(m_hover, nullptr);
    RedrawTitles({before.get()});
}

void MenuStrip::SetBounds(const RectI& bounds, ScreenPoint barOrigin) {
    m_bounds = bounds;
    m_barOrigin = barOrigin;
    // The old surface draws into the old bitmap: release it before the bitmap goes.
    m_graphics.Dispose();
    m_bitmap = GDIPBitmap::CreateFromSizeFormat(bounds.Width, bounds.Height, kPixelFormat32bppARGB);
    if (m_bitmap.NativeHandle() != nullptr) {
        m_graphics.FromImage(m_bitmap.Image());
        if (m_graphics.IsBound()) m_graphics.ApplySurfaceSettings();
    }
    Redraw();
}

void MenuStrip::MouseDown(int32_t /*button*/, int32_t /*x*/, int32_t /*y*/) {
    if (!m_hover) return;
    ShowDropDownFor(*m_hover);
    const std::shared_ptr<MenuItem> before = std::exchange(m_selected, m_hover);
    RedrawTitles({before.get(), m_selected.get()});
}

void MenuStrip::MouseMove(int16_t x) {
    const std::shared_ptr<MenuItem> item = TitleAt(int32_t{x} - m_bounds.X);
    // The application title is never highlighted and opens nothing.
    if (!item || item == m_hover || item == m_applicationTitle) return;
    const std::shared_ptr<MenuItem> hoverBefore = std::exchange(m_hover, item);
    const std::shared_ptr<MenuItem> selectedBefore = m_selected;
    if (m_dropDown.IsVisible()) {
        ShowDropDownFor(*m_hover);
        m_selected = m_hover;
    }
    RedrawTitles({hoverBefore.get(), selectedBefore.get(), m_hover.get()});
    RaiseChanged();
}

void MenuStrip::OpenTitle(int32_t index) {
    if (index < 2 || index > static_cast<int32_t>(m_titles.size())) return;
    const std::shared_ptr<MenuItem> title = m_titles[static_cast<size_t>(index - 1)];
    const std::shared_ptr<MenuItem> hoverBefore = std::exchange(m_hover, title);
    const std::shared_ptr<MenuItem> selectedBefore = std::exchange(m_selected, title);
    ShowDropDownFor(*title);
    RedrawTitles({hoverBefore.get(), selectedBefore.get(), title.get()});
}

void MenuStrip::OnMouseLeave() {
    if (m_dropDown.IsVisible()) m_dropDown.Hide();
    if (m_selected) {
        const std::shared_ptr<MenuItem> before = std::exchange(m_selected, nullptr);
        RedrawTitles({before.get()});
    }
}

void MenuStrip::PopulateFromhWnd(WindowHandle window) {
    m_titles = MenuItemList{};
    m_selected = nullptr;
    m_hWnd = window;
    m_applicationName = m_menus.ShortWindowTitle(window);
    m_applicationTitle->text = m_applicationName;
    m_titles.push_back(m_applicationTitle);
    m_menus.ReadMenuBar(m_titles, window);
    // Only a window that gave no title of its own gets the custom shortcut menus.
    if (m_titles.size() == 1 && m_customMenus != nullptr) {
        m_customMenus->AppendMenusFor(m_titles, window);
    }
    Redraw();
}

void MenuStrip::Repopulate() {
    if (m_hWnd != 0) PopulateFromhWnd(m_hWnd);
}

void MenuStrip::PopulateFromTest() {
    RunLogged(m_trace, kSource, "PopulateFromTest", false, [this] {
        m_titles = MenuItemList{};
        m_applicationTitle->text = "Tarvik";
        m_titles.push_back(m_applicationTitle);
        for (const char* text : {"File", "Edit", "View", "Window", "Help"}) {
            auto title = std::make_shared<MenuItem>();
            title->text = text;
            m_titles.push_back(std::move(title));
        }
        Redraw();
    });
}

void MenuStrip::m_menu_Closed() {
    const std::shared_ptr<MenuItem> hoverBefore = std::exchange(m_hover, nullptr);
    const std::shared_ptr<MenuItem> selectedBefore = std::exchange(m_selected, nullptr);
    RedrawTitles({hoverBefore.get(), selectedBefore.get()});
}

std::shared_ptr<MenuItem> MenuStrip::TitleAt(int32_t x) const {
    const double pad = m_theme.Layout.MenuPad;
    const double at = x;
    for (const auto& title : m_titles) {
        const double left = double{title->Left} - pad;
        const double right = double{title->Left} + double{title->width} + pad;
        if (left <= at && at <= right) return title;
    }
    return nullptr;
}

void MenuStrip::LayoutTitles() {
    double x = m_theme.Layout.MenuTextX;
    for (const auto& title : m_titles) {
        const int32_t bold = title == m_applicationTitle ? kBold : kRegular;
        title->width = m_graphics.MeasureStringWidth(title->text, m_theme.FontFor(bold));
        title->Left = static_cast<float>(x);
        x = NearestInt(x + double{title->width} + m_theme.Layout.MenuGap);
    }
}

void MenuStrip::Redraw() {
    // Without a surface (no bounds yet, or a size the bitmap could not take) there is nothing to
    // measure or paint.
    if (m_graphics.IsBound()) {
        LayoutTitles();
        m_graphics.Clear(0);
        for (const auto& title : m_titles) DrawTitle(*title);
    }
    m_changed = RectI{0, 0, m_bounds.Width, m_bounds.Height};
    RaiseChanged();
}

RectI MenuStrip::HighlightOf(const MenuItem& title) const {
    const double pad = m_theme.Layout.MenuPad;
    return RectI{NearestInt(double{title.Left} - pad), 0,
                 NearestInt(double{title.width} + 2.0 * pad), m_bounds.Height};
}

void MenuStrip::RedrawTitles(std::initializer_list<const MenuItem*> titles) {
    RectI area;
    for (const MenuItem* title : titles) {
        if (title) area = Union(area, HighlightOf(*title));
    }
    area = Intersection(area, RectI{0, 0, m_bounds.Width, m_bounds.Height});
    m_changed = area;
    if (area.IsEmpty()) return;
    if (m_graphics.IsBound()) {
        DrawClipped(m_graphics, ToRectF(area), [&] {
            m_graphics.Clear(0);
            for (const auto& title : m_titles) {
                if (!Intersection(area, HighlightOf(*title)).IsEmpty()) DrawTitle(*title);
            }
        });
    }
    RaiseChanged();
}

void MenuStrip::DrawTitle(const MenuItem& title) {
    const ThemeLayout& layout = m_theme.Layout;
    const PointF at{static_cast<float>(NearestInt(title.Left)),
                    static_cast<float>(layout.MenuTextY)};
    if (&title == m_applicationTitle.get()) {
        m_graphics.DrawString(title.text, m_theme.FontFor(kBold), m_brushes.TextBrush(), at);
        return;
    }
    const RectI highlight{NearestInt(double{title.Left} - layout.MenuPad), 0,
                          NearestInt(double{title.width} + 2.0 * layout.MenuPad),
                          m_bounds.Height - layout.BarShadow};
    const GDIPFont& font = m_theme.FontFor(kRegular);
    if (&title == m_selected.get()) {
        m_theme.Glass.PaintPressed(&m_graphics, highlight);
        m_graphics.DrawString(title.text, font, m_brushes.TextBrush(), at);
    } else if (&title == m_hover.get()) {
        m_theme.Glass.PaintSelection(&m_graphics, highlight);
        m_graphics.DrawString(title.text, font, m_brushes.HighlightBrush(), at);
    } else {
        m_graphics.DrawString(title.text, font, m_brushes.TextBrush(), at);
    }
}

void MenuStrip::ShowDropDownFor(MenuItem& title) {
    m_menus.ReadTitleRows(title);
    const ThemeLayout& layout = m_theme.Layout;
    // The drop-down's left edge lines up with the title's highlight; its top is the bottom of
    // the visible strip, above the shadow band.
    const double left = m_barOrigin.x + m_bounds.X + double{title.Left} - layout.MenuPad;
    const double top = m_barOrigin.y + m_bounds.Y + m_bounds.Height - layout.BarShadow;
    m_dropDown.ShowList(title.Children, ScreenPoint{left, top});
}

void MenuStrip::RaiseChanged() {
    if (Changed) Changed();
}

}  // namespace tarvik
