#include "core/widgets/VolumeWidget.h"

#include <algorithm>
#include <cmath>

#include "core/app/LogException.h"
#include "core/bar/Dpi.h"
#include "core/graphics/GDIPGraphicPath.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"
#include "core/widgets/AudioPort.h"
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik {

namespace {

constexpr int16_t kLeftButton = 1;

// A bar of thickness t with round ends; a circle when it is no longer than it is thick.
GDIPGraphicPath RoundedBar(float x, float y, float length, float t) {
    GDIPGraphicPath path(kFillModeWinding);
    if (length <= t) {
        path.AddEllipse(x, y, t, t);
        return path;
    }
    path.AddArc(x, y, t, t, 90, 180);
    path.AddLine(x + t / 2, y, x + length - t / 2, y);
    path.AddArc(x + length - t, y, t, t, 270, 180);
    path.AddLine(x + length - t / 2, y + t, x + t / 2, y + t);
    return path;
}

}  // namespace

VolumeWidget::VolumeWidget(const VolumeWidgetServices& services)
    : m_theme(services.theme),
      m_brushes(services.brushes),
      m_trace(services.trace),
      m_audio(services.audio),
      m_padding(services.dpi.Scale(14)),
      m_iconSize(services.dpi.Scale(18)),
      m_gap(services.dpi.Scale(10)),
      m_trackLength(services.dpi.Scale(150)),
      m_trackThickness(services.dpi.Scale(4)),
      m_knobSize(services.dpi.Scale(14)) {}

const SkinButton& VolumeWidget::Speaker() const {
    return m_theme.Skin(m_muted || !m_hasDevice ? "volume-muted" : "volume");
}

const SkinButton* VolumeWidget::ButtonIcon() const {
    return &Speaker();
}

VolumeSlider VolumeWidget::Slider(int32_t canvasHeight) const {
    const int32_t left = m_padding + m_iconSize + m_gap;
    return {left, (canvasHeight - m_trackThickness) / 2,
            float(left) + std::max(m_level, 0.0f) * float(m_trackLength)};
}

void VolumeWidget::Refresh() {
    RunLogged(m_trace, kSource, "Refresh", true, [&] {
        bool muted = false;
        const bool bound = m_audio.TryGetMute(muted);
        if (bound) m_muted = muted;
        // Between the regular bindings only a lost endpoint is bound again at once.
        if (--m_ticksToRebind > 0 && (bound || !m_hasDevice)) return;
        Rebind();
    });
}

void VolumeWidget::SetRunning(bool running) {
    if (running) return;
    RunLogged(m_trace, kSource, "SetRunning", true, [&] { m_audio.ReleaseEndpoint(); });
    m_ticksToRebind = 0;
}

void VolumeWidget::Rebind() {
    m_ticksToRebind = kRebindTicks;
    m_audio.ReleaseEndpoint();
    const bool has = m_audio.EnsureEndpoint();
    if (has) m_muted = m_audio.GetMute();
    SetHasDevice(has);
}

void VolumeWidget::SetHasDevice(bool has) {
    if (has == m_hasDevice) return;
    m_hasDevice = has;
    // An open canvas swaps its slider for the notice or back.
    if (m_host != nullptr) m_host->RefreshCanvas(kName);
}

void VolumeWidget::MeasureCanvas(GDIPGraphics& graphics, int32_t& width, int32_t& height) {
    RunLogged(m_trace, kSource, "MeasureCanvas", true, [&] {
        // Binding afresh picks up a change of the default device each time the canvas opens.
        m_ticksToRebind = kRebindTicks;
        m_audio.ReleaseEndpoint();
        m_hasDevice = m_audio.EnsureEndpoint();
        m_level = m_audio.GetVolume();
        m_muted = m_audio.GetMute();
        m_dragging = false;
        width = m_iconSize + 2 * m_padding + m_gap + m_trackLength;
        height = m_iconSize + 2 * m_padding;
        if (m_hasDevice) return;
        const RectF text = graphics.MeasureString(kNoDeviceText, m_theme.FontFor(0));
        width =
            std::max(width, m_iconSize + 2 * m_padding + m_gap + int32_t(std::ceil(text.Width)));
    });
}

void VolumeWidget::PaintCanvas(GDIPGraphics& graphics, int32_t /*width*/, int32_t height) {
    RunLogged(m_trace, kSource, "PaintCanvas", true, [&] {
        if (const GDIPImage* icon = Speaker().frame(kButtonStateNormal)) {
            graphics.DrawImage(*icon, float(m_padding), float(height - icon->Height()) / 2,
                               float(icon->width()), float(icon->Height()));
        }
        if (m_hasDevice) {
            PaintSlider(graphics, height);
            return;
        }
        const GDIPFont& font = m_theme.FontFor(0);
        const RectF text = graphics.MeasureString(kNoDeviceText, font);
        graphics.DrawString(kNoDeviceText, font, m_brushes.DisabledBrush(),
                            float(Slider(height).trackLeft), (float(height) - text.Height) / 2);
    });
}

void VolumeWidget::PaintSlider(GDIPGraphics& graphics, int32_t height) {
    if (!m_paints) {
        m_paints.emplace(Paints{GDIPBrush::FromArgb(m_theme.Glass.SeparatorColor),
                                GDIPBrush::FromArgb(m_theme.Glass.Selection),
                                GDIPBrush::FromArgb(m_theme.DisabledTextColour),
                                GDIPBrush(m_theme.HighlightTextColour),
                                GDIPPen::FromArgb(m_theme.Glass.BorderColor, 1)});
    }
    const VolumeSlider slider = Slider(height);
    const auto left = float(slider.trackLeft);
    const auto top = float(slider.trackTop);
    const auto thickness = float(m_trackThickness);
    graphics.FillPath(m_paints->track, RoundedBar(left, top, float(m_trackLength), thickness));
    const float filled = slider.knobX - left;
    if (filled >= 1) {
        const bool live = !m_muted && m_level >= 0;
        graphics.FillPath(live ? m_paints->filled : m_paints->filledQuiet,
                          RoundedBar(left, top, filled, thickness));
    }
    const auto knob = float(m_knobSize);
    GDIPGraphicPath circle(kFillModeWinding);
    circle.AddEllipse(slider.knobX - knob / 2, top + thickness / 2 - knob / 2, knob, knob);
    graphics.FillPath(m_paints->knob, circle);
    graphics.DrawPath(m_paints->knobOutline, circle);
}

void VolumeWidget::SetLevelFromX(float x) {
    const float level =
        std::clamp((x - float(Slider(0).trackLeft)) / float(m_trackLength), 0.0f, 1.0f);
    m_audio.SetVolume(level);
    m_level = level;
    if (!m_muted) return;
    m_audio.SetMute(false);
    m_muted = false;
}

void VolumeWidget::Press(float x) {
    const float knobX = Slider(0).knobX;
    if (std::fabs(x - knobX) <= float(m_knobSize) / 2 + 2) {
        // On the knob: it does not jump to the pointer.
        m_dragging = true;
        m_grabOffset = x - knobX;
    } else if (x >= float(m_padding + m_iconSize + m_gap / 2)) {
        m_dragging = true;
        m_grabOffset = 0;
        SetLevelFromX(x);
    } else {
        m_audio.SetMute(!m_muted);
        m_muted = m_audio.GetMute();
    }
}

void VolumeWidget::OnCanvasMouseDown(int16_t button, float x, float /*y*/) {
    if (button != kLeftButton || !m_hasDevice) return;
    RunLogged(m_trace, kSource, "OnCanvasMouseDown", true, [&] {
        Press(x);
        if (m_host != nullptr) m_host->RepaintCanvas();
    });
}

void VolumeWidget::OnCanvasMouseMove(int16_t button, float x, float /*y*/) {
    if (!m_dragging) return;
    if ((button & kLeftButton) == 0) {
        m_dragging = false;
        return;
    }
    RunLogged(m_trace, kSource, "OnCanvasMouseMove", true, [&] {
        SetLevelFromX(x - m_grabOffset);
        if (m_host != nullptr) m_host->RepaintCanvas();
    });
}

}  // namespace tarvik
