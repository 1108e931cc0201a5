#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "core/graphics/GDIPImage.h"
#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

class GDIPGraphics;

// The states a skinned button can show; a skin image holds one frame per state.
constexpr int32_t kButtonStateNormal = 1;
constexpr int32_t kButtonStateHover = 2;
constexpr int32_t kButtonStatePressed = 3;
constexpr int32_t kButtonStateAttention = 4;

// The state a word of a skin's state list names, regardless of case and surrounding spaces:
// "hover" or "over", "pressed", "attention" or "notice"; any other word means normal.
int32_t ButtonStateOfWord(std::string_view word);

// A button picture: the whole image as loaded and one frame per state, already resampled to the
// drawing scale. Filled once by the theme reader, then only drawn.
class SkinButton {
  public:
    // A frame and the state it shows.
    using Frame = std::pair<int32_t, GDIPImage>;

    // The whole image; null when the skin has none.
    const GDIPImage* Image() const { return m_image.IsLoaded() ? &m_image : nullptr; }
    // True when there is no frame to draw.
    bool IsEmpty() const { return m_frames.empty(); }
    // The frame stored for the state, else the first stored frame; null when there is none.
    const GDIPImage* frame(int32_t state) const;

    // Draws the state's frame scaled into the rectangle.
    void Draw(int32_t state, GDIPGraphics* graphics, const RectI& rect) const;

    // Replaces the picture; frames keep their order, at most one per state.
    void Load(GDIPImage image, std::vector<Frame> frames);

  private:
    GDIPImage m_image;
    std::vector<Frame> m_frames;
};

}  // namespace tarvik
