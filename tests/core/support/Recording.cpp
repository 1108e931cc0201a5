// The recording drawing backend (see RecordingGraphics.h): every native handle is a DrawCall.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/support/RecordingGraphics.h"
#include "core/text/StringHelpers.h"
#include "core/text/Utf16.h"

namespace tarvik {
namespace {

using namespace test;

std::vector<std::string> g_families{"Segoe UI", "Arial", "Tahoma", "DejaVu Sans"};

DrawCall* Of(const GDIPObject& object) {
    return static_cast<DrawCall*>(object.NativeHandle());
}
void Delete(void*& handle) noexcept {
    delete static_cast<DrawCall*>(handle);
    handle = nullptr;
}
void* NewImage() {
    return new DrawCall{.drawn = std::make_shared<std::vector<DrawCall>>()};
}

// Keeps a call on the surface and on its image; status 2 when the surface or an object is missing.
int Record(void* surface, bool objectsPresent, DrawCall call) {
    auto* native = static_cast<DrawCall*>(surface);
    if (!native || !objectsPresent) return kGdipStatusInvalidParameter;
    call.settings = native->settings;
    native->drawn->push_back(call);
    native->calls.push_back(std::move(call));
    return kGdipStatusOk;
}

int Set(void* surface, int RenderSettings::*setting, int value) {
    if (!surface) return kGdipStatusInvalidParameter;
    static_cast<DrawCall*>(surface)->settings.*setting = value;
    return kGdipStatusOk;
}

}  // namespace

bool GDIPlusCreate(bool suppressErrors) {
    SetGDIPlusErrorsSuppressed(suppressErrors);
    return true;
}

GDIPImage GDIPImage::FromFile(std::string_view path) {
    GDIPImage result;
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
                     std::ios::binary);
    unsigned char h[24] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    const auto word = [&](int at) {
        return h[at] << 24 | h[at + 1] << 16 | h[at + 2] << 8 | h[at + 3];
    };
    const bool png = in && std::memcmp(&h[12], "IHDR", 4) == 0 && word(16) > 0 && word(20) > 0;
    if (result.Check(!in.is_open() ? kGdipStatusFileNotFound
                     : png         ? kGdipStatusOk
                                   : kGdipStatusUnknownImageFormat)) {
        return result;
    }
    result.m_width = word(16);
    result.m_height = word(20);
    result.m_handle = NewImage();
    return result;
}

void GDIPImage::Dispose() noexcept {
    Delete(m_handle);
    m_width = 0;
    m_height = 0;
}

GDIPBitmap GDIPBitmap::CreateFromSizeFormat(int width, int height, int) {
    GDIPBitmap result;
    if (result.Check(width < 1 || height < 1 ? kGdipStatusInvalidParameter : kGdipStatusOk)) {
        return result;
    }
    result.m_handle = NewImage();
    result.m_width = width;
    result.m_height = height;
    return result;
}

void GDIPPen::Rebuild() {
    Dispose();
    m_handle = new DrawCall{.argb = NativeArgb()};
}

void GDIPPen::Dispose() noexcept {
    Delete(m_handle);
}

void GDIPBrush::Rebuild() {
    Dispose();
    m_handle = new DrawCall{.argb = NativeArgb()};
}

void GDIPBrush::Dispose() noexcept {
    Delete(m_handle);
}

GDIPFontFamily::GDIPFontFamily(std::string_view name) {
    const auto found = std::find_if(g_families.begin(), g_families.end(), [&](const auto& family) {
        return ToLowerAscii(family) == ToLowerAscii(name);
    });
    if (Check(found == g_families.end() ? kGdipStatusFontFamilyNotFound : kGdipStatusOk)) return;
    m_handle = new DrawCall{.font = {*found}};
    m_name = *found;
}

void GDIPFontFamily::Dispose() noexcept {
    Delete(m_handle);
}

GDIPFont::GDIPFont(const GDIPFontFamily& family, float size, int style)
    : m_size(size), m_style(style) {
    if (Check(Of(family) && size > 0 ? kGdipStatusOk : kGdipStatusInvalidParameter)) return;
    m_handle = new DrawCall{.font = {Of(family)->font.family, size, style}};
}

void GDIPFont::Dispose() noexcept {
    Delete(m_handle);
}

GDIPGraphicPath::GDIPGraphicPath(int fillMode) : m_fillMode(fillMode) {
    m_handle = new DrawCall;
}

void GDIPGraphicPath::AddLine(float, float, float, float) {}

void GDIPGraphicPath::AddRectangle(int, int, int, int) {}

void GDIPGraphicPath::AddArc(float, float, float, float, float, float) {}

void GDIPGraphicPath::AddEllipse(float, float, float, float) {}

void GDIPGraphicPath::Dispose() noexcept {
    Delete(m_handle);
}

void GDIPGraphics::Unbind() noexcept {
    Delete(m_handle);
}

void GDIPGraphics::FromImage(GDIPImage& image) {
    Unbind();
    if (Check(Of(image) ? kGdipStatusOk : kGdipStatusInvalidParameter)) return;
    m_handle = new DrawCall{.drawn = Of(image)->drawn};
}

void GDIPGraphics::Dispose() noexcept {
    Unbind();
}

void GDIPGraphics::SetTextRenderingHint(int hint) {
    Check(Set(m_handle, &RenderSettings::textRenderingHint, hint));
}

void GDIPGraphics::SetSmoothingMode(int mode) {
    Check(Set(m_handle, &RenderSettings::smoothingMode, mode));
}

void GDIPGraphics::SetPixelOffsetMode(int mode) {
    Check(Set(m_handle, &RenderSettings::pixelOffsetMode, mode));
}

void GDIPGraphics::SetInterpolationMode(int) {
    Check(m_handle ? kGdipStatusOk : kGdipStatusInvalidParameter);
}

void GDIPGraphics::SetClip(const RectF& rect) {
    Check(Record(m_handle, true, {.kind = DrawKind::Clip, .rect = rect}));
}

void GDIPGraphics::ResetClip() {
    Check(Record(m_handle, true, {.kind = DrawKind::Clip}));
}

void GDIPGraphics::Clear(uint32_t argb) {
    Check(Record(m_handle, true, {.kind = DrawKind::Clear, .argb = argb}));
}

void GDIPGraphics::DrawString(std::string_view text, const GDIPFont& font, const GDIPBrush& brush,
                              PointF at) {
    Check(Record(m_handle, Of(font) && Of(brush),
                 {.kind = DrawKind::DrawString,
                  .argb = RecordOf(brush).argb,
                  .text = std::string(text),
                  .font = RecordOf(font).font,
                  .point = at}));
}

RectF GDIPGraphics::MeasureString(std::string_view text, const GDIPFont& font) {
    const float size = RecordOf(font).font.size;
    if (text.empty()) return {};
    return {0, 0, MeasureStringWidth(text, font) + size / 3, 1.2f * size};
}

float GDIPGraphics::MeasureStringWidth(std::string_view text, const GDIPFont& font) {
    if (Check(m_handle && Of(font) ? kGdipStatusOk : kGdipStatusInvalidParameter)) return 0;
    const RecordedFont& f = Of(font)->font;
    return float(Utf16Length(text)) * 0.5f * f.size * ((f.style & kFontStyleBold) ? 1.1f : 1.0f);
}

void GDIPGraphics::DrawImage(const GDIPImage& image, float x, float y, float width, float height) {
    DrawImageRect(image, x, y, width, height, 0, 0, float(image.width()), float(image.Height()));
}

void GDIPGraphics::DrawImageRect(const GDIPImage& image, float dstX, float dstY, float dstWidth,
                                 float dstHeight, float srcX, float srcY, float srcWidth,
                                 float srcHeight) {
    Check(Record(m_handle, Of(image),
                 {.kind = DrawKind::DrawImage,
                  .rect = {dstX, dstY, dstWidth, dstHeight},
                  .source = {srcX, srcY, srcWidth, srcHeight}}));
}

void GDIPGraphics::DrawPath(const GDIPPen& pen, const GDIPGraphicPath& path) {
    Check(Record(m_handle, Of(pen) && Of(path),
                 {.kind = DrawKind::DrawPath, .argb = RecordOf(pen).argb}));
}

void GDIPGraphics::FillPath(const GDIPBrush& brush, const GDIPGraphicPath& path) {
    Check(Record(m_handle, Of(brush) && Of(path),
                 {.kind = DrawKind::FillPath, .argb = RecordOf(brush).argb}));
}

void GDIPGraphics::FillRectangle(const GDIPBrush& brush, const RectF& rect) {
    Check(Record(m_handle, Of(brush),
                 {.kind = DrawKind::FillRectangle, .argb = RecordOf(brush).argb, .rect = rect}));
}

namespace test {

const DrawCall& RecordOf(const GDIPObject& object) {
    static const DrawCall kEmpty;
    return Of(object) ? *Of(object) : kEmpty;
}

void SetInstalledFontFamilies(std::vector<std::string> families) {
    g_families = std::move(families);
}

}  // namespace test
}  // namespace tarvik
