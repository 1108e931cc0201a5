// Drawing and measuring text over GDI+ (UTF-8 in, UTF-16 to the library).
#include <string>

#include "core/graphics/GDIPGraphics.h"
#include "win32/graphics/GdiPlusNative.h"
#include "win32/platform/WideText.h"

namespace tarvik {

using gdip::Native;
using Gdiplus::GpFont;
using Gdiplus::GpGraphics;
using Gdiplus::GpStringFormat;
namespace flat = gdip::flat;

namespace {

constexpr float kMeasureBoxWidth = 8192;
constexpr float kMeasureBoxHeight = 1024;

}  // namespace

void GDIPGraphics::DrawString(std::string_view text, const GDIPFont& font, const GDIPBrush& brush,
                              PointF at) {
    const std::wstring wide = Widen(text);
    const Gdiplus::RectF layout(at.X, at.Y, 0, 0);
    Check(flat::GdipDrawString(Native<GpGraphics>(m_handle), wide.c_str(),
                               static_cast<INT>(wide.size()), Native<GpFont>(font.NativeHandle()),
                               &layout, Native<GpStringFormat>(m_stringFormat),
                               Native<Gdiplus::GpSolidFill>(brush.NativeHandle())));
}

RectF GDIPGraphics::MeasureString(std::string_view text, const GDIPFont& font) {
    const std::wstring wide = Widen(text);
    const Gdiplus::RectF layout(0, 0, 0, 0);
    Gdiplus::RectF box;
    INT fitted = 0;
    INT lines = 0;
    Check(flat::GdipMeasureString(Native<GpGraphics>(m_handle), wide.c_str(),
                                  static_cast<INT>(wide.size()),
                                  Native<GpFont>(font.NativeHandle()), &layout,
                                  Native<GpStringFormat>(m_stringFormat), &box, &fitted, &lines));
    return RectF{box.X, box.Y, box.Width, box.Height};
}

float GDIPGraphics::MeasureStringWidth(std::string_view text, const GDIPFont& font) {
    const std::wstring wide = Widen(text);
    if (wide.empty()) {
        m_lastStatus = kGdipStatusOk;
        return 0;
    }
    auto* surface = Native<GpGraphics>(m_handle);
    auto* format = Native<GpStringFormat>(m_stringFormat);
    const Gdiplus::CharacterRange range(0, static_cast<INT>(wide.size()));
    if (Check(flat::GdipSetStringFormatMeasurableCharacterRanges(format, 1, &range)) != 0) return 0;

    Gdiplus::GpRegion* region = nullptr;
    if (Check(flat::GdipCreateRegion(&region)) != 0) return 0;
    const Gdiplus::RectF layout(0, 0, kMeasureBoxWidth, kMeasureBoxHeight);
    Gdiplus::RectF bounds;
    int status = flat::GdipMeasureCharacterRanges(
        surface, wide.c_str(), static_cast<INT>(wide.size()), Native<GpFont>(font.NativeHandle()),
        layout, format, 1, &region);
    if (status == Gdiplus::Ok) status = flat::GdipGetRegionBounds(region, surface, &bounds);
    flat::GdipDeleteRegion(region);
    if (Check(status) != 0) return 0;
    return bounds.Width;
}

}  // namespace tarvik
