#include "core/theme/SkinButton.h"

#include <algorithm>
#include <string>

#include "core/graphics/GDIPGraphics.h"
#include "core/text/StringHelpers.h"

namespace tarvik {

int32_t ButtonStateOfWord(std::string_view word) {
    const std::string key = ToLowerAscii(TrimSpaces(word));
    if (key == "hover" || key == "over") return kButtonStateHover;
    if (key == "pressed") return kButtonStatePressed;
    if (key == "attention" || key == "notice") return kButtonStateAttention;
    return kButtonStateNormal;
}

const GDIPImage* SkinButton::frame(int32_t state) const {
    if (m_frames.empty()) return nullptr;
    const auto found = std::find_if(m_frames.begin(), m_frames.end(),
                                    [state](const Frame& f) { return f.first == state; });
    return found != m_frames.end() ? &found->second : &m_frames.front().second;
}

void SkinButton::Draw(int32_t state, GDIPGraphics* graphics, const RectI& rect) const {
    if (graphics == nullptr || rect.Width < 1 || rect.Height < 1) return;
    const GDIPImage* picture = frame(state);
    if (picture == nullptr) return;
    graphics->DrawImage(*picture, static_cast<float>(rect.X), static_cast<float>(rect.Y),
                        static_cast<float>(rect.Width), static_cast<float>(rect.Height));
}

void SkinButton::Load(GDIPImage image, std::vector<Frame> frames) {
    m_image = std::move(image);
    m_frames.clear();
    for (Frame& f : frames) {
        const bool known = std::any_of(m_frames.begin(), m_frames.end(),
                                       [&f](const Frame& kept) { return kept.first == f.first; });
        if (!known) m_frames.push_back(std::move(f));
    }
}

}  // namespace tarvik
