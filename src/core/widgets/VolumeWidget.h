#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPPen.h"
#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class Brushes;
class Dpi;
class IAudioEndpoint;
class Theme;
class Trace;

// What the volume widget works with; every reference must outlive the widget.
struct VolumeWidgetServices {
    const Theme& theme;
    Brushes& brushes;
    Trace& trace;
    const Dpi& dpi;
    IAudioEndpoint& audio;
};

// Where the slider's parts are on a canvas of a given height (client pixels).
struct VolumeSlider {
    int32_t trackLeft = 0;
    int32_t trackTop = 0;
    float knobX = 0;  // the knob's centre
};

// A speaker on the bar, crossed out while the sound is muted or there is no playback device.
// Its canvas holds the speaker, which toggles mute, and a slider for the master volume: a press
// on the knob grabs it where it was pressed, a press elsewhere on the track moves it there, and
// any change of level unmutes. Without a device the canvas says so instead of showing a slider.
// The default device is bound again every few ticks and whenever the canvas opens, so a new,
// changed or vanished device shows within seconds.
class VolumeWidget final : public IWidget {
  public:
    static constexpr const char* kName = "Volume";
    static constexpr const char* kSource = "VolumeWidget";
    static constexpr const char* kNoDeviceText = "No sound output device";
    // Refresh binds the default device on its first call and then every this many calls.
    static constexpr int32_t kRebindTicks = 5;

    explicit VolumeWidget(const VolumeWidgetServices& services);

    std::string Name() const override { return kName; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateCanvas; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return {}; }
    void Refresh() override;

    void MeasureCanvas(GDIPGraphics& graphics, int32_t& width, int32_t& height) override;
    void PaintCanvas(GDIPGraphics& graphics, int32_t width, int32_t height) override;
    void OnCanvasMouseMove(int16_t button, float x, float y) override;
    void OnCanvasMouseDown(int16_t button, float x, float y) override;
    void OnCanvasMouseUp(int16_t /*button*/, float /*x*/, float /*y*/) override {
        m_dragging = false;
    }
    void OnCanvasMouseLeave() override { m_dragging = false; }
    void Attach(WidgetHost* host) override { m_host = host; }
    // Switched off, the device is let go; the first tick after switching on binds it again.
    void SetRunning(bool running) override;

    bool Dragging() const { return m_dragging; }

  private:
    // Made on the first paint and kept.
    struct Paints {
        GDIPBrush track;
        GDIPBrush filled;
        GDIPBrush filledQuiet;  // while muted or unknown
        GDIPBrush knob;
        GDIPPen knobOutline;
    };

    VolumeSlider Slider(int32_t canvasHeight) const;
    void Rebind();
    void SetHasDevice(bool has);
    const SkinButton& Speaker() const;
    void PaintSlider(GDIPGraphics& graphics, int32_t height);
    void SetLevelFromX(float x);
    void Press(float x);

    const Theme& m_theme;
    Brushes& m_brushes;
    Trace& m_trace;
    IAudioEndpoint& m_audio;
    int32_t m_padding;
    int32_t m_iconSize;
    int32_t m_gap;
    int32_t m_trackLength;
    int32_t m_trackThickness;
    int32_t m_knobSize;

    WidgetHost* m_host = nullptr;
    float m_level = -1.0f;  // unknown
    bool m_muted = false;
    bool m_hasDevice = true;  // until a binding fails
    bool m_dragging = false;
    float m_grabOffset = 0;
    int32_t m_ticksToRebind = 0;
    std::optional<Paints> m_paints;
};

}  // namespace tarvik
