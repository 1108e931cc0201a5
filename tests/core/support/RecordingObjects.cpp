// Pens, brushes, font families, fonts and paths of the recording drawing backend.
#include <algorithm>

#include "core/graphics/GDIPBrush.h"
#include "core/graphics/GDIPFont.h"
#include "core/graphics/GDIPFontFamily.h"
#include "core/graphics/GDIPGraphicPath.h"
#include "core/graphics/GDIPPen.h"
#include "core/support/RecordingNatives.h"
#include "core/text/StringHelpers.h"

namespace tarvik {

using test::NativeOf;
using test::PathSegment;
using test::SegmentKind;

namespace {

const std::vector<std::string> kDefaultFamilies{"Segoe UI", "Arial", "Tahoma", "DejaVu Sans"};

std::vector<std::string>& InstalledFamilies() {
    static std::vector<std::string> families = kDefaultFamilies;
    return families;
}

// Adds a segment to a path, or fails with status 2 when the path is empty.
int AddSegment(void* handle, SegmentKind kind, std::array<float, 6> values) {
    auto* path = NativeOf<test::PathNative>(handle);
    if (!path) return kGdipStatusInvalidParameter;
    path->segments.push_back(PathSegment{kind, values});
    return kGdipStatusOk;
}

}  // namespace

namespace test {

void SetInstalledFontFamilies(std::vector<std::string> families) {
    InstalledFamilies() = std::move(families);
}

void ResetInstalledFontFamilies() {
    InstalledFamilies() = kDefaultFamilies;
}

}  // namespace test

void GDIPPen::Rebuild() {
    Dispose();
    auto* pen = new test::PenNative;
    pen->argb = NativeArgb();
    pen->width = static_cast<float>(m_size);
    m_handle = test::ToHandle(pen);
    Check(kGdipStatusOk);
}

void GDIPPen::Dispose() noexcept {
    test::DeleteNative(m_handle);
}

void GDIPBrush::Rebuild() {
    Dispose();
    auto* brush = new test::BrushNative;
    brush->argb = NativeArgb();
    m_handle = test::ToHandle(brush);
    Check(kGdipStatusOk);
}

void GDIPBrush::Dispose() noexcept {
    test::DeleteNative(m_handle);
}

GDIPFontFamily::GDIPFontFamily(std::string_view name) {
    const auto& installed = InstalledFamilies();
    const auto found = std::find_if(
        installed.begin(), installed.end(),
        [&](const std::string& family) { return ToLowerAscii(family) == ToLowerAscii(name); });
    if (found == installed.end()) {
        Check(kGdipStatusFontFamilyNotFound);
        return;
    }
    auto* family = new test::FamilyNative;
    family->name = *found;
    m_handle = test::ToHandle(family);
    m_name = *found;
    Check(kGdipStatusOk);
}

bool GDIPFontFamily::IsStyleAvailable(int) {
    return Check(m_handle ? kGdipStatusOk : kGdipStatusInvalidParameter) == kGdipStatusOk;
}

void GDIPFontFamily::Dispose() noexcept {
    test::DeleteNative(m_handle);
}

GDIPFont::GDIPFont(const GDIPFontFamily& family, float size, int style)
    : m_size(size), m_style(style) {
    const auto* source = NativeOf<test::FamilyNative>(family);
    if (!source || !(size > 0)) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    auto* font = new test::FontNative;
    font->font = test::RecordedFont{source->name, size, style};
    m_handle = test::ToHandle(font);
    Check(kGdipStatusOk);
}

void GDIPFont::Dispose() noexcept {
    test::DeleteNative(m_handle);
}

GDIPGraphicPath::GDIPGraphicPath(int fillMode) : m_fillMode(fillMode) {
    if (fillMode != kFillModeAlternate && fillMode != kFillModeWinding) {
        Check(kGdipStatusInvalidParameter);
        return;
    }
    auto* path = new test::PathNative;
    path->fillMode = fillMode;
    m_handle = test::ToHandle(path);
    Check(kGdipStatusOk);
}

void GDIPGraphicPath::AddLine(float x1, float y1, float x2, float y2) {
    Check(AddSegment(m_handle, SegmentKind::Line, {x1, y1, x2, y2}));
}

void GDIPGraphicPath::AddRectangle(int x, int y, int width, int height) {
    Check(AddSegment(m_handle, SegmentKind::Rectangle,
                     {static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                      static_cast<float>(height)}));
}

void GDIPGraphicPath::AddArc(float x, float y, float width, float height, float startAngle,
                             float sweepAngle) {
    Check(AddSegment(m_handle, SegmentKind::Arc, {x, y, width, height, startAngle, sweepAngle}));
}

void GDIPGraphicPath::Dispose() noexcept {
    test::DeleteNative(m_handle);
}

}  // namespace tarvik
