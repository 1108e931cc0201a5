// Font families and fonts over GDI+; fonts are measured in pixels.
#include "core/graphics/GDIPFont.h"
#include "core/graphics/GDIPFontFamily.h"
#include "win32/graphics/GdiPlusNative.h"
#include "win32/platform/WideText.h"

namespace tarvik {

using gdip::Native;
using Gdiplus::GpFont;
using Gdiplus::GpFontFamily;

GDIPFontFamily::GDIPFontFamily(std::string_view name) {
    GpFontFamily* family = nullptr;
    const int status =
        gdip::flat::GdipCreateFontFamilyFromName(Widen(name).c_str(), nullptr, &family);
    m_handle = family;
    if (family) {
        WCHAR resolved[LF_FACESIZE] = {};
        if (gdip::flat::GdipGetFamilyName(family, resolved, LANG_NEUTRAL) == Gdiplus::Ok) {
            m_name = Narrow(resolved);
        }
    }
    Check(status);
}

bool GDIPFontFamily::IsStyleAvailable(int style) {
    BOOL available = FALSE;
    Check(gdip::flat::GdipIsStyleAvailable(Native<GpFontFamily>(m_handle), style, &available));
    return available != FALSE;
}

void GDIPFontFamily::Dispose() noexcept {
    if (!m_handle) return;
    gdip::flat::GdipDeleteFontFamily(Native<GpFontFamily>(m_handle));
    m_handle = nullptr;
}

GDIPFont::GDIPFont(const GDIPFontFamily& family, float size, int style)
    : m_size(size), m_style(style) {
    GpFont* font = nullptr;
    const int status = gdip::flat::GdipCreateFont(Native<GpFontFamily>(family.NativeHandle()), size,
                                                  style, Gdiplus::UnitPixel, &font);
    m_handle = font;
    Check(status);
}

void GDIPFont::Dispose() noexcept {
    if (!m_handle) return;
    gdip::flat::GdipDeleteFont(Native<GpFont>(m_handle));
    m_handle = nullptr;
}

}  // namespace tarvik
