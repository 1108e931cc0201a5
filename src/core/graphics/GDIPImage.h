#pragma once

#include <string_view>

#include "core/graphics/GDIPObject.h"

namespace tarvik {

// A picture: loaded from a file, or the pixels of a GDIPBitmap.
class GDIPImage : public GDIPObject {
  public:
    // An empty image.
    GDIPImage() = default;
    // Loads a picture file (UTF-8 path). The result counts as loaded only when IsLoaded().
    static GDIPImage FromFile(std::string_view path);
    ~GDIPImage() { Dispose(); }

    GDIPImage(GDIPImage&& other) noexcept
        : GDIPObject(std::move(other)), m_width(other.m_width), m_height(other.m_height) {
        other.m_width = 0;
        other.m_height = 0;
    }
    GDIPImage& operator=(GDIPImage&& other) noexcept {
        if (this != &other) {
            Dispose();
            TakeHandle(other);
            m_width = std::exchange(other.m_width, 0);
            m_height = std::exchange(other.m_height, 0);
        }
        return *this;
    }

    // Pixels; 0 for an empty image.
    int width() const { return m_width; }
    int Height() const { return m_height; }
    // A load counts only when it gave an image at least one pixel wide.
    bool IsLoaded() const { return m_handle != nullptr && m_width >= 1; }

    void Dispose() noexcept;

  protected:
    int m_width = 0;
    int m_height = 0;
};

}  // namespace tarvik
