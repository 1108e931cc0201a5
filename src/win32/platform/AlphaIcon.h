#pragma once

#include <windows.h>

#include "core/graphics/GDIPBitmap.h"

namespace tarvik {

// An icon handle turned into a 32-bit ARGB bitmap that keeps the icon's own per-pixel alpha, so
// that anti-aliased edges blend with the translucent bar. The library's own icon conversion drops
// the alpha of 32-bit icons; it is used only for icons that carry none (the old ones with a mask).
class AlphaIcon {
  public:
    // Larger icons are refused: another program could hand over any size.
    static constexpr LONG kMaxEdge = 256;

    // Captures the icon, which stays the caller's; false (nothing captured) for an icon larger
    // than kMaxEdge either way. Drawing failures propagate; Image then holds whatever was built
    // before.
    bool CreateFromHICON(HICON icon);
    // Null before a capture.
    const GDIPImage* Image() const { return m_image.IsLoaded() ? &m_image.Image() : nullptr; }

  private:
    GDIPBitmap m_image;
};

}  // namespace tarvik
