// The drawing surface of the recording drawing backend: every call is kept in order.
#include <memory>

#include "core/graphics/GDIPGraphics.h"
#include "core/support/RecordingNatives.h"

namespace tarvik {

using test::BrushNative;
using test::DrawCall;
using test::DrawKind;
using test::FontNative;
using test::ImageNative;
using test::NativeOf;
using test::PathNative;
using test::PenNative;
using test::SurfaceNative;

namespace {

// The surface ready to draw, or null when it is unbound or its bitmap is gone.
SurfaceNative* LiveSurface(void* handle) {
    auto* surface = NativeOf<SurfaceNative>(handle);
    if (!surface || (surface->boundToImage && surface->image.expired())) return nullptr;
    return surface;
}

// Keeps a call on a live surface and, when it draws into a bitmap, on the bitmap too; fails
// with status 2 when the surface or one of the call's objects is missing.
int Record(void* handle, bool objectsPresent, DrawCall call) {
    SurfaceNative* surface = LiveSurface(handle);
    if (!surface || !objectsPresent) return kGdipStatusInvalidParameter;
    call.settings = surface->settings;
    if (auto image = surface->image.lock()) image->drawn.push_back(call);
    surface->calls.push_back(std::move(call));
    return kGdipStatusOk;
}

// Sets one render setting of a live surface to a value from 0 to highest.
int Set(void* handle, int test::RenderSettings::*setting, int value, int highest) {
    SurfaceNative* surface = LiveSurface(handle);
    if (!surface || value < 0 || value > highest) return kGdipStatusInvalidParameter;
    surface->settings.*setting = value;
    return kGdipStatusOk;
}

DrawCall Call(DrawKind kind, uint32_t argb) {
    DrawCall call;
    call.kind = kind;
    call.argb = argb;
    return call;
}

DrawCall ImageCall(DrawKind kind, const GDIPImage& image, RectF destination) {
    DrawCall call = Call(kind, 0);
    call.rect = destination;
    if (const auto* native = NativeOf<ImageNative>(image)) {
        call.image = native->record->image;
        call.source = RectF{0, 0, static_cast<float>(call.image.width),
                            static_cast<float>(call.image.height)};
    }
    return call;
}

}  // namespace

void GDIPGraphics::Unbind() noexcept {
    test::DeleteNative(m_handle);
    m_dc = nullptr;
    m_lentDc = nullptr;
}

void GDIPGraphics::FromImage(GDIPImage& image) {
    Unbind();
    auto* native = NativeOf<ImageNative>(image);
    if (!native) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    auto* surface = new SurfaceNative;
    surface->boundToImage = true;
    surface->image = native->record;
    m_handle = test::ToHandle(surface);
    Check(kGdipStatusOk);
}

void GDIPGraphics::Dispose() noexcept {
    Unbind();
}

void GDIPGraphics::SetTextRenderingHint(int hint) {
    Check(Set(m_handle, &test::RenderSettings::textRenderingHint, hint, 5));
}

void GDIPGraphics::SetSmoothingMode(int mode) {
    Check(Set(m_handle, &test::RenderSettings::smoothingMode, mode, 4));
}

void GDIPGraphics::SetPixelOffsetMode(int mode) {
    Check(Set(m_handle, &test::RenderSettings::pixelOffsetMode, mode, 4));
}

void GDIPGraphics::SetInterpolationMode(int mode) {
    Check(Set(m_handle, &test::RenderSettings::interpolationMode, mode, 7));
}

void GDIPGraphics::Clear(uint32_t argb) {
    Check(Record(m_handle, true, Call(DrawKind::Clear, argb)));
}

void GDIPGraphics::DrawString(std::string_view text, const GDIPFont& font, const GDIPBrush& brush,
                              PointF at) {
    const auto* nativeFont = NativeOf<FontNative>(font);
    const auto* nativeBrush = NativeOf<BrushNative>(brush);
    if (!nativeFont || !nativeBrush) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    DrawCall call = Call(DrawKind::DrawString, nativeBrush->argb);
    call.text = std::string(text);
    call.font = nativeFont->font;
    call.point = at;
    Check(Record(m_handle, true, std::move(call)));
}

RectF GDIPGraphics::MeasureString(std::string_view text, const GDIPFont& font) {
    const auto* native = NativeOf<FontNative>(font);
    if (Check(LiveSurface(m_handle) && native ? kGdipStatusOk : kGdipStatusInvalidParameter) !=
        kGdipStatusOk) {
        return {};
    }
    return test::RecordedTextBox(text, native->font);
}

float GDIPGraphics::MeasureStringWidth(std::string_view text, const GDIPFont& font) {
    const auto* native = NativeOf<FontNative>(font);
    if (Check(LiveSurface(m_handle) && native ? kGdipStatusOk : kGdipStatusInvalidParameter) !=
        kGdipStatusOk) {
        return 0;
    }
    return test::RecordedTextWidth(text, native->font);
}

void GDIPGraphics::DrawImage(const GDIPImage& image, float x, float y, float width, float height) {
    Check(Record(m_handle, NativeOf<ImageNative>(image) != nullptr,
                 ImageCall(DrawKind::DrawImage, image, RectF{x, y, width, height})));
}

void GDIPGraphics::DrawImageRect(const GDIPImage& image, float dstX, float dstY, float dstWidth,
                                 float dstHeight, float srcX, float srcY, float srcWidth,
                                 float srcHeight) {
    DrawCall call =
        ImageCall(DrawKind::DrawImageRect, image, RectF{dstX, dstY, dstWidth, dstHeight});
    call.source = RectF{srcX, srcY, srcWidth, srcHeight};
    Check(Record(m_handle, NativeOf<ImageNative>(image) != nullptr, std::move(call)));
}

void GDIPGraphics::DrawPath(const GDIPPen& pen, const GDIPGraphicPath& path) {
    const auto* nativePen = NativeOf<PenNative>(pen);
    const auto* nativePath = NativeOf<PathNative>(path);
    if (!nativePen || !nativePath) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    DrawCall call = Call(DrawKind::DrawPath, nativePen->argb);
    call.penWidth = nativePen->width;
    call.fillMode = nativePath->fillMode;
    call.path = nativePath->segments;
    Check(Record(m_handle, true, std::move(call)));
}

void GDIPGraphics::FillPath(const GDIPBrush& brush, const GDIPGraphicPath& path) {
    const auto* nativeBrush = NativeOf<BrushNative>(brush);
    const auto* nativePath = NativeOf<PathNative>(path);
    if (!nativeBrush || !nativePath) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    DrawCall call = Call(DrawKind::FillPath, nativeBrush->argb);
    call.fillMode = nativePath->fillMode;
    call.path = nativePath->segments;
    Check(Record(m_handle, true, std::move(call)));
}

void GDIPGraphics::FillRectangle(const GDIPBrush& brush, const RectF& rect) {
    const auto* nativeBrush = NativeOf<BrushNative>(brush);
    DrawCall call = Call(DrawKind::FillRectangle, nativeBrush ? nativeBrush->argb : 0);
    call.rect = rect;
    Check(Record(m_handle, nativeBrush != nullptr, std::move(call)));
}

}  // namespace tarvik
