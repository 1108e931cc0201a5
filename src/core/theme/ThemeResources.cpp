// The theme's fonts and pictures: resolving the font family, building the text fonts, loading
// skin images from the resources folder.
#include <string>
#include <string_view>

#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "core/graphics/GDIPlus.h"
#include "core/graphics/GraphicsTypes.h"
#include "core/text/StringHelpers.h"
#include "core/theme/Skin.h"
#include "core/theme/Theme.h"
#include "core/theme/ThemeReaders.h"
#include "core/xml/XmlDocument.h"

namespace tarvik {

namespace {

// The number a failed drawing call is reported with when errors are raised.
constexpr int32_t kDrawingErrorBase = 1048;

// The family of that name, or an empty family when it is not installed (also when the drawing
// library raises its failure instead of recording it).
GDIPFontFamily TryFamily(std::string_view name) {
    try {
        return GDIPFontFamily(name);
    } catch (const Error&) {
        return GDIPFontFamily{};
    }
}

// A picture's name must stay inside the resources folder: a relative path without a drive, a
// stream name or a ".." step. The theme file may have been edited by anyone.
bool IsResourceName(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\') return false;
    if (name.find(':') != std::string_view::npos) return false;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = name.find_first_of("/\\", start);
        const std::string_view step = name.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (step == "..") return false;
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return true;
}

}  // namespace

GDIPFontFamily Theme::ResolveFontFamily(std::string_view list) const {
    const std::string faces(TrimSpaces(list).empty() ? kDefaultFontFace : list);
    std::string_view rest = faces;
    std::string_view first;
    while (true) {
        const size_t comma = rest.find(',');
        const std::string_view entry = TrimSpaces(rest.substr(0, comma));
        if (!entry.empty()) {
            const bool isFirst = first.empty();
            if (isFirst) first = entry;
            GDIPFontFamily family = TryFamily(entry);
            if (family.Exists()) {
                if (!isFirst && m_trace) {
                    m_trace->Log("Theme: font face '" + std::string(first) +
                                 "' is not installed, falling back to '" + std::string(entry) +
                                 "'");
                }
                return family;
            }
        }
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    if (m_trace) {
        m_trace->LogError(0, "Theme", "ResolveFontFamily",
                          "no usable font family in '" + faces + "'");
    }
    return GDIPFontFamily{};
}

void Theme::ResolveFonts() {
    FontFamily = ResolveFontFamily(FontFace);
    TextFont = GDIPFont(FontFamily, TextSize, kFontStyleRegular);
    BoldFont = GDIPFont(FontFamily, TextSize, kFontStyleBold);
    if (!m_textColoursRead) {
        TextColour.SetColourByHex("000000");
        HighlightTextColour.SetColourByHex("ffffff");
    }
    // Fully transparent disabled text would vanish: that means the built-in grey.
    if (DisabledTextColour == 0) DisabledTextColour = kDefaultDisabledTextColour;
}

GDIPFont Theme::MakeFont(float size, int32_t style) const {
    if (!FontFamily.Exists()) return GDIPFont{};
    return GDIPFont(FontFamily, size * m_drawScale, style);
}

GDIPImage Theme::LoadImage(std::string_view name) const {
    if (TrimSpaces(name).empty()) return GDIPImage{};
    const auto failed = [&](int32_t number) {
        if (m_trace) {
            m_trace->LogError(number, "Theme", "LoadImage",
                              "could not load resources\\" + std::string(name));
        }
        return GDIPImage{};
    };
    if (!IsResourceName(name)) return failed(0);

    const std::u8string folder = (m_programFolder / "resources").u8string();
    std::string path(folder.begin(), folder.end());
    path += static_cast<char>(std::filesystem::path::preferred_separator);
    path += name;
    try {
        GDIPImage image = GDIPImage::FromFile(path);
        if (image.IsLoaded()) return image;
        // With drawing errors recorded rather than raised, report the number the raised
        // error would have had.
        const int status = image.LastStatus();
        return failed(status != kGdipStatusOk ? kDrawingErrorBase + status : 0);
    } catch (const Error& error) {
        return failed(error.Number());
    }
}

void Theme::ReadSkin(SkinButton& skin, const XmlElement* element, const Dpi& dpi) const {
    if (!element) return;
    GDIPImage image = LoadImage(Attr(element, "src", ""));
    if (!image.IsLoaded()) return;
    ReadSkinFrames(std::move(image), Attr(element, "states", "normal"), dpi, skin);
}

}  // namespace tarvik
