#pragma once

#include <string>
#include <string_view>

#include "core/graphics/GDIPObject.h"

namespace tarvik {

// A font family resolved by name against the installed fonts.
class GDIPFontFamily : public GDIPObject {
  public:
    // An empty family: fonts built from it fail.
    GDIPFontFamily() = default;
    // Looks the name up (case does not matter); Exists() tells whether it was found.
    explicit GDIPFontFamily(std::string_view name);
    ~GDIPFontFamily() { Dispose(); }

    GDIPFontFamily(GDIPFontFamily&& other) noexcept = default;
    GDIPFontFamily& operator=(GDIPFontFamily&& other) noexcept {
        if (this != &other) {
            Dispose();
            TakeHandle(other);
            m_name = std::move(other.m_name);
        }
        return *this;
    }

    bool Exists() const { return m_handle != nullptr; }
    // The installed family's own name; empty when it was not found.
    const std::string& Name() const { return m_name; }
    // Whether the family has the given style bits (see kFontStyle...).
    bool IsStyleAvailable(int style);

    void Dispose() noexcept;

  private:
    std::string m_name;
};

}  // namespace tarvik
