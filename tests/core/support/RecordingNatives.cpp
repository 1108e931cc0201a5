// The bookkeeping of the recording drawing backend and what tests read from it.
#include "core/support/RecordingNatives.h"

#include <algorithm>

#include "core/text/Utf16.h"

namespace tarvik::test {

namespace {

int g_live = 0;
uint64_t g_lastId = 0;

constexpr float kUnitWidth = 0.5f;
constexpr float kBoldFactor = 1.1f;
constexpr float kLineHeight = 1.2f;
constexpr float kMeasureBoxWidth = 8192;

const std::vector<DrawCall> kNoCalls;
const std::vector<PathSegment> kNoSegments;

// The UTF-16 units of each line of a text; a carriage return has no width.
std::vector<size_t> LineUnits(std::string_view text) {
    std::vector<size_t> lines;
    for (;;) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        lines.push_back(Utf16Length(line) -
                        static_cast<size_t>(std::count(line.begin(), line.end(), '\r')));
        if (end == std::string_view::npos) return lines;
        text.remove_prefix(end + 1);
    }
}

float UnitWidth(const RecordedFont& font) {
    const bool bold = (font.style & kFontStyleBold) != 0;
    return kUnitWidth * font.size * (bold ? kBoldFactor : 1.0f);
}

}  // namespace

RecordedNative::RecordedNative() : id(++g_lastId) {
    ++g_live;
}

RecordedNative::~RecordedNative() {
    --g_live;
}

void DeleteNative(void*& handle) noexcept {
    delete static_cast<RecordedNative*>(handle);
    handle = nullptr;
}

float RecordedTextWidth(std::string_view text, const RecordedFont& font) {
    const std::vector<size_t> lines = LineUnits(text);
    const size_t widest = *std::max_element(lines.begin(), lines.end());
    return std::min(static_cast<float>(widest) * UnitWidth(font), kMeasureBoxWidth);
}

RectF RecordedTextBox(std::string_view text, const RecordedFont& font) {
    if (text.empty()) return {};
    const std::vector<size_t> lines = LineUnits(text);
    const size_t widest = *std::max_element(lines.begin(), lines.end());
    return RectF{0, 0, static_cast<float>(widest) * UnitWidth(font) + font.size / 3,
                 static_cast<float>(lines.size()) * kLineHeight * font.size};
}

const std::vector<DrawCall>& RecordedCalls(const GDIPGraphics& graphics) {
    const auto* surface = NativeOf<SurfaceNative>(graphics);
    return surface ? surface->calls : kNoCalls;
}

const std::vector<DrawCall>& RecordedCalls(const GDIPImage& image) {
    const auto* native = NativeOf<ImageNative>(image);
    return native ? native->record->drawn : kNoCalls;
}

RenderSettings RecordedSettings(const GDIPGraphics& graphics) {
    const auto* surface = NativeOf<SurfaceNative>(graphics);
    return surface ? surface->settings : RenderSettings{};
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

float RecordedPenWidth(const GDIPPen& pen) {
    const auto* native = NativeOf<PenNative>(pen);
    return native ? native->width : 0;
}

uint64_t RecordedNativeId(const GDIPObject& object) {
    const auto* native = NativeOf<RecordedNative>(object);
    return native ? native->id : 0;
}

uint64_t RecordedImageId(const GDIPImage& image) {
    const auto* native = NativeOf<ImageNative>(image);
    return native ? native->record->id : 0;
}

int LiveNativeObjects() {
    return g_live;
}

}  // namespace tarvik::test
