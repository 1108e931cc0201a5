// The drawing surface of the recording drawing backend: every call is kept in order.
#include <memory>
#include <optional>

#include "core/graphics/GDIPGraphics.h"
#include "core/support/RecordingNatives.h"

namespace tarvik {

using test::DrawCall;
using test::DrawKind;
using test::ImageNative;
using test::ImageRecord;
using test::NativeOf;
using test::SurfaceNative;

namespace {

// The surface ready to draw, or null when it is unbound or its bitmap is gone.
SurfaceNative* LiveSurface(void* handle) {
    auto* surface = NativeOf<SurfaceNative>(handle);
    if (!surface) return nullptr;
    if (surface->boundToImage && surface->image.expired()) return nullptr;
    return surface;
}

// Keeps a call on the surface and, when it draws into a bitmap, on the bitmap too.
int Record(SurfaceNative& surface, DrawCall call) {
    call.settings = surface.settings;
    if (auto image = surface.image.lock()) image->drawn.push_back(call);
    surface.calls.push_back(std::move(call));
    return kGdipStatusOk;
}

test::RecordedImage Describe(const GDIPImage& image) {
    const ImageRecord& record = *NativeOf<ImageNative>(image)->record;
    return {record.id, record.source, record.width, record.height};
}

bool Excluded(const SurfaceNative& surface, float x, float y) {
    for (const RectF& rect : surface.excluded) {
        if (x >= rect.X && x < rect.X + rect.Width && y >= rect.Y && y < rect.Y + rect.Height) {
            return true;
        }
    }
    return false;
}

void FillPixels(const SurfaceNative& surface, uint32_t argb) {
    auto image = surface.image.lock();
    if (!image) return;
    for (int y = 0; y < image->height && !image->pixels.empty(); ++y) {
        for (int x = 0; x < image->width; ++x) {
            if (Excluded(surface, x + 0.5f, y + 0.5f)) continue;
            image->pixels[static_cast<size_t>(y) * image->width + x] = argb;
        }
    }
}

bool SettingInRange(int value, int highest) {
    return value >= 0 && value <= highest;
}

}  // namespace

void GDIPGraphics::Unbind() noexcept {
    test::DeleteNative(m_handle);
    m_dc = nullptr;
    m_lentDc = nullptr;
}

void GDIPGraphics::FromHDC(void* hdc) {
    Unbind();
    if (!hdc) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    auto* surface = new SurfaceNative;
    surface->dc = hdc;
    m_handle = test::ToHandle(surface);
    m_dc = hdc;
    Check(kGdipStatusOk);
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

void* GDIPGraphics::GetHDC() {
    // Nothing to lend without a device context of a real library.
    Check(kGdipStatusNotImplemented);
    return nullptr;
}

void GDIPGraphics::ReleaseHDC(void* hdc) {
    if (hdc != nullptr && hdc == m_dc) {
        Unbind();
        Check(kGdipStatusOk);
    } else {
        Check(kGdipStatusInvalidParameter);
    }
}

void GDIPGraphics::Dispose() noexcept {
    Unbind();
}

void GDIPGraphics::SetTextRenderingHint(int hint) {
    auto* surface = LiveSurface(m_handle);
    if (!surface || !SettingInRange(hint, 5)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    surface->settings.textRenderingHint = hint;
    Check(kGdipStatusOk);
}

void GDIPGraphics::SetSmoothingMode(int mode) {
    auto* surface = LiveSurface(m_handle);
    if (!surface || !SettingInRange(mode, 4)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    surface->settings.smoothingMode = mode;
    Check(kGdipStatusOk);
}

void GDIPGraphics::SetPixelOffsetMode(int mode) {
    auto* surface = LiveSurface(m_handle);
    if (!surface || !SettingInRange(mode, 4)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    surface->settings.pixelOffsetMode = mode;
    Check(kGdipStatusOk);
}

void GDIPGraphics::SetInterpolationMode(int mode) {
    auto* surface = LiveSurface(m_handle);
    if (!surface || !SettingInRange(mode, 7)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    surface->settings.interpolationMode = mode;
    Check(kGdipStatusOk);
}

void GDIPGraphics::Exclude(const RectF& rect) {
    auto* surface = LiveSurface(m_handle);
    if (!surface) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    surface->excluded.push_back(rect);
    DrawCall call;
    call.kind = DrawKind::Exclude;
    call.rect = rect;
    Check(Record(*surface, std::move(call)));
}

void GDIPGraphics::Clear(uint32_t argb) {
    auto* surface = LiveSurface(m_handle);
    if (!surface) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    FillPixels(*surface, argb);
    DrawCall call;
    call.kind = DrawKind::Clear;
    call.argb = argb;
    Check(Record(*surface, std::move(call)));
}

void GDIPGraphics::DrawString(std::string_view text, const GDIPFont& font, const GDIPBrush& brush,
                              PointF at) {
    auto* surface = LiveSurface(m_handle);
    const auto* native = NativeOf<test::FontNative>(font);
    if (!surface || !native || !brush.NativeHandle()) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    DrawCall call;
    call.kind = DrawKind::DrawString;
    call.argb = NativeOf<test::BrushNative>(brush)->argb;
    call.text = std::string(text);
    call.font = native->font;
    call.point = at;
    Check(Record(*surface, std::move(call)));
}

RectF GDIPGraphics::MeasureString(std::string_view text, const GDIPFont& font) {
    const auto* native = NativeOf<test::FontNative>(font);
    if (!LiveSurface(m_handle) || !native) {
        Check(kGdipStatusInvalidParameter);
        return {};
    }
    Check(kGdipStatusOk);
    return test::RecordedTextBox(text, native->font);
}

float GDIPGraphics::MeasureStringWidth(std::string_view text, const GDIPFont& font) {
    const auto* native = NativeOf<test::FontNative>(font);
    if (!LiveSurface(m_handle) || !native) {
        Check(kGdipStatusInvalidParameter);
        return 0;
    }
    Check(kGdipStatusOk);
    return test::RecordedTextWidth(text, native->font);
}

void GDIPGraphics::DrawImage(const GDIPImage& image, float x, float y, float width, float height) {
    auto* surface = LiveSurface(m_handle);
    if (!surface || !NativeOf<ImageNative>(image)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    const test::RecordedImage described = Describe(image);
    const RectF whole{0, 0, static_cast<float>(described.width),
                      static_cast<float>(described.height)};
    DrawCall call;
    call.kind = DrawKind::DrawImage;
    call.rect = RectF{x, y, width, height};
    call.source = whole;
    call.image = described;
    Check(Record(*surface, std::move(call)));
}

void GDIPGraphics::DrawImageRect(const GDIPImage& image, float dstX, float dstY, float dstWidth,
                                 float dstHeight, float srcX, float srcY, float srcWidth,
                                 float srcHeight) {
    auto* surface = LiveSurface(m_handle);
    if (!surface || !NativeOf<ImageNative>(image)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    DrawCall call;
    call.kind = DrawKind::DrawImageRect;
    call.rect = RectF{dstX, dstY, dstWidth, dstHeight};
    call.source = RectF{srcX, srcY, srcWidth, srcHeight};
    call.image = Describe(image);
    Check(Record(*surface, std::move(call)));
}

void GDIPGraphics::DrawPath(const GDIPPen& pen, const GDIPGraphicPath& path) {
    auto* surface = LiveSurface(m_handle);
    const auto* nativePen = NativeOf<test::PenNative>(pen);
    const auto* nativePath = NativeOf<test::PathNative>(path);
    if (!surface || !nativePen || !nativePath) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    DrawCall call;
    call.kind = DrawKind::DrawPath;
    call.argb = nativePen->argb;
    call.penWidth = nativePen->width;
    call.fillMode = nativePath->fillMode;
    call.path = nativePath->segments;
    Check(Record(*surface, std::move(call)));
}

void GDIPGraphics::FillPath(const GDIPBrush& brush, const GDIPGraphicPath& path) {
    auto* surface = LiveSurface(m_handle);
    const auto* nativeBrush = NativeOf<test::BrushNative>(brush);
    const auto* nativePath = NativeOf<test::PathNative>(path);
    if (!surface || !nativeBrush || !nativePath) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    DrawCall call;
    call.kind = DrawKind::FillPath;
    call.argb = nativeBrush->argb;
    call.fillMode = nativePath->fillMode;
    call.path = nativePath->segments;
    Check(Record(*surface, std::move(call)));
}

void GDIPGraphics::FillRectangle(const GDIPBrush& brush, const RectF& rect) {
    auto* surface = LiveSurface(m_handle);
    const auto* nativeBrush = NativeOf<test::BrushNative>(brush);
    if (!surface || !nativeBrush) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    DrawCall call;
    call.kind = DrawKind::FillRectangle;
    call.argb = nativeBrush->argb;
    call.rect = rect;
    Check(Record(*surface, std::move(call)));
}

void GDIPGraphics::DrawRectangle(const GDIPPen& pen, float x, float y, float width, float height) {
    auto* surface = LiveSurface(m_handle);
    const auto* nativePen = NativeOf<test::PenNative>(pen);
    if (!surface || !nativePen) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    DrawCall call;
    call.kind = DrawKind::DrawRectangle;
    call.argb = nativePen->argb;
    call.penWidth = nativePen->width;
    call.rect = RectF{x, y, width, height};
    Check(Record(*surface, std::move(call)));
}

}  // namespace tarvik
