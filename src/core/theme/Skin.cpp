#include "core/theme/Skin.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "core/bar/Dpi.h"
#include "core/graphics/GDIPBitmap.h"
#include "core/graphics/GDIPGraphics.h"
#include "core/text/StringHelpers.h"
#include "core/theme/SkinButton.h"

namespace tarvik {

namespace {

// Splits at every single space: "a  b" gives "a", "", "b"; an empty text gives one empty word.
std::vector<std::string_view> SplitAtSpaces(std::string_view text) {
    std::vector<std::string_view> words;
    size_t start = 0;
    while (true) {
        const size_t space = text.find(' ', start);
        if (space == std::string_view::npos) {
            words.push_back(text.substr(start));
            return words;
        }
        words.push_back(text.substr(start, space - start));
        start = space + 1;
    }
}

bool HasFrame(const std::vector<SkinButton::Frame>& frames, int32_t state) {
    return std::any_of(frames.begin(), frames.end(),
                       [state](const SkinButton::Frame& f) { return f.first == state; });
}

}  // namespace

std::optional<GDIPImage> Crop(const GDIPImage& image, const RectI& rect) {
    if (!image.IsLoaded() || rect.Width < 1 || rect.Height < 1) return std::nullopt;
    GDIPBitmap bitmap =
        GDIPBitmap::CreateFromSizeFormat(rect.Width, rect.Height, kPixelFormat32bppARGB);
    if (!bitmap.IsLoaded()) return std::nullopt;
    {
        GDIPGraphics graphics;
        graphics.FromImage(bitmap.Image());
        graphics.Clear(0);
        const auto width = static_cast<float>(rect.Width);
        const auto height = static_cast<float>(rect.Height);
        graphics.DrawImageRect(image, 0, 0, width, height, static_cast<float>(rect.X),
                               static_cast<float>(rect.Y), width, height);
    }
    return GDIPImage(std::move(bitmap));
}

GDIPImage ScaleImage(GDIPImage image, const Dpi& dpi) {
    if (dpi.DrawScale() == 1.0f || !image.IsLoaded()) return image;
    const int32_t width = std::max(dpi.Scale(image.width()), 1);
    const int32_t height = std::max(dpi.Scale(image.Height()), 1);
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(width, height, kPixelFormat32bppARGB);
    {
        GDIPGraphics graphics;
        graphics.FromImage(bitmap.Image());
        graphics.Clear(0);
        graphics.SetInterpolationMode(kInterpolationModeHighQualityBicubic);
        graphics.SetSmoothingMode(kSmoothingModeHighQuality);
        graphics.SetPixelOffsetMode(kPixelOffsetModeHighQuality);
        graphics.DrawImage(image, 0, 0, static_cast<float>(width), static_cast<float>(height));
    }
    return GDIPImage(std::move(bitmap));
}

void ReadSkinFrames(GDIPImage image, std::string_view states, const Dpi& dpi, SkinButton& skin) {
    if (!image.IsLoaded()) return;
    const std::vector<std::string_view> words = SplitAtSpaces(TrimSpaces(states));
    const int64_t frameHeight = image.Height() / static_cast<int64_t>(words.size());
    if (frameHeight < 1) return;

    std::vector<SkinButton::Frame> frames;
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i].empty()) continue;
        const int32_t state = ButtonStateOfWord(words[i]);
        if (HasFrame(frames, state)) continue;
        const RectI slice{0, static_cast<int32_t>(static_cast<int64_t>(i) * frameHeight),
                          image.width(), static_cast<int32_t>(frameHeight)};
        std::optional<GDIPImage> cut = Crop(image, slice);
        if (!cut) continue;
        GDIPImage scaled = ScaleImage(std::move(*cut), dpi);
        if (scaled.IsLoaded()) frames.emplace_back(state, std::move(scaled));
    }
    skin.Load(std::move(image), std::move(frames));
}

}  // namespace tarvik
