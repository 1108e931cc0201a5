#pragma once

#include <optional>
#include <string_view>

#include "core/graphics/GDIPImage.h"
#include "core/graphics/GraphicsTypes.h"

namespace tarvik {

class Dpi;
class SkinButton;

// A copy of a part of the image as a 32-bit ARGB bitmap of the part's size; nothing when the
// image is empty, the part is smaller than one pixel or no bitmap could be made.
std::optional<GDIPImage> Crop(const GDIPImage& image, const RectI& rect);

// The image resampled to the drawing scale (high-quality bicubic), each side at least one
// pixel; at a scale of exactly 1 the image itself.
GDIPImage ScaleImage(GDIPImage image, const Dpi& dpi);

// Cuts a loaded skin image into the frames its state list names and loads them into the skin.
// The list, trimmed of surrounding spaces, is split at single spaces (so two spaces in a row
// give an empty word, which still owns its slice); the image is cut top to bottom into one
// slice per word, each image height / words rows high (rounded down). The first slice of each
// state wins, resampled to the drawing scale. When the slices would be less than one row high
// the skin is left untouched (empty).
void ReadSkinFrames(GDIPImage image, std::string_view states, const Dpi& dpi, SkinButton& skin);

}  // namespace tarvik
