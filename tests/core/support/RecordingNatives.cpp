// The bookkeeping of the recording drawing backend and what tests read from it.
#include "core/support/RecordingNatives.h"

#include <algorithm>

#include "core/text/Utf16.h"

namespace tarvik::test {

namespace {

uint64_t g_lastId = 0;

constexpr float kUnitWidth = 0.5f;
constexpr float kBoldFactor = 1.1f;
constexpr float kLineHeight = 1.2f;
constexpr float kMeasureBoxWidth = 8192;

const std::vector<DrawCall> kNoCalls;
const std::vector<PathSegment> kNoSegments;

// The UTF-16 units of the widest line of a text, and its number of lines; a carriage return has
// no width.
std::pair<size_t, size_t> WidestLine(std::string_view text) {
    size_t widest = 0;
    size_t lines = 1;
    for (;; ++lines) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        widest = std::max(widest, Utf16Length(line) - std::count(line.begin(), line.end(), '\r'));
        if (end == std::string_view::npos) return {widest, lines};
        text.remove_prefix(end + 1);
    }
}

float UnitWidth(const RecordedFont& font) {
    const bool bold = (font.style & kFontStyleBold) != 0;
    return kUnitWidth * font.size * (bold ? kBoldFactor : 1.0f);
}

}  // namespace

RecordedNative::RecordedNative() : id(++g_lastId) {}

void DeleteNative(void*& handle) noexcept {
    delete static_cast<RecordedNative*>(handle);
    handle = nullptr;
}

void* NewImage(std::string_view source, int width, int height) {
    auto* native = new ImageNative;
    native->record->image = RecordedImage{native->id, std::string(source), width, height};
    return ToHandle(native);
}

float RecordedTextWidth(std::string_view text, const RecordedFont& font) {
    return std::min(static_cast<float>(WidestLine(text).first) * UnitWidth(font), kMeasureBoxWidth);
}

RectF RecordedTextBox(std::string_view text, const RecordedFont& font) {
    if (text.empty()) return {};
    const auto [widest, lines] = WidestLine(text);
    return RectF{0, 0, static_cast<float>(widest) * UnitWidth(font) + font.size / 3,
                 static_cast<float>(lines) * kLineHeight * font.size};
}

const std::vector<DrawCall>& RecordedCalls(const GDIPGraphics& graphics) {
    const auto* surface = NativeOf<SurfaceNative>(graphics);
    return surface ? surface->calls : kNoCalls;
}

const std::vector<DrawCall>& RecordedCalls(const GDIPImage& image) {
    const auto* native = NativeOf<ImageNative>(image);
    return native ? native->record->drawn : kNoCalls;
}

const std::vector<PathSegment>& RecordedSegments(const GDIPGraphicPath& path) {
    const auto* native = NativeOf<PathNative>(path);
    return native ? native->segments : kNoSegments;
}

RecordedFont RecordedFontOf(const GDIPFont& font) {
    const auto* native = NativeOf<FontNative>(font);
    return native ? native->font : RecordedFont{};
}

uint32_t RecordedArgb(const GDIPPen& pen) {
    const auto* native = NativeOf<PenNative>(pen);
    return native ? native->argb : 0;
}

uint32_t RecordedArgb(const GDIPBrush& brush) {
    const auto* native = NativeOf<BrushNative>(brush);
    return native ? native->argb : 0;
}

uint64_t RecordedImageId(const GDIPImage& image) {
    const auto* native = NativeOf<ImageNative>(image);
    return native ? native->record->image.id : 0;
}

}  // namespace tarvik::test
