// The recording drawing backend (see RecordingGraphics.h). One native object serves every kind
// of drawing object and holds what that kind needs.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/graphics/GDIPGraphics.h"
#include "core/support/RecordingGraphics.h"
#include "core/text/StringHelpers.h"
#include "core/text/Utf16.h"

namespace tarvik {
namespace {

using namespace test;

struct ImageRecord {
    RecordedImage image;
    std::vector<DrawCall> drawn;
};

struct Native {
    uint32_t argb = 0;                   // pen, brush
    float penWidth = 0;                  // pen
    RecordedFont font;                   // font family (its name), font
    std::vector<PathSegment> path;       // path
    std::shared_ptr<ImageRecord> image;  // image, or the bitmap a surface draws into
    RenderSettings settings;             // surface
    std::vector<DrawCall> calls;         // surface
};

const std::vector<std::string> kDefaultFamilies{"Segoe UI", "Arial", "Tahoma", "DejaVu Sans"};
std::vector<std::string> g_families = kDefaultFamilies;
uint64_t g_lastImage = 0;

Native* Of(void* handle) {
    return static_cast<Native*>(handle);
}
Native* Of(const GDIPObject& object) {
    return Of(object.NativeHandle());
}
void Delete(void*& handle) noexcept {
    delete Of(handle);
    handle = nullptr;
}
void* NewImage(int width, int height) {
    auto record = std::make_shared<ImageRecord>();
    record->image = {++g_lastImage, width, height};
    return new Native{.image = record};
}

// Keeps a call on a surface and on its bitmap; status 2 when the surface or an object is missing.
int Record(void* surface, bool objectsPresent, DrawCall call) {
    Native* native = Of(surface);
    if (!native || !objectsPresent) return kGdipStatusInvalidParameter;
    call.settings = native->settings;
    native->image->drawn.push_back(call);
    native->calls.push_back(std::move(call));
    return kGdipStatusOk;
}

int Set(void* surface, int RenderSettings::*setting, int value) {
    if (!surface) return kGdipStatusInvalidParameter;
    Of(surface)->settings.*setting = value;
    return kGdipStatusOk;
}

int Add(void* path, SegmentKind kind, std::array<float, 6> values) {
    if (!path) return kGdipStatusInvalidParameter;
    Of(path)->path.push_back({kind, values});
    return kGdipStatusOk;
}

DrawCall ImageCall(DrawKind kind, const GDIPImage& image, RectF destination) {
    DrawCall call{.kind = kind, .rect = destination};
    if (const Native* native = Of(image)) {
        call.image = native->image->image;
        call.source = {0, 0, float(call.image.width), float(call.image.height)};
    }
    return call;
}

// The width of a text's widest line in UTF-16 units, and its number of lines.
std::pair<float, float> TextExtent(std::string_view text) {
    size_t widest = 0;
    for (size_t lines = 1;; ++lines) {
        const std::string_view line = text.substr(0, text.find('\n'));
        widest = std::max(widest, Utf16Length(line) - std::count(line.begin(), line.end(), '\r'));
        if (line.size() == text.size()) return {float(widest), float(lines)};
        text.remove_prefix(line.size() + 1);
    }
}

float UnitWidth(const RecordedFont& font) {
    return 0.5f * font.size * ((font.style & kFontStyleBold) ? 1.1f : 1.0f);
}

}  // namespace

bool GDIPlusCreate(bool suppressErrors) {
    SetGDIPlusErrorsSuppressed(suppressErrors);
    return true;
}

void GDIPlusDispose() {}

GDIPImage GDIPImage::FromFile(std::string_view path) {
    GDIPImage result;
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
                     std::ios::binary);
    std::array<unsigned char, 24> h{};
    in.read(reinterpret_cast<char*>(h.data()), h.size());
    const auto word = [&](int at) {
        return static_cast<int>(uint32_t{h[at]} << 24 | uint32_t{h[at + 1]} << 16 |
                                uint32_t{h[at + 2]} << 8 | h[at + 3]);
    };
    if (!in.is_open()) {
        result.Check(kGdipStatusFileNotFound);
    } else if (!in || std::string_view(reinterpret_cast<char*>(&h[12]), 4) != "IHDR" ||
               word(16) < 1 || word(20) < 1) {
        result.Check(kGdipStatusUnknownImageFormat);
    } else {
        result.m_width = word(16);
        result.m_height = word(20);
        result.m_handle = NewImage(result.m_width, result.m_height);
        result.Check(kGdipStatusOk);
    }
    return result;
}

void GDIPImage::Dispose() noexcept {
    Delete(m_handle);
    m_width = 0;
    m_height = 0;
}

GDIPBitmap GDIPBitmap::CreateFromSizeFormat(int width, int height, int) {
    GDIPBitmap result;
    if (width < 1 || height < 1 || width > 4096 || height > 4096) {
        result.Check(kGdipStatusInvalidParameter);
        return result;
    }
    result.m_handle = NewImage(width, height);
    result.m_width = width;
    result.m_height = height;
    result.Check(kGdipStatusOk);
    return result;
}

void GDIPPen::Rebuild() {
    Dispose();
    m_handle = new Native{.argb = NativeArgb(), .penWidth = float(m_size)};
    Check(kGdipStatusOk);
}

void GDIPPen::Dispose() noexcept {
    Delete(m_handle);
}

void GDIPBrush::Rebuild() {
    Dispose();
    m_handle = new Native{.argb = NativeArgb()};
    Check(kGdipStatusOk);
}

void GDIPBrush::Dispose() noexcept {
    Delete(m_handle);
}

GDIPFontFamily::GDIPFontFamily(std::string_view name) {
    const auto found = std::find_if(g_families.begin(), g_families.end(), [&](const auto& family) {
        return ToLowerAscii(family) == ToLowerAscii(name);
    });
    if (found == g_families.end()) {
        Check(kGdipStatusFontFamilyNotFound);
        return;
    }
    m_handle = new Native{.font = {*found}};
    m_name = *found;
    Check(kGdipStatusOk);
}

void GDIPFontFamily::Dispose() noexcept {
    Delete(m_handle);
}

GDIPFont::GDIPFont(const GDIPFontFamily& family, float size, int style)
    : m_size(size), m_style(style) {
    if (!Of(family) || !(size > 0)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    m_handle = new Native{.font = {Of(family)->font.family, size, style}};
    Check(kGdipStatusOk);
}

void GDIPFont::Dispose() noexcept {
    Delete(m_handle);
}

GDIPGraphicPath::GDIPGraphicPath(int fillMode) : m_fillMode(fillMode) {
    m_handle = new Native;
    Check(kGdipStatusOk);
}

void GDIPGraphicPath::AddLine(float x1, float y1, float x2, float y2) {
    Check(Add(m_handle, SegmentKind::Line, {x1, y1, x2, y2}));
}

void GDIPGraphicPath::AddRectangle(int x, int y, int width, int height) {
    Check(Add(m_handle, SegmentKind::Rectangle, {float(x), float(y), float(width), float(height)}));
}

void GDIPGraphicPath::AddArc(float x, float y, float width, float height, float startAngle,
                             float sweepAngle) {
    Check(Add(m_handle, SegmentKind::Arc, {x, y, width, height, startAngle, sweepAngle}));
}

void GDIPGraphicPath::Dispose() noexcept {
    Delete(m_handle);
}

void GDIPGraphics::Unbind() noexcept {
    Delete(m_handle);
    m_dc = nullptr;
    m_lentDc = nullptr;
}

void GDIPGraphics::FromImage(GDIPImage& image) {
    Unbind();
    if (!Of(image)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    m_handle = new Native{.image = Of(image)->image};
    Check(kGdipStatusOk);
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

void GDIPGraphics::SetInterpolationMode(int mode) {
    Check(Set(m_handle, &RenderSettings::interpolationMode, mode));
}

void GDIPGraphics::Clear(uint32_t argb) {
    Check(Record(m_handle, true, {.kind = DrawKind::Clear, .argb = argb}));
}

void GDIPGraphics::DrawString(std::string_view text, const GDIPFont& font, const GDIPBrush& brush,
                              PointF at) {
    if (!Of(font) || !Of(brush)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    Check(Record(m_handle, true,
                 {.kind = DrawKind::DrawString,
                  .argb = Of(brush)->argb,
                  .text = std::string(text),
                  .font = Of(font)->font,
                  .point = at}));
}

RectF GDIPGraphics::MeasureString(std::string_view text, const GDIPFont& font) {
    if (Check(m_handle && Of(font) ? kGdipStatusOk : kGdipStatusInvalidParameter) || text.empty()) {
        return {};
    }
    const RecordedFont& f = Of(font)->font;
    const auto [widest, lines] = TextExtent(text);
    return {0, 0, widest * UnitWidth(f) + f.size / 3, lines * 1.2f * f.size};
}

float GDIPGraphics::MeasureStringWidth(std::string_view text, const GDIPFont& font) {
    if (Check(m_handle && Of(font) ? kGdipStatusOk : kGdipStatusInvalidParameter)) return 0;
    return std::min(TextExtent(text).first * UnitWidth(Of(font)->font), 8192.0f);
}

void GDIPGraphics::DrawImage(const GDIPImage& image, float x, float y, float width, float height) {
    Check(
        Record(m_handle, Of(image), ImageCall(DrawKind::DrawImage, image, {x, y, width, height})));
}

void GDIPGraphics::DrawImageRect(const GDIPImage& image, float dstX, float dstY, float dstWidth,
                                 float dstHeight, float srcX, float srcY, float srcWidth,
                                 float srcHeight) {
    DrawCall call = ImageCall(DrawKind::DrawImageRect, image, {dstX, dstY, dstWidth, dstHeight});
    call.source = {srcX, srcY, srcWidth, srcHeight};
    Check(Record(m_handle, Of(image), std::move(call)));
}

void GDIPGraphics::DrawPath(const GDIPPen& pen, const GDIPGraphicPath& path) {
    const Native* native = Of(pen);
    Check(Record(m_handle, native && Of(path),
                 {.kind = DrawKind::DrawPath,
                  .argb = native ? native->argb : 0,
                  .penWidth = native ? native->penWidth : 0,
                  .path = Of(path) ? Of(path)->path : std::vector<PathSegment>{}}));
}

void GDIPGraphics::FillPath(const GDIPBrush& brush, const GDIPGraphicPath& path) {
    Check(Record(m_handle, Of(brush) && Of(path),
                 {.kind = DrawKind::FillPath,
                  .argb = Of(brush) ? Of(brush)->argb : 0,
                  .path = Of(path) ? Of(path)->path : std::vector<PathSegment>{}}));
}

void GDIPGraphics::FillRectangle(const GDIPBrush& brush, const RectF& rect) {
    Check(Record(
        m_handle, Of(brush),
        {.kind = DrawKind::FillRectangle, .argb = Of(brush) ? Of(brush)->argb : 0, .rect = rect}));
}

namespace test {

namespace {
const std::vector<DrawCall> kNoCalls;
const std::vector<PathSegment> kNoSegments;
}  // namespace

const std::vector<DrawCall>& RecordedCalls(const GDIPGraphics& graphics) {
    return Of(graphics) ? Of(graphics)->calls : kNoCalls;
}

const std::vector<DrawCall>& RecordedCalls(const GDIPImage& image) {
    return Of(image) ? Of(image)->image->drawn : kNoCalls;
}

const std::vector<PathSegment>& RecordedSegments(const GDIPGraphicPath& path) {
    return Of(path) ? Of(path)->path : kNoSegments;
}

RecordedFont RecordedFontOf(const GDIPFont& font) {
    return Of(font) ? Of(font)->font : RecordedFont{};
}

uint32_t RecordedArgb(const GDIPPen& pen) {
    return Of(pen) ? Of(pen)->argb : 0;
}

uint32_t RecordedArgb(const GDIPBrush& brush) {
    return Of(brush) ? Of(brush)->argb : 0;
}

uint64_t RecordedImageId(const GDIPImage& image) {
    return Of(image) ? Of(image)->image->image.id : 0;
}

void SetInstalledFontFamilies(std::vector<std::string> families) {
    g_families = std::move(families);
}

void ResetInstalledFontFamilies() {
    g_families = kDefaultFamilies;
}

ScopedDrawingErrors::ScopedDrawingErrors(bool suppressed)
    : m_wasSuppressed(GDIPlusErrorsSuppressed()) {
    GDIPlusCreate(suppressed);
    SetGDIPlusErrorSourceName("Tarvik.exe");
}

ScopedDrawingErrors::~ScopedDrawingErrors() {
    SetGDIPlusErrorsSuppressed(m_wasSuppressed);
}

}  // namespace test
}  // namespace tarvik
