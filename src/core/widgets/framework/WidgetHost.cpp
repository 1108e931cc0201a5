#include "core/widgets/framework/WidgetHost.h"

#include <algorithm>
#include <utility>

#include "core/app/LogException.h"
#include "core/app/Rounding.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/platform/SettingsStore.h"
#include "core/text/StringHelpers.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"

namespace tarvik {

namespace {

constexpr int16_t kLeftButton = 1;

bool Contains(const BoundsRect& b, MousePoint p) {
    return b.X < p.x && p.x < b.X + b.Width && b.Y < p.y && p.y < b.Y + b.Height;
}

RectI ToRect(const BoundsRect& b) {
    return RectI{b.X, b.Y, b.Width, b.Height};
}

bool OnBar(const WidgetSlot& slot) {
    return slot.Enabled && !slot.Hidden;
}

// Runs a step whose failure must not stop the next one.
template <typename Work>
void Ignoring(Work&& work) noexcept {
    try {
        work();
    } catch (...) {
    }
}

}  // namespace

void AssignOwner(const MenuItemList& items, IWidget* widget) {
    for (const auto& item : items) {
        if (!item) continue;
        item->OwnerWidget = widget;
        if (!item->Children.empty()) AssignOwner(item->Children, widget);
    }
}

WidgetHost::WidgetHost(const WidgetHostServices& services)
    : m_theme(services.theme),
      m_brushes(services.brushes),
      m_trace(services.trace),
      m_dpi(services.dpi),
      m_settings(services.settings),
      m_canvas(&services.canvas),
      m_menu(&services.menu) {}

WidgetHost::~WidgetHost() {
    Dispose();
}

void WidgetHost::Initialize(IWidgetBar& bar) {
    m_bar = &bar;
    m_slots.clear();
    if (m_canvas) m_canvas->SetHost(this);
    m_storedDisabled = m_settings.Read(kSettingsSection, kDisabledKey, "");
    m_disabledList = "," + m_storedDisabled + ",";
}

void WidgetHost::Register(std::shared_ptr<IWidget> widget) {
    RegisterSlot(std::move(widget), false);
}

void WidgetHost::RegisterHidden(std::shared_ptr<IWidget> widget) {
    RegisterSlot(std::move(widget), true);
}

void WidgetHost::RegisterSlot(std::shared_ptr<IWidget> widget, bool hidden) {
    if (!widget) return;
    widget->Attach(this);
    auto slot = std::make_unique<WidgetSlot>();
    const std::string key = "," + ToLowerAscii(widget->Name()) + ",";
    slot->widget = std::move(widget);
    slot->Enabled = hidden || ToLowerAscii(m_disabledList).find(key) == std::string::npos;
    slot->Hidden = hidden;
    IWidget& added = *slot->widget;
    const bool running = slot->Enabled;
    m_slots.push_back(std::move(slot));
    if (running && !m_workHeld) added.SetRunning(true);
}

void WidgetHost::HoldBackgroundWork() {
    m_workHeld = true;
}

void WidgetHost::StartBackgroundWork() {
    if (!m_workHeld) return;
    m_workHeld = false;
    for (const auto& slot : m_slots) {
        if (slot->Enabled) Ignoring([&] { slot->widget->SetRunning(true); });
    }
}

std::string WidgetHost::WidgetNameAt(int32_t index) const {
    if (index < 1 || index > WidgetCount()) return {};
    return m_slots[index - 1]->widget->Name();
}

bool WidgetHost::WidgetEnabledAt(int32_t index) const {
    return index >= 1 && index <= WidgetCount() && m_slots[index - 1]->Enabled;
}

bool WidgetHost::WidgetHiddenAt(int32_t index) const {
    return index >= 1 && index <= WidgetCount() && m_slots[index - 1]->Hidden;
}

WidgetSlot* WidgetHost::FindSlot(std::string_view name) const {
    for (const auto& slot : m_slots) {
        if (slot->widget->Name() == name) return slot.get();
    }
    return nullptr;
}

void WidgetHost::SetWidgetEnabled(std::string_view name, bool enabled) {
    RunLogged(m_trace, kSource, "SetWidgetEnabled", true, [&] {
        if (WidgetSlot* slot = FindSlot(name)) {
            if (slot->Enabled == enabled) return;
            slot->Enabled = enabled;
            if (!enabled) {
                slot->Hot = false;
                if (m_hotSlot == slot) m_hotSlot = nullptr;
                if (m_pressedSlot == slot) m_pressedSlot = nullptr;
                if (m_openSlot == slot) {
                    if (slot->widget->Activation() == ActivateMenu) {
                        if (m_menu) m_menu->closeMe();
                    } else {
                        CloseCanvas();
                    }
                }
            }
            if (!m_workHeld) slot->widget->SetRunning(enabled);
        }
        SaveDisabledList();
        if (m_bar) {
            m_bar->LayoutBar();
            m_bar->DrawBar();
        }
    });
}

void WidgetHost::SaveDisabledList() {
    std::string list;
    for (const auto& slot : m_slots) {
        if (slot->Enabled) continue;
        if (!list.empty()) list += ',';
        list += slot->widget->Name();
    }
    // Names of widgets this copy does not have (stored by another version) are kept.
    size_t start = 0;
    while (start <= m_storedDisabled.size()) {
        size_t end = m_storedDisabled.find(',', start);
        if (end == std::string::npos) end = m_storedDisabled.size();
        const std::string name = m_storedDisabled.substr(start, end - start);
        const std::string lower = ToLowerAscii(name);
        const bool known = std::any_of(m_slots.begin(), m_slots.end(), [&](const auto& slot) {
            return ToLowerAscii(slot->widget->Name()) == lower;
        });
        if (!name.empty() && !known) list += (list.empty() ? "" : ",") + name;
        start = end + 1;
    }
    m_disabledList = "," + list + ",";
    m_settings.Write(kSettingsSection, kDisabledKey, list);
}

void WidgetHost::SetGraphics(GDIPGraphics* graphics) {
    m_graphics = graphics;
    RunLogged(m_trace, kSource, "SetGraphics", false, [this] {
        for (const auto& slot : m_slots) MeasureSlot(*slot);
    });
}

void WidgetHost::MeasureSlot(WidgetSlot& slot) {
    slot.IconWidth = 0;
    slot.TextHeight = 0;
    slot.contentWidth = 0;
    slot.contentHeight = 0;
    slot.text = slot.widget->ButtonText();
    slot.icon = slot.widget->ButtonIcon();
    if (const SkinButton* icon = slot.icon) {
        int32_t iconHeight = 0;
        const GDIPImage* image = icon->frame(kButtonStateNormal);
        if (icon->IsEmpty() || !image) {
            slot.IconWidth = m_dpi.Scale(16);
            iconHeight = slot.IconWidth;
        } else {
            slot.IconWidth = image->width();
            iconHeight = image->Height();
        }
        slot.contentWidth = slot.IconWidth;
        slot.contentHeight = iconHeight;
    }
    if (!slot.text.empty() && m_graphics) {
        const RectF size = m_graphics->MeasureString(slot.text, m_theme.FontFor(0));
        slot.TextHeight = NearestInt(size.Height);
        double width = slot.contentWidth;
        if (slot.IconWidth > 0) width += m_theme.Layout.WidgetIconGap;
        slot.contentWidth = NearestInt(width + size.Width);
        if (slot.contentHeight < size.Height) slot.contentHeight = NearestInt(size.Height);
    }
}

void WidgetHost::Arrange(int32_t right) {
    if (!m_bar) return;
    RunLogged(m_trace, kSource, "Arrange", false, [&] {
        const ThemeLayout& layout = m_theme.Layout;
        const int32_t height = m_bar->BarHeight();
        int32_t leftX = layout.WidgetLeft;
        int32_t rightX = right - layout.StatusRight;
        m_stripRight = rightX;
        m_stripLeft = layout.WidgetLeft;
        for (const auto& slot : m_slots) {
            if (!OnBar(*slot)) {
                slot->Bounds = BoundsRect{};
                continue;
            }
            const int32_t width =
                std::max(slot->contentWidth + 2 * layout.WidgetPad, layout.WidgetMinWidth);
            int32_t x = 0;
            const bool rightAligned = slot->widget->Alignment() == AlignRight;
            if (rightAligned) {
                x = rightX - width;
                rightX = x - layout.StatusGap;
                m_stripRight = std::min(m_stripRight, x);
            } else {
                x = leftX;
                leftX = x + width + layout.StatusGap;
            }
            slot->ContentLeft = x + (width - slot->contentWidth) / 2;
            slot->ContentTop = (height - slot->contentHeight) / 2;
            slot->TextTop = (height - slot->TextHeight) / 2;
            if (!rightAligned) m_stripLeft = std::max(m_stripLeft, leftX);
            slot->Bounds = BoundsRect{x, 0, width, height};
        }
    });
}

void WidgetHost::Draw() {
    if (!m_graphics) return;
    RunLogged(m_trace, kSource, "Draw", false, [this] {
        for (const auto& slot : m_slots) {
            if (OnBar(*slot)) DrawSlot(*slot);
        }
    });
}

void WidgetHost::DrawArea(const RectI& area) {
    if (!m_graphics) return;
    RunLogged(m_trace, kSource, "Draw", false, [&] {
        for (const auto& slot : m_slots) {
            if (OnBar(*slot) && !Intersection(area, ToRect(slot->Bounds)).IsEmpty()) {
                DrawSlot(*slot);
            }
        }
    });
}

// The button's text, glyph by glyph, is the dearest part of a frame: each button is painted into
// a picture of its own when what it shows changed, and a frame only draws the pictures.
void WidgetHost::DrawSlot(WidgetSlot& slot) {
    const bool open = m_openSlot == &slot;
    WidgetSlot::Look look{slot.text,
                          slot.widget->ButtonIcon(),
                          open ? 2 : (slot.Hot ? 1 : 0),
                          slot.Bounds.Width,
                          slot.Bounds.Height,
                          slot.ContentLeft - slot.Bounds.X,
                          slot.ContentTop - slot.Bounds.Y,
                          slot.TextTop - slot.Bounds.Y};
    if (look.width < 1 || look.height < 1) return;
    if (slot.picture.NativeHandle() == nullptr || !(look == slot.pictureLook)) {
        if (slot.picture.NativeHandle() == nullptr || slot.pictureLook.width != look.width ||
            slot.pictureLook.height != look.height) {
            slot.picture = GDIPBitmap::CreateFromSizeFormat(look.width, look.height);
        }
        GDIPGraphics graphics;
        graphics.FromImage(slot.picture.Image());
        graphics.ApplySurfaceSettings();
        graphics.Clear(0);
        slot.pictureLook = WidgetSlot::Look{};  // until the painting is done
        PaintButton(graphics, slot, look);
        slot.pictureLook = std::move(look);
    }
    m_graphics->DrawImage(
        slot.picture.Image(), static_cast<float>(slot.Bounds.X), static_cast<float>(slot.Bounds.Y),
        static_cast<float>(slot.pictureLook.width), static_cast<float>(slot.pictureLook.height));
}

void WidgetHost::PaintButton(GDIPGraphics& graphics, const WidgetSlot& slot,
                             const WidgetSlot::Look& look) {
    const bool hot = look.state == 1;
    const RectI whole{0, 0, look.width, look.height};
    if (look.state == 2) {
        m_theme.Glass.PaintPressed(&graphics, whole);
    } else if (hot) {
        m_theme.Glass.PaintSelection(&graphics, whole);
    }
    if (const SkinButton* icon = look.icon) {
        const int32_t state = hot ? kButtonStatePressed : kButtonStateNormal;
        RectI rect{look.contentLeft, look.contentTop, slot.IconWidth, slot.contentHeight};
        if (const GDIPImage* image = icon->frame(state)) {
            rect.Y = look.contentTop + (slot.contentHeight - image->Height()) / 2;
            rect.Height = image->Height();
        }
        icon->Draw(state, &graphics, rect);
    }
    if (!look.text.empty()) {
        int32_t x = look.contentLeft;
        if (slot.IconWidth > 0) x += slot.IconWidth + m_theme.Layout.WidgetIconGap;
        graphics.DrawString(look.text, m_theme.FontFor(0),
                            hot ? m_brushes.HighlightBrush() : m_brushes.TextBrush(),
                            static_cast<float>(x), static_cast<float>(look.textTop));
    }
}

bool WidgetHost::OnTick() {
    bool changed = false;
    RunLogged(m_trace, kSource, "OnTick", true, [&] {
        for (const auto& slot : m_slots) {
            if (!OnBar(*slot)) continue;
            slot->widget->Refresh();
            // A new picture (muted, paused ...) shows like new text does.
            if (slot->widget->ButtonText() == slot->text &&
                slot->widget->ButtonIcon() == slot->icon) {
                continue;
            }
            const int32_t before = slot->contentWidth;
            MeasureSlot(*slot);
            if (slot->contentWidth != before) changed = true;
            // The bar draws only what changed: a new text or picture of the same width needs
            // its own button drawn again, a new width the whole bar laid out.
            if (!changed) RedrawSlot(slot.get());
        }
    });
    return changed;
}

WidgetSlot* WidgetHost::HitTest(MousePoint point) const {
    for (const auto& slot : m_slots) {
        if (OnBar(*slot) && Contains(slot->Bounds, point)) return slot.get();
    }
    return nullptr;
}

void WidgetHost::RedrawSlot(const WidgetSlot* slot) {
    if (m_bar && slot && OnBar(*slot)) m_bar->DrawArea(ToRect(slot->Bounds));
}

void WidgetHost::SetHot(WidgetSlot* slot) {
    WidgetSlot* const before = m_hotSlot;
    if (before) {
        if (before == slot) return;
        before->Hot = false;
        CloseHoverCanvas(before);
    }
    m_hotSlot = slot;
    if (slot) slot->Hot = true;
    RedrawSlot(before);
    RedrawSlot(slot);
}

void WidgetHost::CloseHoverCanvas(WidgetSlot* slot) {
    if (slot && slot == m_openSlot && slot->widget->Activation() == ActivateHoverCanvas) {
        CloseCanvas();
    }
}

bool WidgetHost::OnMouseMove(MousePoint point) {
    bool over = false;
    RunLogged(m_trace, kSource, "OnMouseMove", true, [&] {
        WidgetSlot* slot = HitTest(point);
        if (!slot) return;
        over = true;
        SetHot(slot);
        if (slot->widget->Activation() == ActivateHoverCanvas && !m_openSlot && m_canvas &&
            !m_canvas->IsVisible()) {
            OpenCanvasFor(*slot);
        }
    });
    return over;
}

void WidgetHost::OnMouseMiss() {
    WidgetSlot* const before = m_hotSlot;
    if (!before) return;
    before->Hot = false;
    m_hotSlot = nullptr;
    RunLogged(m_trace, kSource, "OnMouseMiss", true, [&] { RedrawSlot(before); });
}

void WidgetHost::OnMouseDown(MousePoint point) {
    if (m_pressedSlot && !Contains(m_pressedSlot->Bounds, point)) m_pressedSlot = nullptr;
}

bool WidgetHost::OnMouseUp(int16_t button, MousePoint point) {
    if (button != kLeftButton) return false;
    bool handled = false;
    RunLogged(m_trace, kSource, "OnMouseUp", true, [&] {
        WidgetSlot* slot = HitTest(point);
        if (!slot) return;
        handled = true;
        if (slot == m_pressedSlot) {
            m_pressedSlot = nullptr;
            return;
        }
        switch (slot->widget->Activation()) {
            case ActivateAction:
                slot->widget->OnAction();
                break;
            case ActivateCanvas:
                OpenCanvasFor(*slot);
                break;
            case ActivateMenu:
                ShowMenuFor(*slot);
                break;
            default:
                break;
        }
    });
    return handled;
}

void WidgetHost::PlaceCanvasBelowBar() {
    const RectI bar = m_bar ? m_bar->ScreenRect() : RectI{};
    m_canvas->SetTop(bar.Y + bar.Height);
}

void WidgetHost::OpenCanvasFor(WidgetSlot& slot) {
    if (!m_canvas) return;
    WidgetSlot* const before = m_openSlot;
    m_openSlot = &slot;
    m_anchorX = slot.ContentLeft + slot.contentWidth / 2;
    PlaceCanvasBelowBar();
    m_canvas->ShowFor(*slot.widget, m_anchorX);
    RedrawSlot(before);
    RedrawSlot(&slot);
}

void WidgetHost::ShowMenuFor(WidgetSlot& slot) {
    MenuItemList items = slot.widget->BuildMenu();
    if (items.empty() || !m_menu) return;
    AssignOwner(items, slot.widget.get());
    WidgetSlot* const before = m_openSlot;
    m_openSlot = &slot;
    const RectI bar = m_bar ? m_bar->ScreenRect() : RectI{};
    const int32_t barHeight = m_bar ? m_bar->BarHeight() : 0;
    // The drop-down keeps the list it shows; the host keeps it alive as long as it is open.
    m_menuItems = std::move(items);
    m_menu->ShowList(m_menuItems,
                     ScreenPoint{double(bar.X + slot.Bounds.X), double(bar.Y + barHeight)});
    RedrawSlot(before);
    RedrawSlot(&slot);
}

void WidgetHost::m_menu_Closed() {
    RunLogged(m_trace, kSource, "m_menu_Closed", true, [this] {
        if (WidgetSlot* const before = m_openSlot;
            before && before->widget->Activation() == ActivateMenu) {
            m_openSlot = nullptr;
            RedrawSlot(before);
        }
    });
}

void WidgetHost::SummonCanvas(std::string_view name, int32_t x) {
    if (!m_canvas) return;
    RunLogged(m_trace, kSource, "SummonCanvas", true, [&] {
        WidgetSlot* slot = FindSlot(name);
        if (!slot || !slot->Enabled) return;
        if (m_openSlot && m_openSlot != slot) CloseCanvas();
        WidgetSlot* const before = m_openSlot;
        x = std::max(x, m_dpi.Scale(140));
        m_openSlot = slot;
        m_anchorX = x;
        PlaceCanvasBelowBar();
        m_canvas->ShowFor(*slot->widget, x);
        RedrawSlot(before);
        RedrawSlot(slot);
    });
}

void WidgetHost::CloseCanvas() {
    RunLogged(m_trace, kSource, "CloseCanvas", true, [this] {
        // The slot is let go first: hiding an active canvas may activate the bar at once, and
        // the bar must not take that for a press on the closing canvas's button.
        WidgetSlot* const before = m_openSlot;
        m_openSlot = nullptr;
        if (m_canvas && m_canvas->IsVisible()) m_canvas->Hide();
        RedrawSlot(before);
    });
}

bool WidgetHost::IsCanvasOpenFor(std::string_view name) const {
    bool open = false;
    Ignoring([&] {
        open =
            m_openSlot && m_canvas && m_canvas->IsVisible() && m_openSlot->widget->Name() == name;
    });
    return open;
}

void WidgetHost::RepaintCanvasFor(std::string_view name) {
    Ignoring([&] {
        if (m_openSlot && m_openSlot->widget->Name() == name) RepaintCanvas();
    });
}

void WidgetHost::SetCanvasHandCursor(bool on) {
    Ignoring([&] {
        if (m_canvas) m_canvas->SetHandCursor(on);
    });
}

void WidgetHost::RepaintCanvas() {
    RunLogged(m_trace, kSource, "RepaintCanvas", true, [this] {
        if (m_canvas && m_canvas->IsVisible()) m_canvas->Repaint();
    });
}

void WidgetHost::RefreshCanvas(std::string_view name) {
    Ignoring([&] {
        if (m_openSlot && m_canvas && m_canvas->IsVisible() && m_openSlot->widget->Name() == name) {
            m_canvas->ShowFor(*m_openSlot->widget, m_anchorX);
        }
    });
}

void WidgetHost::OnBarActivated(WindowHandle otherWindow) {
    RunLogged(m_trace, kSource, "OnBarActivated", true, [&] {
        if (m_openSlot && m_canvas && otherWindow != 0 && otherWindow == m_canvas->Window() &&
            m_openSlot->widget->Activation() == ActivateCanvas) {
            m_pressedSlot = m_openSlot;
        }
    });
}

void WidgetHost::OnOwnerActivate() {
    RunLogged(m_trace, kSource, "OnOwnerActivate", true, [this] {
        if (m_openSlot && m_openSlot->widget->Activation() == ActivateCanvas) CloseCanvas();
    });
}

void WidgetHost::OnBarMouseLeave() {
    RunLogged(m_trace, kSource, "OnBarMouseLeave", true, [this] {
        CloseHoverCanvas(m_openSlot);
        if (WidgetSlot* const before = m_hotSlot) {
            before->Hot = false;
            m_hotSlot = nullptr;
            RedrawSlot(before);
        }
    });
}

void WidgetHost::OnCursorLeftBar() {
    RunLogged(m_trace, kSource, "OnCursorLeftBar", true, [this] { CloseHoverCanvas(m_openSlot); });
}

void WidgetHost::OnCanvasDismissed() {
    RunLogged(m_trace, kSource, "OnCanvasDismissed", true, [this] {
        if (WidgetSlot* const before = m_openSlot;
            before && before->widget->Activation() != ActivateMenu) {
            m_openSlot = nullptr;
            RedrawSlot(before);
        }
    });
}

void WidgetHost::Dispose() {
    for (const auto& slot : m_slots) {
        if (slot->Enabled && !m_workHeld) Ignoring([&] { slot->widget->SetRunning(false); });
        Ignoring([&] { slot->widget->Attach(nullptr); });
    }
    if (m_canvas) Ignoring([this] { m_canvas->SetHost(nullptr); });
    m_canvas = nullptr;
    m_menu = nullptr;
    m_hotSlot = m_openSlot = m_pressedSlot = nullptr;
    m_slots.clear();
    m_menuItems.clear();
    m_bar = nullptr;
    m_graphics = nullptr;
}

}  // namespace tarvik
