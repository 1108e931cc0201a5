#pragma once

// The native objects of the recording drawing backend (see RecordingGraphics.h).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/support/RecordingGraphics.h"

namespace tarvik::test {

// Every native object, numbered uniquely.
struct RecordedNative {
    RecordedNative();
    virtual ~RecordedNative() = default;
    RecordedNative(const RecordedNative&) = delete;
    RecordedNative& operator=(const RecordedNative&) = delete;
    const uint64_t id;
};

struct PenNative final : RecordedNative {
    uint32_t argb = 0;
    float width = 0;
};

struct BrushNative final : RecordedNative {
    uint32_t argb = 0;
};

struct FamilyNative final : RecordedNative {
    std::string name;
};

struct FontNative final : RecordedNative {
    RecordedFont font;
};

struct PathNative final : RecordedNative {
    int fillMode = 0;
    std::vector<PathSegment> segments;
};

// The picture behind an image, shared with the surfaces that draw into it (which notice when
// the image is gone).
struct ImageRecord {
    RecordedImage image;
    std::vector<DrawCall> drawn;
};

struct ImageNative final : RecordedNative {
    std::shared_ptr<ImageRecord> record = std::make_shared<ImageRecord>();
};

struct SurfaceNative final : RecordedNative {
    bool boundToImage = false;
    std::weak_ptr<ImageRecord> image;
    RenderSettings settings;
    std::vector<DrawCall> calls;
};

// The handle that stands for a native object, and back; null for the wrong kind.
inline void* ToHandle(RecordedNative* native) {
    return native;
}
template <typename T>
T* NativeOf(void* handle) {
    return dynamic_cast<T*>(static_cast<RecordedNative*>(handle));
}
template <typename T>
T* NativeOf(const GDIPObject& object) {
    return NativeOf<T>(object.NativeHandle());
}
// Deletes the native object behind a handle and empties the handle.
void DeleteNative(void*& handle) noexcept;
// A new native image of the size.
void* NewImage(std::string_view source, int width, int height);

// Text metrics of the recording backend (see RecordingGraphics.h).
float RecordedTextWidth(std::string_view text, const RecordedFont& font);
RectF RecordedTextBox(std::string_view text, const RecordedFont& font);

}  // namespace tarvik::test
